// Times the window's main road under Wine or Windows: the click on "Načíst data" until the list
// has painted its rows, on the real main dialog. Run in a folder whose log/ holds the month.
//   bench_window.exe YYYY-MM RUNS
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/resource.h"
#include "app/tarvex_dlg.h"

namespace {

constexpr UINT kRunBench = WM_APP + 1;

class TimedDialog : public CTarvexDlg {
public:
    TimedDialog(const wchar_t* month, int runs) : m_month(month), m_runs(runs) {}

    BOOL OnInitDialog() override {
        CTarvexDlg::OnInitDialog();
        PostMessageW(m_hWnd, kRunBench, 0, 0);
        return TRUE;
    }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message != kRunBench)
            return CTarvexDlg::OnWndMsg(message, wParam, lParam, result);
        HWND combo = GetDlgItem(IDC_MONTH);
        const LRESULT index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(m_month));
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MONTH, CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(combo));
        for (int run = 0; run < m_runs; ++run)
            seconds.push_back(TimeOneLoad());
        rows = m_list.GetItemCount();
        EndDialog(IDOK);
        return TRUE;
    }

    std::vector<double> seconds;
    int rows = 0;

private:
    double TimeOneLoad() {
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        ::SendMessageW(GetDlgItem(IDC_LOAD), BM_CLICK, 0, 0);
        InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
        UpdateWindow(m_list.m_hWnd);
        QueryPerformanceCounter(&end);
        return static_cast<double>(end.QuadPart - start.QuadPart) /
               static_cast<double>(frequency.QuadPart);
    }

    const wchar_t* m_month;
    int m_runs;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_window YYYY-MM RUNS\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const std::wstring month = ToWide(argv[1]);
    TimedDialog dialog(month.c_str(), std::max(1, std::atoi(argv[2])));
    dialog.DoModal();
    std::vector<double> s = dialog.seconds;
    if (s.empty())
        return 1;
    std::sort(s.begin(), s.end());
    std::printf(
        "click on load to painted list (%d rows), %zu runs: median %.3f s, min %.3f s, "
        "max %.3f s\n",
        dialog.rows, s.size(), s[s.size() / 2], s.front(), s.back());
    return 0;
}
