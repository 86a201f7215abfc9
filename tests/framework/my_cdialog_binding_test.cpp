// The dialog base with its binding engine, driven as a user drives the program's main dialog:
// a derived dialog binds a month combo box, a time-filter check box and four time edits, greys
// the time window out while the filter is off, and asks before it closes on Esc. Keys go
// through the dialog's own message loop; message boxes are answered by the catcher.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogfw/my_cdialog.h"
#include "tests/winsupport/gui_support.h"
#include "tests/winsupport/scripted_dialog.h"
#include "tests/winsupport/test_resource.h"

using winsupport::kScriptLeftOpen;
using winsupport::MessageBoxCatcher;
using winsupport::ScriptedDialog;

namespace {

class MonthDialog : public MyCDialog {
public:
    MonthDialog() : MyCDialog(IDD_TEST_DIALOG) {}

    static const MessageMap* ThisMessageMap() {
        static const MessageMapEntry entries[] = {
            OnControl(BN_CLICKED, IDC_CHECK, &MonthDialog::OnTimeFilterClicked),
        };
        static const MessageMap map{CDialog::ThisMessageMap(), entries, std::size(entries)};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }

    BOOL OnInitDialog() override {
        MyCDialog::OnInitDialog();
        for (const wchar_t* month : {L"2026-10", L"2026-11", L"2026-12"}) {
            ::SendMessageW(Item(IDC_COMBO_LIST), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(month));
        }
        BindingEntry entry{};
        entry.controlId = IDC_COMBO_LIST;
        entry.kind = ComboIndex;
        entry.variable = &m_nMonth;
        AddBinding(entry);
        entry.controlId = IDC_CHECK;
        entry.kind = CheckByte;
        entry.variable = &m_bTimeFilter;
        AddBinding(entry);
        AddIntEdit(IDC_FROM_HOUR, &m_nFromHour);
        AddIntEdit(IDC_FROM_MINUTE, &m_nFromMinute);
        AddIntEdit(IDC_TO_HOUR, &m_nToHour);
        AddIntEdit(IDC_TO_MINUTE, &m_nToMinute);
        // A validated edit, to see a refusal through the dialog's own focus handling.
        entry = BindingEntry{};
        entry.controlId = IDC_EDIT_SECOND;
        entry.kind = EditInt;
        entry.variable = &m_nMinute;
        entry.params.integer = {0, 59, 0};
        AddBinding(entry);
        UpdateControls();
        return TRUE;
    }

    void OnDataChanged(int32_t id) override {
        changes.push_back(id);
        EnableControlRange(IDC_FROM_HOUR, IDC_TO_MINUTE, m_bTimeFilter != 0);
    }

    void OnCancel() override {
        if (MessageBoxW(m_hWnd, L"Ukon\u010Dit program ?", L"Vintaro Kvimeter",
                        MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES) {
            MyCDialog::OnCancel();
        }
    }

    HWND Item(int id) const { return GetDlgItem(id); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    std::wstring Text(int id) const { return winsupport::WindowText(Item(id)); }
    int FocusId() const { return GetDlgCtrlID(GetFocus()); }
    // The dialog manager's way into a control: an edit gets its whole text selected.
    void GoTo(int id) { SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE); }

    int32_t m_nMonth = 0;
    uint8_t m_bTimeFilter = 0;
    int32_t m_nFromHour = 0;
    int32_t m_nFromMinute = 0;
    int32_t m_nToHour = 24;
    int32_t m_nToMinute = 0;
    int32_t m_nMinute = 30;

    std::vector<int32_t> changes;
    int filterSeenByHandler = -1;

private:
    void OnTimeFilterClicked() { filterSeenByHandler = m_bTimeFilter; }
};

using Scripted = ScriptedDialog<MonthDialog>;
using Changes = std::vector<int32_t>;

// Characters typed into the focused control, as the keyboard delivers them.
void PostText(const wchar_t* text) {
    for (; *text != L'\0'; ++text) {
        PostMessageW(GetFocus(), WM_CHAR, *text, 1);
    }
}

const int kTimeWindow[] = {IDC_FROM_HOUR, IDC_FROM_MINUTE, IDC_TO_HOUR, IDC_TO_MINUTE};

TEST(DialogWithBindings, StartsWithEveryValueShownAndTheTimeWindowGreyedOut) {
    Scripted dialog;
    std::vector<std::wstring> texts;
    std::vector<bool> enabled;
    bool labelEnabled = true;
    LRESULT month = -2;
    LRESULT filter = -2;
    dialog.Run({[&] {
        month = SendMessageW(dialog.Item(IDC_COMBO_LIST), CB_GETCURSEL, 0, 0);
        filter = SendMessageW(dialog.Item(IDC_CHECK), BM_GETCHECK, 0, 0);
        for (int id : kTimeWindow) {
            texts.push_back(dialog.Text(id));
            enabled.push_back(dialog.Enabled(id));
        }
        labelEnabled = IsWindowEnabled(GetWindow(dialog.Item(IDC_FROM_HOUR), GW_HWNDNEXT));
        EXPECT_TRUE(dialog.Enabled(IDC_CHECK));
        EXPECT_EQ(SendMessageW(dialog.Item(IDC_TO_HOUR), EM_GETLIMITTEXT, 0, 0), 12);
    }});
    EXPECT_EQ(month, 0);
    EXPECT_EQ(filter, BST_UNCHECKED);
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"0", L"0", L"24", L"0"}));
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, false, false}));
    EXPECT_FALSE(labelEnabled) << "the label between the edits is greyed out with them";
    EXPECT_EQ(dialog.changes, Changes{0}) << "one report after all values are written";
}

TEST(DialogWithBindings, SpaceOnTheFilterCheckBoxEnablesTheTimeWindowBeforeTheHandlerRuns) {
    Scripted dialog;
    std::vector<bool> enabled;
    dialog.Run({
        [&] { dialog.GoTo(IDC_CHECK); },
        [&] { Scripted::PostKey(VK_SPACE); },
        [&] {
            for (int id : kTimeWindow)
                enabled.push_back(dialog.Enabled(id));
        },
    });
    EXPECT_EQ(dialog.m_bTimeFilter, 1);
    EXPECT_EQ(dialog.filterSeenByHandler, 1) << "the variable is current when the handler runs";
    EXPECT_EQ(enabled, (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(dialog.changes, (Changes{0, IDC_CHECK}));
}

TEST(DialogWithBindings, TypedDigitsReachTheVariableWithEveryKey) {
    Scripted dialog;
    dialog.m_bTimeFilter = 1;
    std::vector<int32_t> seen;
    Changes changes;
    dialog.Run({
        [&] { dialog.GoTo(IDC_TO_HOUR); },
        [&] { PostText(L"1"); },
        [&] { seen.push_back(dialog.m_nToHour); },
        [&] { PostText(L"8"); },
        [&] {
            seen.push_back(dialog.m_nToHour);
            changes = dialog.changes;  // closing the dialog takes the focus: one more read
        },
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 18})) << "the selected 24 was typed over";
    EXPECT_EQ(changes, (Changes{0, IDC_TO_HOUR, IDC_TO_HOUR}));
}

TEST(DialogWithBindings, ArrowKeyInTheMonthComboBoxChoosesTheNextMonth) {
    Scripted dialog;
    dialog.Run({
        [&] { dialog.GoTo(IDC_COMBO_LIST); },
        [&] { Scripted::PostKey(VK_DOWN); },
    });
    EXPECT_EQ(dialog.m_nMonth, 1);
    EXPECT_EQ(dialog.changes, (Changes{0, IDC_COMBO_LIST}));
}

TEST(DialogWithBindings, EnterInAnEditEndsWithOkWithoutAQuestionAndTheValuesAsTyped) {
    Scripted dialog;
    dialog.m_bTimeFilter = 1;
    MessageBoxCatcher boxes(IDNO);
    INT_PTR result = dialog.Run({
        [&] { dialog.GoTo(IDC_FROM_MINUTE); },
        [&] { PostText(L"45"); },
        [&] { Scripted::PostKey(VK_RETURN); },
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_nFromMinute, 45);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(DialogWithBindings, EscAsksTheExitQuestionAndNoKeepsTheDialogOpen) {
    Scripted dialog;
    MessageBoxCatcher boxes(IDNO);
    HWND window = nullptr;
    INT_PTR result = dialog.Run({
        [&] {
            window = dialog.m_hWnd;
            dialog.GoTo(IDC_EDIT_FIRST);
        },
        [&] { Scripted::PostKey(VK_ESCAPE); },
        [&] { EXPECT_TRUE(IsWindowVisible(dialog.m_hWnd)); },
    });
    EXPECT_EQ(result, kScriptLeftOpen);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, L"Ukon\u010Dit program ?");
    EXPECT_EQ(boxes.Boxes()[0].title, L"Vintaro Kvimeter");
    EXPECT_EQ(boxes.Boxes()[0].buttons, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(boxes.Boxes()[0].icon, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.Boxes()[0].owner, window);
}

TEST(DialogWithBindings, EscAnsweredYesEndsWithCancel) {
    Scripted dialog;
    MessageBoxCatcher boxes(IDYES);
    INT_PTR result = dialog.Run({
        [&] { dialog.GoTo(IDC_EDIT_FIRST); },
        [&] { Scripted::PostKey(VK_ESCAPE); },
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

// The Tab key is handed to the dialog manager at once, so that the state is seen as the refusal
// leaves it. (Under Wine the window system reports the box's focus changes late and deactivates
// the dialog once more afterwards; a valid text then keeps that from refusing again.)
TEST(DialogWithBindings, TabOutOfARefusedNumberShowsTheMessageAndReturnsToTheEdit) {
    Scripted dialog;
    MessageBoxCatcher boxes;
    std::vector<winsupport::CaughtMessageBox> shown;
    int focusAfter = 0;
    DWORD selStart = 1;
    DWORD selEnd = 0;
    dialog.Run({
        [&] { dialog.GoTo(IDC_EDIT_SECOND); },
        [&] { PostText(L"75"); },
        [&] {
            MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
            IsDialogMessageW(dialog.m_hWnd, &tab);
            shown = boxes.Boxes();
            focusAfter = dialog.FocusId();
            SendMessageW(dialog.Item(IDC_EDIT_SECOND), EM_GETSEL,
                         reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
            SetWindowTextW(dialog.Item(IDC_EDIT_SECOND), L"7");
        },
    });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"Vlo\u017Ete \u010D\u00EDslo mezi 0 a 59.");
    EXPECT_EQ(shown[0].title, L"kv_my_cdialog_tests");
    EXPECT_EQ(shown[0].icon, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(focusAfter, IDC_EDIT_SECOND);
    EXPECT_EQ(selStart, 0u);
    EXPECT_EQ(selEnd, 2u) << "the whole text selected";
    EXPECT_EQ(dialog.m_nMinute, 7) << "75 was refused, 7 was taken while typing";
}

TEST(DialogWithBindings, LockedControlsTakeNoInputAndUnlockRestoresThem) {
    Scripted dialog;
    dialog.m_bTimeFilter = 1;
    dialog.Run({[&] {
        dialog.LockControls(true);
        EXPECT_TRUE(GetWindowLongW(dialog.Item(IDC_FROM_HOUR), GWL_STYLE) & ES_READONLY);
        EXPECT_FALSE(dialog.Enabled(IDC_COMBO_LIST));
        EXPECT_FALSE(dialog.Enabled(IDC_CHECK));
        dialog.LockControls(false);
        EXPECT_FALSE(GetWindowLongW(dialog.Item(IDC_FROM_HOUR), GWL_STYLE) & ES_READONLY);
        EXPECT_TRUE(dialog.Enabled(IDC_COMBO_LIST));
        EXPECT_TRUE(dialog.Enabled(IDC_CHECK));
    }});
}

}  // namespace
