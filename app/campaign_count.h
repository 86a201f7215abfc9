#pragma once
// A campaign counted on a worker thread of its own. The thread never touches a control: it
// posts kCountProgress (wParam: thousandths done) and, at its end, kCountDone to the window
// that started it, and it stops when asked between pieces of work.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "campaign/campaign.h"

constexpr UINT kCountProgress = WM_APP + 20;
constexpr UINT kCountDone = WM_APP + 21;

class CampaignCount : private CampaignProgress {
public:
    CampaignCount() = default;
    ~CampaignCount() override;
    CampaignCount(const CampaignCount&) = delete;
    CampaignCount& operator=(const CampaignCount&) = delete;

    // The lines and panels must stay as they are until Join.
    void Start(HWND notify, const std::vector<BookingLine>& lines,
               const std::vector<CampaignPanel>& panels, const CampaignSettings& settings);
    void RequestStop() { m_stop = true; }
    // Waits for the thread; then Outcome is the count's.
    void Join();
    bool Running() const { return m_thread.joinable(); }
    const CampaignOutcome& Outcome() const { return m_outcome; }
    // Why the count failed before it had an outcome, "" when it did not.
    const std::string& Failure() const { return m_failure; }

private:
    void BytesRead(uint64_t read, uint64_t total) override;
    bool StopRequested() override { return m_stop; }

    HWND m_notify = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_lastPosted{-1};
    CampaignOutcome m_outcome;
    std::string m_failure;
};
