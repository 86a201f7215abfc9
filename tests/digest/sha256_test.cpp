// SHA-256 of the platform's crypto on the NIST test vectors, in both builds.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "digest/sha256.h"

namespace {

TEST(Sha256, NistVectors) {
    const struct {
        std::string message;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HexDigest(Sha256Of(c.message)), c.digest) << c.message.size() << " bytes";
    }
}

TEST(Sha256, ARestartedHashKeepsNothingOfTheTextBefore) {
    Sha256 hash;
    hash.Update("abc", 3);
    EXPECT_EQ(HexDigest(hash.FinishAndRestart()),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(HexDigest(hash.FinishAndRestart()),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    hash.Update("abc", 3);
    EXPECT_EQ(HexDigest(hash.Finish()),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

TEST(Sha256, PiecesGiveTheDigestOfTheWhole) {
    Sha256 hash;
    hash.Update("ab", 2);
    hash.Update("", 0);
    hash.Update("c", 1);
    EXPECT_EQ(HexDigest(hash.Finish()),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

TEST(Sha256, AFilePrefixIsHashedUpToItsLimit) {
    const auto path =
        std::filesystem::temp_directory_path() /
        ("kv_sha256_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("abcdef", file);
    std::fclose(file);
    FileDigest digest{};
    ASSERT_TRUE(DigestFilePrefix(path.string().c_str(), 3, digest));
    EXPECT_EQ(HexDigest(digest.digest), HexDigest(Sha256Of("abc")));
    EXPECT_EQ(digest.hashedSize, 3u);
    EXPECT_EQ(digest.fileSize, 6u);
    std::filesystem::remove(path);
    EXPECT_FALSE(DigestFilePrefix(path.string().c_str(), 3, digest));
}

}  // namespace
