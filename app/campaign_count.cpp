#include "app/campaign_count.h"

#include <algorithm>
#include <exception>
#include <utility>

CampaignCount::~CampaignCount() {
    RequestStop();
    Join();
}

void CampaignCount::Start(HWND notify, const std::vector<BookingLine>& lines,
                          const std::vector<CampaignPanel>& panels,
                          const CampaignSettings& settings, WriteStep write) {
    Join();
    m_notify = notify;
    m_stop = false;
    m_write = false;
    m_lastPosted = -1;
    m_writeStep = std::move(write);
    m_outcome = CampaignStopped{};
    m_failure.clear();
    m_thread = std::thread([this, &lines, &panels, settings] { Run(lines, panels, settings); });
}

void CampaignCount::Run(const std::vector<BookingLine>& lines,
                        const std::vector<CampaignPanel>& panels,
                        const CampaignSettings& settings) {
    // Nothing may leave the thread: memory running out ends the count, said as its failure.
    try {
        m_outcome = EvaluateCampaign(lines, panels, settings, this);
        if (const auto* result = std::get_if<CampaignResult>(&m_outcome)) {
            PostMessageW(m_notify, kCountCounted, 0, 0);
            if (WaitForWrite())
                m_writeStep(*result);
            else
                m_outcome = CampaignStopped{};
        }
    } catch (const std::exception& error) {
        m_outcome = CampaignStopped{};
        m_failure = error.what();
    }
    PostMessageW(m_notify, kCountDone, 0, 0);
}

// The window's word, so that a window closing meanwhile writes nothing: false on a stop.
bool CampaignCount::WaitForWrite() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait(lock, [this] { return m_write || m_stop; });
    return !m_stop;
}

void CampaignCount::Write() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_write = true;
    m_wake.notify_one();
}

void CampaignCount::RequestStop() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_stop = true;
    m_wake.notify_one();
}

void CampaignCount::Join() {
    if (m_thread.joinable())
        m_thread.join();
}

// One message per thousandth at most, so that the window's queue never floods.
void CampaignCount::BytesRead(uint64_t read, uint64_t total) {
    const int done =
        total == 0 ? 1000 : static_cast<int>(std::min<uint64_t>(read, total) * 1000 / total);
    int last = m_lastPosted;
    while (done > last) {
        if (m_lastPosted.compare_exchange_weak(last, done)) {
            PostMessageW(m_notify, kCountProgress, static_cast<WPARAM>(done), 0);
            return;
        }
    }
}
