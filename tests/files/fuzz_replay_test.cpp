// Replays the fuzzers' seeds and every input that once broke a reader
// through the same entry functions the fuzzers call. A broken invariant
// aborts the program; a sanitizer build reports what the input did.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "../../fuzz/harness.h"

namespace planek {
namespace {

namespace fs = std::filesystem;

struct fuzz_target {
    const char* name;
    void (*run)(std::string_view);
};

const fuzz_target kTargets[] = {
    {"ini_file", fuzz::ini_file},         {"group_file", fuzz::group_file},
    {"staff_file", fuzz::staff_file},     {"month_file", fuzz::month_file},
    {"language_file", fuzz::language_file}, {"template_file", fuzz::template_file},
    {"archive", fuzz::archive},           {"time_text", fuzz::time_text},
};

std::string bytes_of(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<fs::path> inputs_of(const std::string& target) {
    std::vector<fs::path> files;
    for (const fs::path& dir : {fs::path(PLANEK_SOURCE_DIR) / "fuzz" / "corpus" / target,
                                fs::path(PLANEK_TEST_DATA) / "fuzz" / target}) {
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(dir, ec))
            if (e.is_regular_file()) files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class FuzzReplay : public ::testing::TestWithParam<fuzz_target> {
protected:
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(fuzz::scratch_root(), ec);
    }
};

TEST_P(FuzzReplay, EveryKeptInputReadsWithoutFault) {
    const std::vector<fs::path> files = inputs_of(GetParam().name);
    ASSERT_FALSE(files.empty()) << "no seeds for " << GetParam().name;
    for (const fs::path& f : files) {
        SCOPED_TRACE(f.string());
        GetParam().run(bytes_of(f));
    }
}

// Every seed cut short at a few points: the readers meet truncated files
// far more often than any other damage.
TEST_P(FuzzReplay, TruncatedSeedsReadWithoutFault) {
    for (const fs::path& f : inputs_of(GetParam().name)) {
        const std::string bytes = bytes_of(f);
        SCOPED_TRACE(f.string());
        for (size_t cut : {size_t(1), bytes.size() / 3, bytes.size() / 2, bytes.size() > 0 ? bytes.size() - 1 : 0})
            GetParam().run(std::string_view(bytes).substr(0, std::min(cut, bytes.size())));
    }
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzReplay, ::testing::ValuesIn(kTargets),
                         [](const ::testing::TestParamInfo<fuzz_target>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace planek
