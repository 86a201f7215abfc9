// Times the window's main road under Wine or Windows: the click on "Načíst data" until the list
// has painted its rows, on the real main dialog. Run in a folder whose log/ holds the month.
//   bench_window.exe YYYY-MM RUNS
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/resource.h"
#include "app/tarvex_dlg.h"
#include "bench/window/bench_dialog.h"

namespace {

class TimedDialog : public BenchDialog<CTarvexDlg> {
public:
    TimedDialog(const wchar_t* month, int runs) : BenchDialog(runs), m_month(month) {}

    int rows = 0;

private:
    void Prepare() override {
        HWND combo = GetDlgItem(IDC_MONTH);
        const LRESULT index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(m_month));
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MONTH, CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(combo));
    }

    double TimeOneRun() override {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        ::SendMessageW(GetDlgItem(IDC_LOAD), BM_CLICK, 0, 0);
        InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
        UpdateWindow(m_list.m_hWnd);
        QueryPerformanceCounter(&end);
        rows = m_list.GetItemCount();
        return Seconds(start, end);
    }

    const wchar_t* m_month;
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
    TimedDialog dialog(month.c_str(), std::atoi(argv[2]));
    dialog.DoModal();
    if (dialog.seconds.empty())
        return 1;
    std::printf("click on load to painted list (%d rows), %s\n", dialog.rows,
                dialog.Spread().c_str());
    return 0;
}
