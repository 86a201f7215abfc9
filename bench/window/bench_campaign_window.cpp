// Times the campaign dialog's count under Wine or Windows, on the real dialog: the click on
// "Vyhodnotit" until the result list is filled and both files are written; and, meanwhile, how
// long a message sent to the dialog from another thread waits for its answer; then how long the
// filled result list takes to answer each message of a look through it. Run in a folder whose
// subfolders are the panels, beside the booking file.
//   bench_campaign_window.exe BOOKING RUNS
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/campaign_dlg.h"
#include "app/resource.h"
#include "bench/window/bench_dialog.h"

namespace {

class TimedCampaign : public BenchDialog<CCampaignDlg> {
public:
    TimedCampaign(const wchar_t* booking, int runs) : BenchDialog(runs), m_booking(booking) {}

    double longestAnswer = 0;
    double longestListMessage = 0;
    std::string listMessages;  // the last run's, each message with its time
    int rows = 0;
    size_t panels = 0;

private:
    void Prepare() override { SetDlgItemTextW(m_hWnd, IDC_BOOKING_PATH, m_booking); }

    // The count, with a second thread asking the dialog a question every 10 ms meanwhile.
    double TimeOneRun() override {
        std::atomic<bool> counting{true};
        std::atomic<bool> askerDone{false};
        std::thread asker([&] {
            for (; counting; Sleep(10)) {
                // A question asked during the count counts, also when its answer comes after.
                const bool asked = counting;
                LARGE_INTEGER sent, answered;
                QueryPerformanceCounter(&sent);
                DWORD_PTR ignored = 0;
                SendMessageTimeoutW(m_hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
                QueryPerformanceCounter(&answered);
                if (asked)
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
        rows = m_resultList.GetItemCount();
        panels = m_panels.Folders().size();
        TimeListMessages();
        return Seconds(start, end);
    }

    // Each message on its own, with the paint it causes: the rows set again, the first page
    // painted, the end and the start, a page down, every row selected and none, a typed letter.
    void TimeListMessages() {
        const HWND list = m_resultList.m_hWnd;
        listMessages.clear();
        const auto timed = [&](UINT message, WPARAM wParam, LPARAM lParam) {
            LARGE_INTEGER sent, answered;
            QueryPerformanceCounter(&sent);
            ::SendMessageW(list, message, wParam, lParam);
            UpdateWindow(list);
            QueryPerformanceCounter(&answered);
            longestListMessage = std::max(longestListMessage, Seconds(sent, answered));
            char text[64];
            std::snprintf(text, sizeof text, "%s0x%X %.0f ms", listMessages.empty() ? "" : ", ",
                          message, Seconds(sent, answered) * 1000);
            listMessages += text;
        };
        LVITEMW all{};
        all.stateMask = LVIS_SELECTED;
        timed(LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
        InvalidateRect(list, nullptr, TRUE);
        timed(WM_PAINT, 0, 0);
        timed(WM_KEYDOWN, VK_END, 0);
        timed(WM_KEYDOWN, VK_HOME, 0);
        timed(WM_KEYDOWN, VK_NEXT, 0);
        all.state = LVIS_SELECTED;
        timed(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
        all.state = 0;
        timed(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
        timed(WM_CHAR, L'K', 0);
    }

    const wchar_t* m_booking;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_campaign_window BOOKING RUNS\n");
        return 2;
    }
    const std::wstring booking = ToWide(argv[1]);
    TimedCampaign dialog(booking.c_str(), std::atoi(argv[2]));
    dialog.DoModal();
    if (dialog.seconds.empty() || dialog.rows == 0)
        return 1;
    std::printf(
        "dialog: click on Vyhodnotit to the filled result list (%zu panels, %d rows), %s; "
        "longest answer to a message meanwhile %.0f ms; the filled list's longest answer to a "
        "message %.0f ms\n",
        dialog.panels, dialog.rows, dialog.Spread().c_str(), dialog.longestAnswer * 1000,
        dialog.longestListMessage * 1000);
    std::printf("the list's messages: %s\n", dialog.listMessages.c_str());
    return 0;
}
