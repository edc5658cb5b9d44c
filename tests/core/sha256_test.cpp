#include "core/sha256.h"

#include <gtest/gtest.h>

namespace planek {
namespace {

TEST(Sha256, MatchesTheStandardVectorsAcrossBlockBoundaries) {
    EXPECT_EQ(sha256_hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256_hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // 56 bytes: the length no longer fits the block, padding needs a second one.
    EXPECT_EQ(sha256_hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(sha256_hex(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
    // Bytes above 0x7F (Windows-1250 letters) count as unsigned.
    EXPECT_EQ(sha256_hex(std::string("\xb9\xea", 2)).size(), 64u);
    EXPECT_NE(sha256_hex(std::string("\xb9\xea", 2)), sha256_hex(std::string("\xb9\xeb", 2)));
}

}  // namespace
}  // namespace planek
