#pragma once
// A real dialog that, once shown, runs its benchmark from its own message loop and closes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/framework.h"

inline double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

template <class Dialog>
class BenchDialog : public Dialog {
public:
    explicit BenchDialog(int runs) : m_runs(std::max(1, runs)) {}

    BOOL OnInitDialog() override {
        Dialog::OnInitDialog();
        PostMessageW(this->m_hWnd, kRunBench, 0, 0);
        return TRUE;
    }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message != kRunBench)
            return Dialog::OnWndMsg(message, wParam, lParam, result);
        Prepare();
        for (int run = 0; run < m_runs; ++run)
            seconds.push_back(TimeOneRun());
        this->EndDialog(IDOK);
        return TRUE;
    }

    // "N runs: median …, min …, max …", once the dialog has closed.
    std::string Spread() const {
        std::vector<double> s = seconds;
        std::sort(s.begin(), s.end());
        char text[128] = "no runs";
        if (!s.empty())
            std::snprintf(text, sizeof text, "%zu runs: median %.3f s, min %.3f s, max %.3f s",
                          s.size(), s[s.size() / 2], s.front(), s.back());
        return text;
    }

    std::vector<double> seconds;

protected:
    virtual void Prepare() {}
    virtual double TimeOneRun() = 0;

private:
    static constexpr UINT kRunBench = WM_APP + 1;
    int m_runs;
};
