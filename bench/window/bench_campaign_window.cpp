// Times the campaign dialog's count under Wine or Windows, on the real dialog: the click on
// "Vyhodnotit" until the result list is filled and both files are written; and, meanwhile, how
// long a message sent to the dialog from another thread waits for its answer. Run in a folder
// whose subfolders are the panels, beside the booking file.
//   bench_campaign_window.exe BOOKING RUNS
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/campaign_dlg.h"
#include "app/resource.h"

namespace {

constexpr UINT kRunBench = WM_APP + 1;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

class TimedCampaign : public CCampaignDlg {
public:
    TimedCampaign(const wchar_t* booking, int runs) : m_booking(booking), m_runs(runs) {}

    BOOL OnInitDialog() override {
        CCampaignDlg::OnInitDialog();
        PostMessageW(m_hWnd, kRunBench, 0, 0);
        return TRUE;
    }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message != kRunBench)
            return CCampaignDlg::OnWndMsg(message, wParam, lParam, result);
        SetDlgItemTextW(m_hWnd, IDC_BOOKING_PATH, m_booking);
        for (int run = 0; run < m_runs; ++run)
            seconds.push_back(TimeOneCount());
        rows = m_resultList.GetItemCount();
        panels = m_panels.Folders().size();
        EndDialog(IDOK);
        return TRUE;
    }

    std::vector<double> seconds;
    double longestAnswer = 0;
    int rows = 0;
    size_t panels = 0;

private:
    // The count, with a second thread asking the dialog a question every 10 ms meanwhile.
    double TimeOneCount() {
        std::atomic<bool> counting{true};
        std::atomic<bool> askerDone{false};
        std::thread asker([&] {
            for (; counting; Sleep(10)) {
                LARGE_INTEGER sent, answered;
                QueryPerformanceCounter(&sent);
                DWORD_PTR ignored = 0;
                SendMessageTimeoutW(m_hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
                QueryPerformanceCounter(&answered);
                if (counting)
                    longestAnswer = std::max(longestAnswer, Seconds(sent, answered));
            }
            askerDone = true;
        });
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        ::SendMessageW(GetDlgItem(IDC_EVALUATE), BM_CLICK, 0, 0);
        MSG msg;
        while (CountRunning() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        UpdateWindow(m_resultList.m_hWnd);
        QueryPerformanceCounter(&end);
        counting = false;
        // The asker may be waiting for an answer: it gets one before the join.
        while (!askerDone) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        asker.join();
        return Seconds(start, end);
    }

    const wchar_t* m_booking;
    int m_runs;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_campaign_window BOOKING RUNS\n");
        return 2;
    }
    const std::wstring booking = ToWide(argv[1]);
    TimedCampaign dialog(booking.c_str(), std::max(1, std::atoi(argv[2])));
    dialog.DoModal();
    std::vector<double> s = dialog.seconds;
    if (s.empty() || dialog.rows == 0)
        return 1;
    std::sort(s.begin(), s.end());
    std::printf(
        "dialog: click on Vyhodnotit to the filled result list (%zu panels, %d rows), %zu runs: "
        "median %.3f s, min %.3f s, max %.3f s; longest answer to a message meanwhile %.0f ms\n",
        dialog.panels, dialog.rows, s.size(), s[s.size() / 2], s.front(), s.back(),
        dialog.longestAnswer * 1000);
    return 0;
}
