#include "core/sha256.h"

#include <gtest/gtest.h>

#include <random>

namespace planek {
namespace {

TEST(Sha256, MatchesTheStandardVectorsAcrossBlockBoundaries) {
    for (auto hash : {&sha256_hex, &sha256_hex_portable}) {
        EXPECT_EQ(hash(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
        EXPECT_EQ(hash("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
        // 56 bytes: the length no longer fits the block, padding needs a second one.
        EXPECT_EQ(hash("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
                  "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
        EXPECT_EQ(hash("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrs"
                       "mnopqrstnopqrstu"),
                  "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");
        EXPECT_EQ(hash(std::string(1000000, 'a')), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
        // Bytes above 0x7F (Windows-1250 letters) count as unsigned.
        EXPECT_EQ(hash(std::string("\xb9\xea", 2)).size(), 64u);
        EXPECT_NE(hash(std::string("\xb9\xea", 2)), hash(std::string("\xb9\xeb", 2)));
    }
}

// The processor's rounds, where this machine has them, against the plain
// ones: every length around the block and padding boundaries, and bytes of
// every value.
TEST(Sha256, TheFastRoundsAgreeWithThePlainOnesForEveryLength) {
    std::mt19937 random(7);
    std::string bytes;
    for (size_t n = 0; n < 300; ++n) {
        EXPECT_EQ(sha256_hex(bytes), sha256_hex_portable(bytes)) << n << " bytes";
        bytes += char(random() & 0xff);
    }
    std::string large(300000, '\0');
    for (char& c : large) c = char(random() & 0xff);
    EXPECT_EQ(sha256_hex(large), sha256_hex_portable(large));
}

}  // namespace
}  // namespace planek
