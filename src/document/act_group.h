#pragma once
// Several acts taken as one: one step of the history and one notice. For a
// dialog whose buttons act at once (the day dialog removes a duty and gives a
// day its holiday back before its OK), so undo takes the whole visit back.
#include <memory>

#include "document/roster_document.h"

namespace planek {

class act;

class act_group {
public:
    act_group(roster_document& doc, const char* key, const char* fallback);
    ~act_group();
    act_group(const act_group&) = delete;
    act_group& operator=(const act_group&) = delete;
    // Ends the group before it goes out of scope.
    void end();

private:
    std::unique_ptr<act> act_;
};

}  // namespace planek
