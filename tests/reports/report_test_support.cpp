#include "report_test_support.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "base/cp1250.h"
#include "tests/support/scratch_path.h"

namespace fs = std::filesystem;

namespace {}  // namespace

void InScratchFolder::SetUp() {
    previous_ = fs::current_path();
    scratch_ = TestScratchPath("kvrep");
    fs::remove_all(scratch_);
    fs::create_directories(scratch_ / "report");
    fs::current_path(scratch_);
}

void InScratchFolder::TearDown() {
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(scratch_, ignored);
}

void AddPlay(PlaybackLog& log, const Play& play) {
    if (log.recordCount == log.recordCapacity) {
        log.recordCapacity += kRecordGrowth;
        log.records = static_cast<PlaybackRecord*>(
            std::realloc(log.records, sizeof(PlaybackRecord) * log.recordCapacity));
    }
    PlaybackRecord record{};
    std::strncpy(record.name, play.name, kNameSize - 1);
    record.time.wDay = play.day;
    record.time.wMonth = play.month;
    record.time.wYear = play.year;
    record.time.wHour = play.hour;
    record.time.wMinute = play.minute;
    record.time.wSecond = play.second;
    record.length = play.length;
    log.records[log.recordCount++] = record;
}

void AddPlays(PlaybackLog& log, const char* name, int count, double length) {
    for (int i = 0; i < count; ++i) {
        AddPlay(log, {name, 1, 3, 2015, 8, 0, 0, length});
    }
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(fs::path(path), std::ios::binary);
    out << bytes;
}

bool Exists(const std::string& path) {
    return fs::exists(fs::path(path));
}

std::string Cp1250(std::u16string_view text) {
    return Utf16ToCp1250(text);
}

std::string InReport(const std::string& file) {
#ifdef _WIN32
    return "report\\" + file;
#else
    return "report/" + file;
#endif
}
