#pragma once
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/plan.h"
#include "core/result.h"

namespace planek {

// Puts the texts in place of the "%s" marks of a message, in order.
std::string fill_text(std::string text, std::initializer_list<std::string> args);

// Problems found while reading stored files: each names the file and the
// line, ready to show. The reader goes on after each one.
struct file_problems {
    const Translator& tr;
    std::vector<std::string> items;

    // "<file>, line <n>: <text>" with the message looked up by key.
    void add(const std::string& file, int line, const std::string& key, const std::string& fallback,
             std::initializer_list<std::string> args);
    // "<file>, line <n>: ", the start of every report about one line.
    std::string where(const std::string& file, int line) const;
    void add_text(std::string text) { items.push_back(std::move(text)); }
    bool empty() const { return items.empty(); }
    size_t size() const { return items.size(); }
};

// All problems at once as one text under a heading, for the front end to
// show as one warning (nothing said when there are none). The heading is a
// message key with its default text.
refusal problems_said(const Plan& plan, const std::vector<std::string>& problems, const std::string& heading_key,
                      const std::string& heading);

// Today's date for dated file names: "2026-12-08".
std::string date_stamp(const Plan& plan);

// Copies `file` to the first free name `file` + suffix + date ("_2", "_3"
// added when taken), so a file whose reading found problems survives the
// next save whole. A copy of the same bytes already kept under `file` +
// suffix (of any date) is the copy: the same damage is kept once. Returns
// the name of the copy, or empty on failure.
std::filesystem::path keep_copy(const Plan& plan, const std::filesystem::path& file, const std::string& suffix);
// The copy of exactly `bytes` kept under `file` + suffix + anything, if any.
std::filesystem::path kept_copy_of(const std::filesystem::path& file, const std::string& suffix,
                                   const std::string& bytes);

// A dated name that is not taken yet, with the same rule.
std::filesystem::path free_dated_name(const Plan& plan, const std::filesystem::path& file, const std::string& suffix);

}  // namespace planek
