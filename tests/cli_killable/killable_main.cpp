// planek-cli for the kill tests, never installed. With
// PLANEK_PAUSE_AT_WRITE_STEP=N it stops just before its N-th write step,
// creates the file PLANEK_PAUSE_MARKER names and waits there for the test's
// SIGKILL; otherwise it is the normal program.
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <thread>

#include "cli/cli.h"
#include "core/file_io.h"

namespace {

const char* marker = nullptr;

void wait_to_be_killed() {
    std::ofstream(marker) << "paused\n";
    // A test that never comes must not leave the process behind.
    std::this_thread::sleep_for(std::chrono::seconds(30));
    _exit(3);
}

}  // namespace

int main(int argc, char** argv) {
    const char* step = std::getenv("PLANEK_PAUSE_AT_WRITE_STEP");
    marker = std::getenv("PLANEK_PAUSE_MARKER");
    if (step && marker) planek::set_write_pause(std::atoi(step), wait_to_be_killed);
    std::vector<std::string> args(argv + 1, argv + argc);
    return planek::cli::run(args, std::cout, std::cerr);
}
