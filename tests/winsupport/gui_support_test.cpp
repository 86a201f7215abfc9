#include "tests/winsupport/gui_support.h"

#include <gtest/gtest.h>

using winsupport::MessageBoxCatcher;

namespace {

class OwnerWindow {
public:
    OwnerWindow()
        : m_window(CreateWindowExW(0, L"STATIC", L"Vlastník", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                                   nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~OwnerWindow() { DestroyWindow(m_window); }
    HWND Get() const { return m_window; }

private:
    HWND m_window;
};

}  // namespace

TEST(MessageBoxCatcher, RecordsTextTitleButtonsAndIconAndGivesTheAnswer) {
    winsupport::PreferUnmanagedWindowsUnderWine();
    OwnerWindow owner;
    MessageBoxCatcher catcher(IDNO);
    EXPECT_EQ(MessageBoxW(owner.Get(), L"Ukončit program ?", L"Vintaro Kvimeter",
                          MB_YESNO | MB_ICONQUESTION),
              IDNO);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].owner, owner.Get());
    EXPECT_EQ(catcher.Boxes()[0].text, L"Ukončit program ?");
    EXPECT_EQ(catcher.Boxes()[0].title, L"Vintaro Kvimeter");
    EXPECT_EQ(catcher.Boxes()[0].buttons, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(catcher.Boxes()[0].icon, static_cast<UINT>(MB_ICONQUESTION));
}

TEST(MessageBoxCatcher, TellsTheIconsAndButtonSetsApart) {
    winsupport::PreferUnmanagedWindowsUnderWine();
    MessageBoxCatcher catcher;
    MessageBoxW(nullptr, L"a", L"t", MB_OK | MB_ICONEXCLAMATION);
    MessageBoxW(nullptr, L"b", L"t", MB_OKCANCEL | MB_ICONHAND);
    MessageBoxW(nullptr, L"c", L"t", MB_OK);
    ASSERT_EQ(catcher.Boxes().size(), 3u);
    EXPECT_EQ(catcher.Boxes()[0].icon, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(catcher.Boxes()[0].buttons, static_cast<UINT>(MB_OK));
    EXPECT_EQ(catcher.Boxes()[1].icon, static_cast<UINT>(MB_ICONHAND));
    EXPECT_EQ(catcher.Boxes()[1].buttons, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(catcher.Boxes()[2].icon, 0u);
    EXPECT_EQ(catcher.Boxes()[2].owner, nullptr);
}

TEST(MessageBoxCatcher, TheLatestCatcherAnswersAndTheOuterOneTakesOverWhenItGoes) {
    winsupport::PreferUnmanagedWindowsUnderWine();
    MessageBoxCatcher outer(IDCANCEL);
    {
        MessageBoxCatcher inner(IDOK);
        EXPECT_EQ(MessageBoxW(nullptr, L"x", L"t", MB_OKCANCEL), IDOK);
        EXPECT_EQ(inner.Boxes().size(), 1u);
        EXPECT_TRUE(outer.Boxes().empty());
    }
    EXPECT_EQ(MessageBoxW(nullptr, L"y", L"t", MB_OKCANCEL), IDCANCEL);
    ASSERT_EQ(outer.Boxes().size(), 1u);
    EXPECT_EQ(outer.Boxes()[0].text, L"y");
}
