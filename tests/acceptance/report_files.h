// The report files as bytes: fixed Windows-1250 texts, the confirmations printed on stdout, and
// a test base that runs the report commands on the March 2015 log and reads what they wrote.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/acceptance/cli_process.h"

namespace acceptance {

// The directory separator of the report paths, in the files' names and in the messages.
#ifdef _WIN32
inline const std::string kSeparator = "\\";
#else
inline const std::string kSeparator = "/";
#endif

// report<separator>fileName, as the messages print it.
std::string ReportPath(const std::string& fileName);

// Header lines, CR LF included, in Windows-1250.
extern const std::string kSummaryTextHeader;
extern const std::string kSummaryCsvHeader;
extern const std::string kDetailTextHeader;
extern const std::string kDetailCsvHeader;

// The two closing lines of a detail file: the play count and the total time, which ends the file.
std::string DetailClosing(const std::string& fieldSeparator, const std::string& count,
                          const std::string& totalTime);

// The confirmations on stdout (UTF-8, "\n"-ended).
std::string SummarySaved(const std::string& csvFileName);
std::string DetailSaved(const std::string& csvFileName);
extern const std::string kAllDetailsSaved;

class ReportTest : public CliTest {
protected:
    // Runs `command` on MONTH 2015-03 with `options` after it.
    CliResult RunMarch(const std::string& command, std::vector<std::string> options) const;
    CliResult SummaryMarch(std::vector<std::string> options = {}) const {
        return RunMarch("summary", std::move(options));
    }
    CliResult DetailMarch(std::vector<std::string> options) const {
        return RunMarch("detail", std::move(options));
    }

    std::filesystem::path ReportFolder() const { return folder_.Path() / "report"; }
    bool ReportExists(const std::string& fileName) const;
    // The bytes of report/<fileName>; a missing file fails the test.
    std::string ReadReport(const std::string& fileName) const;
    // The names of the files in report/, sorted.
    std::vector<std::string> ReportFiles() const;
    // Every file in report/ (UTF-8 name) with its bytes; a folder there has none.
    std::map<std::string, std::string> ReportContents() const;
};

// Another program holds the file for writing, as a spreadsheet holds the CSV file it shows: on
// Windows open for writing and shared for reading only, elsewhere with a write lock on it.
class HeldFile {
public:
    explicit HeldFile(const std::filesystem::path& path);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool Held() const { return held_; }

private:
    intptr_t handle_;
    bool held_ = false;
};

// Exit status 0, `expected` on stdout, nothing on stderr.
void ExpectSaved(const CliResult& result, const std::string& expected);
// Exit status 1, no success text, and every one of `files` (report paths) named on stderr.
void ExpectNotWritten(const CliResult& result, const std::vector<std::string>& files);
// Exit status 2 and nothing on stdout; the reason is on stderr.
void ExpectRefusedArguments(const CliResult& result);

}  // namespace acceptance
