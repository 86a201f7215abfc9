#include "tests/acceptance/report_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace acceptance {

namespace fs = std::filesystem;

namespace {

// Windows-1250: é 0xE9, č 0xE8, ř 0xF8, á 0xE1, í 0xED, Č 0xC8.
const std::string kLength = "D\xE9lka [s]";
const std::string kPlayCount =
    "Po\xE8"
    "et p\xF8"
    "ehr\xE1n\xED";
const std::string kTime =
    "\xC8"
    "as";
const std::string kTotalTime = kTime + " celkem";

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path FromUtf8(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

}  // namespace

std::string ReportPath(const std::string& fileName) {
    return "report" + kSeparator + fileName;
}

const std::string kSummaryTextHeader =
    "Animace\t" + kLength + "\t" + kPlayCount + "\t" + kTotalTime + "\r\n";
const std::string kSummaryCsvHeader =
    "Animace;" + kLength + ";" + kPlayCount + ";" + kTotalTime + "\r\n";
const std::string kDetailTextHeader = "Datum\t" + kTime + "\tAnimace\t" + kLength + "\r\n";
const std::string kDetailCsvHeader = "Datum;" + kTime + ";Animace;" + kLength + "\r\n";

std::string DetailClosing(const std::string& fieldSeparator, const std::string& count,
                          const std::string& totalTime) {
    return kPlayCount + fieldSeparator + count + "\r\n" + kTotalTime + fieldSeparator + totalTime;
}

// UTF-8: á C3 A1, í C3 AD, ř C5 99, ž C5 BE.
std::string SummarySaved(const std::string& csvFileName) {
    return "Sum\xC3\xA1rn\xC3\xAD p\xC5\x99"
           "ehled byl ulo\xC5\xBE"
           "en do souboru:\n\n" +
           ReportPath(csvFileName) + "\n";
}

std::string DetailSaved(const std::string& csvFileName) {
    return "Detailn\xC3\xAD p\xC5\x99"
           "ehled byl ulo\xC5\xBE"
           "en do souboru\n\n" +
           ReportPath(csvFileName) + "\n";
}

const std::string kAllDetailsSaved =
    "Detailn\xC3\xAD p\xC5\x99"
    "ehledy byly ulo\xC5\xBE"
    "eny do adres\xC3\xA1\xC5\x99"
    "e report\n";

CliResult ReportTest::RunMarch(const std::string& command, std::vector<std::string> options) const {
    options.insert(options.begin(), {command, "2015-03"});
    return Run(options);
}

bool ReportTest::ReportExists(const std::string& fileName) const {
    return fs::is_regular_file(ReportFolder() / FromUtf8(fileName));
}

std::string ReportTest::ReadReport(const std::string& fileName) const {
    const fs::path path = ReportFolder() / FromUtf8(fileName);
    EXPECT_TRUE(fs::is_regular_file(path)) << Utf8(path);
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> ReportTest::ReportFiles() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(ReportFolder())) {
        names.push_back(Utf8(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::map<std::string, std::string> ReportTest::ReportContents() const {
    std::map<std::string, std::string> contents;
    for (const fs::directory_entry& entry : fs::directory_iterator(ReportFolder())) {
        std::ifstream in(entry.path(), std::ios::binary);
        contents[Utf8(entry.path().filename())] =
            entry.is_directory() ? "" : std::string(std::istreambuf_iterator<char>(in), {});
    }
    return contents;
}

#ifdef _WIN32
HeldFile::HeldFile(const fs::path& path)
    : handle_(reinterpret_cast<intptr_t>(CreateFileW(path.wstring().c_str(), GENERIC_WRITE,
                                                     FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                                     FILE_ATTRIBUTE_NORMAL, nullptr))),
      held_(reinterpret_cast<HANDLE>(handle_) != INVALID_HANDLE_VALUE) {}

HeldFile::~HeldFile() {
    if (held_) {
        CloseHandle(reinterpret_cast<HANDLE>(handle_));
    }
}
#else
HeldFile::HeldFile(const fs::path& path) : handle_(open(path.c_str(), O_RDWR | O_CREAT, 0644)) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    held_ = handle_ >= 0 && fcntl(static_cast<int>(handle_), F_SETLK, &lock) == 0;
}

HeldFile::~HeldFile() {
    if (handle_ >= 0) {
        close(static_cast<int>(handle_));
    }
}
#endif

void ExpectSaved(const CliResult& result, const std::string& expected) {
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, expected);
    EXPECT_EQ(result.err, "");
}

void ExpectNotWritten(const CliResult& result, const std::vector<std::string>& files) {
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    for (const std::string& file : files) {
        EXPECT_NE(result.err.find(file), std::string::npos) << file << " not named in:\n"
                                                            << result.err;
    }
}

void ExpectRefusedArguments(const CliResult& result) {
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(result.err.empty());
}

}  // namespace acceptance
