#include "platform/Sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Sha256Case {
    std::string Input;
    const char* Digest;
};

class Sha256KnownAnswers : public testing::TestWithParam<Sha256Case> {};

TEST_P(Sha256KnownAnswers, MatchesPublishedDigest) {
    EXPECT_EQ(Sha256Hex(GetParam().Input), GetParam().Digest);
}

// Published test vectors, and lengths around the block and padding boundaries (55, 56, 64 bytes).
INSTANTIATE_TEST_SUITE_P(
    Vectors, Sha256KnownAnswers,
    testing::Values(
        Sha256Case{"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        Sha256Case{"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        Sha256Case{"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
                   "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        Sha256Case{"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopq"
                   "klmnopqrlmnopqrsmnopqrstnopqrstu",
                   "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        Sha256Case{std::string(55, 'a'),
                   "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        Sha256Case{std::string(56, 'a'),
                   "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        Sha256Case{std::string(64, 'a'),
                   "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        Sha256Case{std::string(1000000, 'a'),
                   "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"}));

TEST(Sha256, BytesOfEveryValueCount) {
    // A zero byte and bytes above 0x7F are data like any other.
    EXPECT_NE(Sha256Hex(std::string("a\0b", 3)), Sha256Hex("ab"));
    EXPECT_NE(Sha256Hex("\xFF"), Sha256Hex("\x7F"));
}

} // namespace
