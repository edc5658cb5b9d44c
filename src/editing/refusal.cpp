#include "editing/refusal.h"

namespace planek {

void tell_user(Interaction& ui, const refusal& said) {
    switch (said.kind) {
        case refusal_kind::None:
            return;
        case refusal_kind::DayOffEndCorrected:
            ui.inform(said.text);
            return;
        default:
            ui.warn(said.text);
    }
}

}  // namespace planek
