// The end of a log the player is still writing, read from a source that hands out what the
// player has added by each read past the end, so no case depends on how threads are scheduled.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "logdata/line_reading.h"

namespace {

// A log as a test scripts it. Growing: the bytes when the load began, then one piece of the
// player's writing per read past that end (an empty piece is a read that finds nothing new).
// Failing: reads fail once failAt bytes have been handed out, as a disk's bad sector does.
class ScriptedSource : public ByteSource {
public:
    ScriptedSource(std::string start, std::vector<std::string> pieces)
        : start_(std::move(start)), pieces_(pieces.begin(), pieces.end()), mayGrow_(true) {}
    ScriptedSource(std::string bytes, size_t failAt) : start_(std::move(bytes)), failAt_(failAt) {}
    uint64_t Size() const override { return start_.size(); }
    bool MayGrow() const override { return mayGrow_; }
    std::unique_ptr<Cursor> Open(uint64_t offset) const override {
        return std::make_unique<ScriptedCursor>(*this, static_cast<size_t>(offset));
    }

private:
    class ScriptedCursor : public Cursor {
    public:
        ScriptedCursor(const ScriptedSource& source, size_t at) : source_(source), at_(at) {}
        size_t Read(char* buffer, size_t size) override {
            if (at_ == source_.start_.size() && !source_.pieces_.empty()) {
                source_.start_ += source_.pieces_.front();
                source_.pieces_.pop_front();
            }
            const size_t n = std::min({size, source_.start_.size() - at_, source_.failAt_ - at_});
            if (n == 0 && at_ < source_.start_.size()) {
                Fail("Input/output error");
                return 0;
            }
            std::memcpy(buffer, source_.start_.data() + at_, n);
            at_ += n;
            return n;
        }

    private:
        const ScriptedSource& source_;
        size_t at_;
    };

    mutable std::string start_;
    mutable std::deque<std::string> pieces_;
    size_t failAt_ = std::string::npos;
    bool mayGrow_ = false;
};

class LineList : public LineSink {
public:
    size_t AddLines(const char* bytes, size_t size, bool isEnd) override {
        size_t done = 0;
        for (const char* end; (end = static_cast<const char*>(
                                   std::memchr(bytes + done, '\n', size - done))) != nullptr;) {
            lines.emplace_back(bytes + done, end);
            done = static_cast<size_t>(end - bytes) + 1;
        }
        if (isEnd && done < size) {
            lines.emplace_back(bytes + done, size - done);
            done = size;
        }
        return done;
    }
    std::vector<std::string> lines;
};

struct Growth {
    const char* what;
    std::string start;
    std::vector<std::string> pieces;
    std::vector<std::string> lines;
};

TEST(ReadingAGrowingLog, TakesWholeLinesOnly) {
    const Growth cases[] = {
        {"a whole last line: nothing after it is read", "a\nb\n", {"c\n"}, {"a", "b"}},
        {"the rest of the line follows at once", "a\nb", {"b\nc\n"}, {"a", "bb"}},
        {"the rest comes in pieces", "a\nb", {"b", "b", "b\nc\n"}, {"a", "bbbb"}},
        {"the rest comes after a moment", "a\nb", {"", "b\nc\n"}, {"a", "bb"}},
        {"nothing comes: the line is the log's last", "a\nb", {}, {"a", "b"}},
        {"it grows but never ends: not a play yet", "a\nb", {"b", "", ""}, {"a"}},
    };
    for (const Growth& growth : cases) {
        SCOPED_TRACE(growth.what);
        const ScriptedSource source(growth.start, growth.pieces);
        LineList sink;
        EXPECT_EQ(ReadLines(source, 0, source.Size(), true, sink), "");
        EXPECT_EQ(sink.lines, growth.lines);
    }
}

TEST(ReadingALog, AFailedReadIsNotTheEnd) {
    constexpr size_t kBlock = size_t{4} << 20;  // what ReadLines asks for at a time
    std::string log;
    while (log.size() < kBlock + 100) {
        log += "01.03.2015 10:00:00 spot.avi 15\n";
    }
    const struct {
        const char* what;
        size_t failAt;
    } cases[] = {
        {"at the start", 0},
        {"in the middle of a line", 40},
        {"at a block boundary", kBlock},
        {"in the last line", log.size() - 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ScriptedSource source(log, c.failAt);
        LineList sink;
        EXPECT_EQ(ReadLines(source, 0, source.Size(), true, sink), "Input/output error");
    }
    const ScriptedSource whole(log, log.size());
    LineList sink;
    EXPECT_EQ(ReadLines(whole, 0, whole.Size(), true, sink), "");
}

}  // namespace
