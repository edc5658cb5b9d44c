#pragma once
// What the staff archive holds of a worker's balances, read as the program reads it.
#include <filesystem>

#include "core/types.h"

namespace planek::test {

// The leave a worker has left, of this and of last year together.
int leave_left(const std::filesystem::path& archive, word worker);

}  // namespace planek::test
