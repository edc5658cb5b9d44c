#pragma once
// The panels of the calendar as data: which duty or day off is shown in
// which cell, with what text, colours, font style, border and hint. The
// calendar view paints them; nothing here knows about widgets.
#include <string>
#include <vector>

#include "calendar/staffing_marks.h"
#include "core/plan.h"

namespace planek::ui {

// rg_Captions
enum class PanelCaptions { ShortName = 0, DutyType = 1, DutyAs = 2 };

struct calendar_view_options {
    PanelCaptions captions = PanelCaptions::ShortName;
    bool dutyAsColours = false;  // rg_Colors on its second item
    bool showDuties = true;      // cb_ShowDuties
    bool showDayOffs = true;     // cb_ShowDayOffs
};

struct calendar_panel {
    std::string name;  // "p<w>_<d>_<pos>" or "u<w>_<head day>"
    bool duty = true;
    int worker = -1;
    int dayIndex = -1;  // the day the panel stands on
    int position = -1;  // duty panels: position in the day's list
    int headDay = -1;   // day-off panels: the day holding the record
    bool outsider = false;
    int row = 0;        // grid cell
    int column = 0;
    int stack = 0;  // n-th panel in its cell (from 0): duties first, then days off
    std::string text;
    colour back = 0xFFFFFF;
    colour fore = 0;
    bool buttonText = false;  // fore is the system button-text colour
    bool bold = false, underline = false, italic = false;
    bool border = false;  // the selected worker's panels
};

struct calendar_layout {
    std::vector<calendar_panel> panels;
    // Per day index: panels placed per shift slot (0-based) and their minutes.
    std::vector<std::vector<int>> slotPanels;
    std::vector<std::vector<int>> slotMinutes;
    std::vector<int> dayOffPanels;
    // Per day index and shift slot: every panel of the cell, duties and days
    // off together.
    std::vector<std::vector<int>> cellPanels;
    // Per day index and shift index: the staffing of the shift.
    std::vector<std::vector<cell_staffing>> staffing;
    // Workers outside the list whose duties are shown (indexes, in order).
    std::vector<int> outsiders;

    int panelsInCell(const Plan& plan, int row, int column) const;
};

// How the panels of one cell are laid out: a grid of equal places filled
// column by column. When the cell holds more panels than places, the last
// place shows "+N" for the `hidden` ones.
struct cell_fit {
    int columns = 1;
    int rows = 1;
    int width = 0;  // of one place
    int height = 0;
    int shown = 0;
    int hidden = 0;
};

// Fits `count` panels into a cell's inner size: at the preferred panel size
// when they fit; else at the largest size down to the minimum that holds
// them all; else as many as fit at the minimum, the last place for "+N".
// Neither minimum exceeds the cell, so one place always fits.
cell_fit fit_panels(int cellWidth, int cellHeight, int preferredWidth, int preferredHeight, int minWidth,
                    int minHeight, int count);

// Rebuilds every panel of the shown month (odswiez_dyzury and odswiez_wolne
// together). Outsiders whose duties appear are named once in the layout,
// for the worker list to show beside the listed workers.
calendar_layout zbuduj_panele(const Plan& plan, const calendar_view_options& view);

// The hint of a duty panel (first line, times, length, category, overtime,
// note).
std::string duty_hint(const Plan& plan, int worker, const dyzur& d, bool outsider);
// The hint of a panel, made when it is asked for: a month has well over a
// thousand panels and few are ever pointed at.
std::string panel_hint(const Plan& plan, const calendar_panel& panel);

}  // namespace planek::ui
