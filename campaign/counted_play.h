#pragma once
// Each play that counted toward a booking line, handed on as the count finds it, so that a list
// of them is written while the logs are read and nothing of them is held.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

struct PanelPlan;
struct LogTask;

struct CountedPlay {
    size_t planLine;        // into the plan's lines
    uint64_t offset;        // of the play's line in the log, in bytes
    int32_t day;            // day number (campaign/calendar.h)
    int32_t localSecond;    // the time the log writes, seconds from midnight
    int64_t utcSecond;      // the start, seconds since 1970-01-01 UTC
    double length;          // seconds, as counted
    bool overBooked;        // the day already had its booked plays for the line
    uint8_t repeatedPass;   // 0 outside October's repeated hour, else its pass: 1 or 2
    bool hasContacts;       // an audience row covers the play
    double contacts;        // the play's estimated contacts, when hasContacts
    std::string_view name;  // as logged, Windows-1250
};

// Takes one log's counted plays, in the log's order; one thread at a time.
class PlaySink {
public:
    virtual ~PlaySink() = default;
    virtual void Add(const CountedPlay& play) = 0;
};

// Gives each log's task a sink of its own; called from the counting threads at once.
class PlayRecorder {
public:
    virtual ~PlayRecorder() = default;
    // task: its index among the count's tasks, which come panel by panel, months in order.
    virtual std::unique_ptr<PlaySink> ForLog(size_t task, const LogTask& log,
                                             const PanelPlan& plan) = 0;
};
