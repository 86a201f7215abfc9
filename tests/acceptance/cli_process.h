// A scratch working folder per test and kvimeter-cli run in it as a child process.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace acceptance {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// A fresh, empty folder unique to this process and test; removed again on destruction.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Writes raw bytes to a file below the folder (relative in UTF-8), creating its parent
    // folders.
    void WriteFile(const std::string& relative, const std::string& bytes) const;
    // Writes log/<fileName> in the folder.
    void WriteLog(const std::string& fileName, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

// A file name given in UTF-8, as the file system of either platform takes it.
std::filesystem::path Utf8Path(const std::string& utf8);

// Variables set (or, without a value, removed) in the child's environment; POSIX only.
using Environment = std::vector<std::pair<std::string, std::optional<std::string>>>;

// What the child may not do; POSIX only.
struct ChildLimits {
    size_t addressSpace = 0;  // bytes of address space, 0 for no limit
    bool asNobody = false;    // drops root's rights, so that file permissions count
};

// Runs kvimeter-cli with `args` in `workDir`; stdout and stderr are captured byte for byte.
CliResult RunCli(const std::filesystem::path& workDir, const std::vector<std::string>& args,
                 const Environment& environment = {}, const ChildLimits& limits = {});

// Whether kvimeter-cli's local time is UTC, so moments on the calendar's limits can be checked.
bool LocalTimeIsUtc();

// The text printed by --help; read once from the executable itself.
const std::string& UsageText();

// One line of a playback log: five TAB-separated fields and CR LF.
std::string Play(const std::string& date, const std::string& time, const std::string& name,
                 const std::string& length);

// One line of `list` output: the four cell texts, TAB-separated, "\n"-ended.
std::string Row(const std::string& name, const std::string& length, const std::string& count,
                const std::string& totalTime);

// Each case gets its own folder; the March 2015 log is the one most cases write and list.
class CliTest : public ::testing::Test {
protected:
    void WriteMarch(const std::string& bytes) const { folder_.WriteLog("AVI_2015-03.txt", bytes); }
    CliResult Run(const std::vector<std::string>& args, const Environment& environment = {},
                  const ChildLimits& limits = {}) const {
        return RunCli(folder_.Path(), args, environment, limits);
    }
    CliResult ListMarch(std::vector<std::string> options = {}) const;

    ScratchFolder folder_;
};

// Exit status 0, exactly `expected` on stdout, nothing on stderr.
void ExpectPrinted(const CliResult& result, const std::string& expected);
// Exit status 1, nothing on stdout, one message line on stderr.
void ExpectFailedLoad(const CliResult& result);
// Exit status 2, nothing on stdout, the usage at the end of stderr.
void ExpectUsageError(const CliResult& result);

}  // namespace acceptance
