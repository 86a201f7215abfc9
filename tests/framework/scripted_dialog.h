#pragma once
// Runs a modal dialog and performs the test's steps inside its modal loop, one posted message
// per step: whatever a step posts (keys for the dialog manager) is handled before the next
// step runs. A dialog still open after the last step is ended with kScriptLeftOpen.
#include <functional>
#include <vector>

#include "framework/framework.h"

constexpr UINT kRunStep = WM_APP + 77;
constexpr INT_PTR kScriptLeftOpen = -77;

template <class Base>
class ScriptedDialog : public Base {
public:
    using Step = std::function<void()>;
    using Base::Base;

    INT_PTR Run(std::vector<Step> steps) {
        SetSteps(std::move(steps));
        return this->DoModal();
    }
    // For a dialog started some other way.
    void SetSteps(std::vector<Step> steps) {
        m_steps = std::move(steps);
        m_next = 0;
    }
    size_t StepsRun() const { return m_next; }

    // Presses a key in the focused control as the dialog's message loop would receive it.
    static void PostKey(UINT key) {
        HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        PostMessageW(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    }

    BOOL OnInitDialog() override {
        BOOL result = Base::OnInitDialog();
        PostMessageW(this->m_hWnd, kRunStep, 0, 0);
        return result;
    }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message != kRunStep)
            return Base::OnWndMsg(message, wParam, lParam, result);
        if (m_next < m_steps.size()) {
            m_steps[m_next++]();
            PostMessageW(this->m_hWnd, kRunStep, 0, 0);
        } else {
            ::EndDialog(this->m_hWnd, kScriptLeftOpen);
        }
        return TRUE;
    }

private:
    std::vector<Step> m_steps;
    size_t m_next = 0;
};
