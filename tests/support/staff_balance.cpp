#include "support/staff_balance.h"

#include <gtest/gtest.h>

#include "core/cp1250.h"
#include "core/plan.h"
#include "core/text.h"
#include "files/file_problems.h"
#include "files/staff_archive.h"
#include "files/staff_file.h"

namespace planek::test {

int leave_left(const std::filesystem::path& archive, word worker) {
    std::string bytes;
    EXPECT_TRUE(read_staff_member(archive, bytes).ok()) << archive;
    Plan plan;
    file_problems ignored{plan.tr, {}};
    for (const prac& w : read_staff_lines(split_text_lines(cp1250_to_utf8(bytes)), "kadra.ini", ignored))
        if (w.id == worker) return w.holidayCurrentYear + w.holidayPreviousYear;
    ADD_FAILURE() << "no worker " << worker;
    return 0;
}

}  // namespace planek::test
