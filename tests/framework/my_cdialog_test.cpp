#include "dialogfw/my_cdialog.h"

#include "controls/list_ctrl_ex.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <vector>

#include "tests/framework/scripted_dialog.h"
#include "tests/framework/test_resource.h"

namespace {

constexpr UINT kRedirected = WM_APP + 5;

struct Call {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class TestDialog : public MyCDialog {
public:
    TestDialog() : MyCDialog(IDD_TEST_DIALOG) {}

    static const MessageMap* ThisMessageMap() {
        static const MessageMapEntry entries[] = {
            OnControl(BN_CLICKED, IDC_CHECK, &TestDialog::OnCheckClicked),
        };
        static const MessageMap map{CDialog::ThisMessageMap(), entries, std::size(entries)};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }

    BOOL OnInitDialog() override {
        BOOL result = MyCDialog::OnInitDialog();
        ownerAtInit = m_owner;
        if (bindCheck) {
            BindingEntry entry{};
            entry.controlId = IDC_CHECK;
            entry.kind = CheckByte;
            entry.variable = &checked;
            AddBinding(entry);
            UpdateControls();
        }
        return result;
    }
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_LIST, list); }
    void OnDataChanged(int32_t id) override { dataChanged.push_back(id); }
    void OnUserMessage2100(void* record, int32_t n, int32_t set) override {
        calls.push_back({kUserMessage2100, reinterpret_cast<WPARAM>(record), n});
        setCount = set;
    }
    void OnUserMessage2101(WPARAM w, LPARAM l) override {
        calls.push_back({kUserMessage2101, w, l});
    }
    void OnUserMessage2102(WPARAM w, LPARAM l) override {
        calls.push_back({kUserMessage2102, w, l});
    }
    void OnUserMessage2103(WPARAM w, LPARAM l) override {
        calls.push_back({kUserMessage2103, w, l});
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == kRedirected)
            ++redirected;
        return MyCDialog::OnWndMsg(message, wParam, lParam, result);
    }
    void OnCancel() override {
        ++cancelCalls;
        MyCDialog::OnCancel();
    }

    HWND Item(int id) const { return GetDlgItem(id); }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(id)) != FALSE; }
    int FocusId() const { return GetDlgCtrlID(GetFocus()); }
    bool Redirect(int id, uint32_t message) { return RedirectEnter(id, m_hWnd, message); }
    using MyCDialog::SetEnterToNext;
    using MyCDialog::SetIgnoreCancel;

    ListCtrlEx list;
    HWND ownerAtInit = nullptr;
    bool bindCheck = false;
    uint8_t checked = 0;
    uint8_t checkedSeenByHandler = 0xFF;
    std::vector<int32_t> dataChanged;
    std::vector<Call> calls;
    int32_t setCount = -2;
    int redirected = 0;
    int cancelCalls = 0;

private:
    void OnCheckClicked() { checkedSeenByHandler = checked; }
};

using Scripted = ScriptedDialog<TestDialog>;

// ---- Initialisation and caption -------------------------------------------------------

TEST(DialogBaseInit, OwnerIsTheDialogWindowBeforeTheDerivedDialogBinds) {
    Scripted dialog;
    HWND window = nullptr;
    dialog.Run({[&] { window = dialog.m_hWnd; }});
    EXPECT_NE(window, nullptr);
    EXPECT_EQ(dialog.ownerAtInit, window);
}

TEST(DialogBaseInit, CaptionGivenToDoModalIsShownInItsCzechCharacters) {
    static const char kCaption[] =
        "P\xF8"
        "ehled m\xECs\xED"
        "ce";  // "Přehled měsíce"
    Scripted dialog;
    std::wstring shown;
    dialog.SetSteps({[&] {
        wchar_t text[64] = {};
        GetWindowTextW(dialog.m_hWnd, text, 64);
        shown = text;
    }});
    dialog.DoModal(kCaption);
    EXPECT_EQ(shown, L"P\u0159ehled m\u011Bs\u00EDce");
}

TEST(DialogBaseInit, PlainDoModalKeepsTheTemplateCaption) {
    Scripted dialog;
    std::string caption;
    dialog.Run({[&] { caption = dialog.GetWindowText(); }});
    EXPECT_EQ(caption,
              "Zku\x9A"
              "ebn\xED dialog");
}

// ---- Enter and Esc --------------------------------------------------------------------

TEST(DialogBaseKeys, WithDefaultFlagsEnterEndsWithOk) {
    Scripted dialog;
    INT_PTR result = dialog.Run({
        [&] { SetFocus(dialog.Item(IDC_EDIT_FIRST)); },
        [&] { Scripted::PostKey(VK_RETURN); },
    });
    EXPECT_EQ(result, IDOK);
}

TEST(DialogBaseKeys, WithDefaultFlagsEscRunsCancel) {
    Scripted dialog;
    INT_PTR result = dialog.Run({
        [&] { SetFocus(dialog.Item(IDC_EDIT_FIRST)); },
        [&] { Scripted::PostKey(VK_ESCAPE); },
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.cancelCalls, 1);
}

TEST(DialogBaseKeys, EnterToNextMovesFocusFromAnEditToTheNextControl) {
    Scripted dialog;
    dialog.SetEnterToNext(true);
    INT_PTR result = dialog.Run({
        [&] { SetFocus(dialog.Item(IDC_EDIT_FIRST)); },
        [&] { Scripted::PostKey(VK_RETURN); },
        [&] { EXPECT_EQ(dialog.FocusId(), IDC_EDIT_SECOND); },
    });
    EXPECT_EQ(result, kScriptLeftOpen) << "Enter in an edit must not close the dialog";
}

TEST(DialogBaseKeys, EnterToNextStillClosesOnTheOkButton) {
    Scripted dialog;
    dialog.SetEnterToNext(true);
    INT_PTR result = dialog.Run({
        [&] { SetFocus(dialog.Item(IDOK)); },
        [&] { Scripted::PostKey(VK_RETURN); },
    });
    EXPECT_EQ(result, IDOK);
}

TEST(DialogBaseKeys, IgnoreCancelKeepsTheDialogOpenOnEscAndCancelButton) {
    Scripted dialog;
    dialog.SetIgnoreCancel(true);
    INT_PTR result = dialog.Run({
        [&] { SetFocus(dialog.Item(IDC_EDIT_FIRST)); },
        [&] { Scripted::PostKey(VK_ESCAPE); },
        [&] { SendMessageW(dialog.Item(IDCANCEL), BM_CLICK, 0, 0); },
        [&] { EXPECT_EQ(dialog.cancelCalls, 0); },
    });
    EXPECT_EQ(result, kScriptLeftOpen);
}

// The redirect table lives in the binding engine; these need it linked.
#define REQUIRE_REDIRECT(ok) \
    if (!(ok))               \
    GTEST_SKIP() << "the binding engine keeps no redirect rows yet"

TEST(DialogBaseKeys, RedirectRowPostsItsMessageInsteadOfOk) {
    Scripted dialog;
    bool added = false;
    INT_PTR result = dialog.Run({
        [&] {
            added = dialog.Redirect(IDC_EDIT_SECOND, kRedirected);
            SetFocus(dialog.Item(IDC_EDIT_SECOND));
        },
        [&] { Scripted::PostKey(VK_RETURN); }, [&] {},  // the posted message arrives after the key
    });
    REQUIRE_REDIRECT(added);
    EXPECT_EQ(result, kScriptLeftOpen);
    EXPECT_EQ(dialog.redirected, 1);
}

TEST(DialogBaseKeys, RedirectRowWithMessageZeroSwallowsEnter) {
    Scripted dialog;
    bool added = false;
    INT_PTR result = dialog.Run({
        [&] {
            added = dialog.Redirect(IDC_EDIT_FIRST, 0);
            SetFocus(dialog.Item(IDC_EDIT_FIRST));
        },
        [&] { Scripted::PostKey(VK_RETURN); },
        [&] { EXPECT_EQ(dialog.FocusId(), IDC_EDIT_FIRST); },
    });
    REQUIRE_REDIRECT(added);
    EXPECT_EQ(result, kScriptLeftOpen);
    EXPECT_EQ(dialog.redirected, 0);
}

TEST(DialogBaseKeys, RedirectTableTakesTwentyRowsAndRefusesMore) {
    Scripted dialog;
    int added = 0;
    bool extra = true;
    bool missing = true;
    dialog.Run({[&] {
        missing = dialog.Redirect(4711, kRedirected);
        for (int i = 0; i < 20; ++i)
            added += dialog.Redirect(IDC_EDIT_FIRST, kRedirected) ? 1 : 0;
        extra = dialog.Redirect(IDC_EDIT_SECOND, kRedirected);
    }});
    EXPECT_FALSE(missing) << "no row for a control the dialog lacks";
    REQUIRE_REDIRECT(added > 0);
    EXPECT_EQ(added, 20);
    EXPECT_FALSE(extra);
    EXPECT_EQ(dialog.RedirectCount(), 20);
}

// ---- The binding engine runs before the dialog's handlers ------------------------------

TEST(DialogBaseRouting, ClickUpdatesTheBoundVariableBeforeTheDialogsHandler) {
    Scripted dialog;
    dialog.bindCheck = true;
    dialog.Run({[&] { SendMessageW(dialog.Item(IDC_CHECK), BM_CLICK, 0, 0); }});
    if (dialog.dataChanged.empty())
        GTEST_SKIP() << "the binding engine is not linked yet";
    EXPECT_EQ(dialog.checked, 1);
    EXPECT_EQ(dialog.checkedSeenByHandler, 1);
    EXPECT_EQ(dialog.dataChanged, (std::vector<int32_t>{0, IDC_CHECK}));
}

// The list's notifications pass the binding engine and still come back to the list.
void CellText(void*, ListViewItem* item) {
    if (item->mask & kListItemText)
        snprintf(item->pszText, static_cast<size_t>(item->cchTextMax), "%d/%d", item->iItem,
                 item->iSubItem);
}

TEST(DialogBaseRouting, ListNotificationsAreReflectedToTheList) {
    Scripted dialog;
    std::wstring text;
    LRESULT prePaint = -1;
    dialog.Run({[&] {
        dialog.list.InsertColumn(0, "A", LVCFMT_LEFT, 50);
        dialog.list.InsertColumn(1, "B", LVCFMT_LEFT, 50);
        dialog.list.SetTextCallback(nullptr, &CellText);
        dialog.list.SetItemCountEx(3);
        text = dialog.list.GetItemText(2, 1);
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.hdr = NMHDR{dialog.list.m_hWnd, IDC_LIST, static_cast<UINT>(NM_CUSTOMDRAW)};
        draw.nmcd.dwDrawStage = CDDS_PREPAINT;
        prePaint = dialog.SendMessage(WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&draw));
    }});
    EXPECT_EQ(text, L"2/1");
    EXPECT_EQ(prePaint, CDRF_NOTIFYITEMDRAW);
}

// ---- Custom messages ------------------------------------------------------------------

struct Record2100 {
    std::array<unsigned char, kUserRecordItemsOffset + 30 * kUserRecordItemSize> bytes{};
    void Set(int item) { bytes[kUserRecordItemsOffset + item * kUserRecordItemSize] = 1; }
};

TEST(DialogBaseMessages, Message2100CountsTheSetItemsAmongTheFirstN) {
    Scripted dialog;
    Record2100 record;
    record.Set(0);
    record.Set(2);
    record.Set(5);  // beyond n
    dialog.Run({[&] {
        dialog.SendMessage(kUserMessage2100, reinterpret_cast<WPARAM>(record.bytes.data()), 3);
    }});
    ASSERT_EQ(dialog.calls.size(), 1u);
    EXPECT_EQ(dialog.calls[0].wParam, reinterpret_cast<WPARAM>(record.bytes.data()));
    EXPECT_EQ(dialog.calls[0].lParam, 3);
    EXPECT_EQ(dialog.setCount, 2);
}

TEST(DialogBaseMessages, Message2100WithNOutsideZeroTo29GivesMinusOne) {
    Scripted dialog;
    Record2100 record;
    record.Set(0);
    std::vector<int32_t> counts;
    dialog.Run({[&] {
        for (LPARAM n : {LPARAM{30}, LPARAM{-1}, LPARAM{29}, LPARAM{0}, LPARAM{0x100000003}}) {
            dialog.SendMessage(kUserMessage2100, reinterpret_cast<WPARAM>(record.bytes.data()), n);
            counts.push_back(dialog.setCount);
        }
    }});
    EXPECT_EQ(counts, (std::vector<int32_t>{-1, -1, 1, 0, -1}));
}

TEST(DialogBaseMessages, Message2100WithoutRecordCountsMinusOne) {
    Scripted dialog;
    dialog.Run({[&] { dialog.SendMessage(kUserMessage2100, 0, 3); }});
    ASSERT_EQ(dialog.calls.size(), 1u);
    EXPECT_EQ(dialog.setCount, -1);
}

class PendingMessage : public testing::TestWithParam<UINT> {};

int32_t& PendingFlag(TestDialog& dialog, UINT message) {
    if (message == kUserMessage2101)
        return dialog.m_pending2101;
    if (message == kUserMessage2102)
        return dialog.m_pending2102;
    return dialog.m_pending2103;
}

TEST_P(PendingMessage, IsHandledOnceOnlyWhileItsFlagIsOne) {
    const UINT message = GetParam();
    Scripted dialog;
    int32_t& flag = PendingFlag(dialog, message);
    std::vector<int32_t> flags;
    dialog.Run({[&] {
        dialog.SendMessage(message, 1, 2);  // flag 0: ordinary handling, no call
        flag = 2;
        dialog.SendMessage(message, 3, 4);  // only exactly 1 counts
        flags.push_back(flag);
        flag = 1;
        dialog.SendMessage(message, 5, 6);
        flags.push_back(flag);
        dialog.SendMessage(message, 7, 8);  // repeated: ignored until set again
    }});
    ASSERT_EQ(dialog.calls.size(), 1u);
    EXPECT_EQ(dialog.calls[0].message, message);
    EXPECT_EQ(dialog.calls[0].wParam, 5u);
    EXPECT_EQ(dialog.calls[0].lParam, 6);
    EXPECT_EQ(flags, (std::vector<int32_t>{2, 0}));
}

INSTANTIATE_TEST_SUITE_P(DialogBaseMessages, PendingMessage,
                         testing::Values(kUserMessage2101, kUserMessage2102, kUserMessage2103));

// ---- Enabling a run of controls -------------------------------------------------------

TEST(EnableControlRange, DisablesTheRunInWindowOrderLabelsIncluded) {
    Scripted dialog;
    dialog.Run({[&] {
        dialog.EnableControlRange(IDC_FROM_HOUR, IDC_TO_MINUTE, false);
        for (int id : {IDC_FROM_HOUR, IDC_FROM_MINUTE, IDC_TO_HOUR, IDC_TO_MINUTE}) {
            EXPECT_FALSE(dialog.Enabled(id)) << id;
        }
        HWND colon = GetWindow(dialog.Item(IDC_FROM_HOUR), GW_HWNDNEXT);
        HWND to = GetWindow(dialog.Item(IDC_FROM_MINUTE), GW_HWNDNEXT);
        EXPECT_FALSE(IsWindowEnabled(colon)) << "the label between the edits";
        EXPECT_FALSE(IsWindowEnabled(to)) << "the label between the edits";
        HWND label = GetWindow(dialog.Item(IDC_FROM_HOUR), GW_HWNDPREV);
        EXPECT_TRUE(IsWindowEnabled(label)) << "the label before the first id";
        EXPECT_TRUE(dialog.Enabled(IDC_CHECK));
        EXPECT_TRUE(dialog.Enabled(IDC_AFTER_RANGE)) << "the walk stops after the last id";
        dialog.EnableControlRange(IDC_FROM_HOUR, IDC_TO_MINUTE, true);
        EXPECT_TRUE(IsWindowEnabled(colon));
        EXPECT_TRUE(dialog.Enabled(IDC_TO_MINUTE));
    }});
}

TEST(EnableControlRange, EqualIdsChangeOnlyThatControl) {
    Scripted dialog;
    dialog.Run({[&] {
        dialog.EnableControlRange(IDC_FROM_MINUTE, IDC_FROM_MINUTE, false);
        EXPECT_FALSE(dialog.Enabled(IDC_FROM_MINUTE));
        EXPECT_TRUE(IsWindowEnabled(GetWindow(dialog.Item(IDC_FROM_MINUTE), GW_HWNDNEXT)));
        EXPECT_TRUE(dialog.Enabled(IDC_FROM_HOUR));
    }});
}

TEST(EnableControlRange, LastIdBeforeTheFirstWalksToTheLastSiblingAndStops) {
    Scripted dialog;
    dialog.Run({[&] {
        dialog.EnableControlRange(IDC_ACTION, IDC_EDIT_FIRST, false);
        EXPECT_FALSE(dialog.Enabled(IDC_ACTION));
        EXPECT_FALSE(dialog.Enabled(IDCANCEL)) << "the last sibling";
        EXPECT_TRUE(dialog.Enabled(IDC_EDIT_FIRST)) << "the walk does not wrap around";
    }});
}

TEST(EnableControlRange, UnknownFirstIdChangesNothing) {
    Scripted dialog;
    dialog.Run({[&] {
        dialog.EnableControlRange(4711, IDC_TO_MINUTE, false);
        EXPECT_TRUE(dialog.Enabled(IDC_FROM_HOUR));
        EXPECT_TRUE(dialog.Enabled(IDC_TO_MINUTE));
    }});
}

}  // namespace
