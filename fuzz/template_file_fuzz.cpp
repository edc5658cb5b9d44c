#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    planek::fuzz::template_file(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
