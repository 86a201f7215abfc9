#pragma once
// A campaign counted on a worker thread of its own, which then writes what was counted. The
// thread never touches a control: it posts kCountProgress (wParam: thousandths done), then
// kCountCounted and waits for the window's word to write (or for a stop, which writes nothing),
// and at its end kCountDone to the window that started it. It stops when asked between pieces of
// the count; the writing, once begun, is never cut short, so a set of files is never half made.
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "campaign/campaign.h"

constexpr UINT kCountProgress = WM_APP + 20;
constexpr UINT kCountDone = WM_APP + 21;
constexpr UINT kCountCounted = WM_APP + 22;

class CampaignCount : private CampaignProgress {
public:
    // Writes the counted result's files, on the worker thread.
    using WriteStep = std::function<void(const CampaignResult&)>;

    CampaignCount() = default;
    ~CampaignCount() override;
    CampaignCount(const CampaignCount&) = delete;
    CampaignCount& operator=(const CampaignCount&) = delete;

    // The lines and panels, and what the write step uses, must stay as they are until Join.
    void Start(HWND notify, const std::vector<BookingLine>& lines,
               const std::vector<CampaignPanel>& panels, const CampaignSettings& settings,
               WriteStep write);
    // Once counted, the write step runs; a stop asked for before this leaves it out.
    void Write();
    void RequestStop();
    // Waits for the thread; then Outcome is the count's.
    void Join();
    bool Running() const { return m_thread.joinable(); }
    const CampaignOutcome& Outcome() const { return m_outcome; }
    CampaignOutcome TakeOutcome() { return std::move(m_outcome); }
    // Why the count failed before it had an outcome, "" when it did not.
    const std::string& Failure() const { return m_failure; }

private:
    void Run(const std::vector<BookingLine>& lines, const std::vector<CampaignPanel>& panels,
             const CampaignSettings& settings);
    bool WaitForWrite();
    void BytesRead(uint64_t read, uint64_t total) override;
    bool StopRequested() override { return m_stop; }

    HWND m_notify = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_lastPosted{-1};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_write = false;  // under m_mutex
    WriteStep m_writeStep;
    CampaignOutcome m_outcome;
    std::string m_failure;
};
