#include "base/replaced_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/cp1250.h"
#include "base/scratch_file.h"
#include "tests/support/scratch_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

namespace fs = std::filesystem;

class ReplacedFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = TestScratchPath("kvbase");
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        previous_ = fs::current_path();
        fs::current_path(folder_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    static void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(name, std::ios::binary) << bytes;
    }
    static std::string Get(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The names in the folder: a temporary left behind shows here.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    template <typename File>
    static std::string Reason(const File& file) {
        return Cp1250ToUtf8(SystemReasonText(file.Failure()));
    }

    fs::path folder_;
    fs::path previous_;
};

bool WriteWhole(FileReplacement& file, const std::string& path, const std::string& bytes) {
    return file.Begin(path) && file.Write(bytes.data(), bytes.size()) && file.Finish() &&
           file.CanReplace() && file.Commit();
}

TEST_F(ReplacedFile, TakesTheOldFilesPlaceOrMakesANewOne) {
    Put("a.txt", "old and longer than the new");
    FileReplacement file;
    ASSERT_TRUE(WriteWhole(file, "a.txt", "new"));
    ASSERT_TRUE(WriteWhole(file, "b.txt", std::string(200000, 'b')));
    std::string large;  // past the blocks sent to the disk while it is written
    for (int block = 0; large.size() < (20u << 20); ++block) {
        large += std::string(1 << 20, static_cast<char>('a' + block % 26));
        large += "!";
    }
    ASSERT_TRUE(file.Begin("c.txt"));
    for (size_t at = 0; at < large.size(); at += 1 << 20) {
        ASSERT_TRUE(file.Write(large.data() + at, std::min<size_t>(1 << 20, large.size() - at)));
    }
    ASSERT_TRUE(file.Finish() && file.Commit());
    EXPECT_TRUE(Get("c.txt") == large);
    EXPECT_EQ(Get("a.txt"), "new");
    EXPECT_EQ(Get("b.txt"), std::string(200000, 'b'));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
}

TEST_F(ReplacedFile, AScratchFileIsNewAndHoldsWhatWasWritten) {
    Put("taken.tmp", "someone's");
    ScratchFile file;
    EXPECT_FALSE(file.Create("taken.tmp"));
    EXPECT_FALSE(Reason(file).empty());
    EXPECT_EQ(Get("taken.tmp"), "someone's");
    ASSERT_TRUE(file.Create("part.tmp"));
    ASSERT_TRUE(file.Write("ab", 2) && file.Write("", 0) && file.Write("c", 1));
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(Get("part.tmp"), "abc");
}

TEST_F(ReplacedFile, WhatIsNotCommittedLeavesTheOldFileAndNoTemporary) {
    Put("a.txt", "old");
    {
        FileReplacement file;
        ASSERT_TRUE(file.Begin("a.txt"));
        ASSERT_TRUE(file.Write("new", 3));
        ASSERT_TRUE(file.Finish());
        EXPECT_EQ(Names().size(), 2u) << "the temporary beside the old file";
    }
    FileReplacement discarded;
    ASSERT_TRUE(discarded.Begin("a.txt"));
    discarded.Discard();
    EXPECT_EQ(Get("a.txt"), "old");
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt"}));
}

TEST_F(ReplacedFile, WhatStandsInTheFilesPlaceOrOnItsWayIsRefusedWithTheReason) {
    fs::create_directory("folder");
    Put("file", "x");
    const struct {
        const char* path;
        const char* reason;
    } cases[] = {
        {"folder", "na místě souboru je složka"},
        {"missing/a.txt", "soubor nebo složka neexistuje"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        FileReplacement file;
        EXPECT_FALSE(file.Begin(c.path));
        EXPECT_EQ(Reason(file), c.reason);
        EXPECT_FALSE(file.Commit());
    }
    EXPECT_EQ(Names(), (std::vector<std::string>{"file", "folder"}));
}

#ifdef _WIN32
// A reader that shares no deleting, opened after the temporary was written: the rename fails,
// the old file stays and the temporary goes.
TEST_F(ReplacedFile, ARenameThatFailsKeepsTheOldFile) {
    Put("a.txt", "old");
    FileReplacement file;
    ASSERT_TRUE(file.Begin("a.txt"));
    ASSERT_TRUE(file.Write("new", 3));
    ASSERT_TRUE(file.Finish());
    const HANDLE reader = CreateFileW(L"a.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(file.Commit());
    CloseHandle(reader);
    EXPECT_EQ(Reason(file), "soubor používá jiný program");
    EXPECT_EQ(Get("a.txt"), "old");
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.txt"}));
}

TEST_F(ReplacedFile, AReaderThatSharesNoDeletingIsFoundBeforeAnyRename) {
    Put("a.txt", "old");
    FileReplacement file;
    ASSERT_TRUE(file.Begin("a.txt"));
    ASSERT_TRUE(file.Write("new", 3));
    ASSERT_TRUE(file.Finish());
    const HANDLE reader = CreateFileW(L"a.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(file.CanReplace());
    CloseHandle(reader);
    EXPECT_EQ(Reason(file), "soubor používá jiný program");
}
#endif

}  // namespace
