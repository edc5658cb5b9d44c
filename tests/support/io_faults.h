#pragma once
// Scoped switches for the file layer's injected faults, so a failing
// assertion never leaves the next test writing into a fault.
#include <filesystem>

#include "core/file_io.h"

namespace planek::test {

// Turns the write fault off again however the scope ends.
struct write_fault_off {
    write_fault_off() = default;
    write_fault_off(const write_fault_off&) = delete;
    write_fault_off& operator=(const write_fault_off&) = delete;
    ~write_fault_off() { set_write_fault(0); }
};

// Reads of one file fail while it lives, as for a bad sector or a lost
// permission.
struct unreadable_file {
    explicit unreadable_file(const std::filesystem::path& file) { set_read_fault(file); }
    unreadable_file(const unreadable_file&) = delete;
    unreadable_file& operator=(const unreadable_file&) = delete;
    ~unreadable_file() { set_read_fault({}); }
};

}  // namespace planek::test
