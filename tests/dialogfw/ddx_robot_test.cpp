// The binding engine on the real controls of a test dialog. The dialog procedure forwards
// control commands and notifications to the engine the way the dialog base does.
#include "dialogfw/ddx_robot.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/winsupport/gui_support.h"
#include "tests/winsupport/test_resource.h"

using winsupport::CaughtMessageBox;
using winsupport::MessageBoxCatcher;

namespace {

class TestRobot : public DDX_Robot {
public:
    void SetOwner(HWND owner) { m_owner = owner; }
    void OnDataChanged(int32_t controlId) override {
        changes.push_back(controlId);
        if (onChange) {
            onChange(controlId);
        }
    }

    bool forwarding = true;
    std::vector<int32_t> changes;
    std::function<void(int32_t)> onChange;
};

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* robot = reinterpret_cast<TestRobot*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
            reinterpret_cast<TestRobot*>(lParam)->SetOwner(dialog);
            return TRUE;
        case WM_COMMAND:
            if (robot != nullptr && robot->forwarding && lParam != 0) {
                robot->OnControlCommand(reinterpret_cast<HWND>(lParam),
                                        static_cast<uint32_t>(wParam));
            }
            return TRUE;
        case WM_NOTIFY:
            if (robot != nullptr && robot->forwarding) {
                robot->OnControlNotify(static_cast<uint32_t>(wParam),
                                       reinterpret_cast<const NMHDR*>(lParam));
            }
            return FALSE;
        default:
            return FALSE;
    }
}

class BindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dialog = winsupport::CreateTestDialog(IDD_TEST_DIALOG, TestDialogProc,
                                                reinterpret_cast<LPARAM>(&robot));
        ASSERT_NE(m_dialog, nullptr);
    }
    void TearDown() override {
        // The focused edit loses the focus when the dialog goes; that is no user's action.
        robot.forwarding = false;
        DestroyWindow(m_dialog);
        winsupport::PumpMessages();
    }

    HWND Control(int id) const { return GetDlgItem(m_dialog, id); }
    std::wstring Text(int id) const { return winsupport::WindowText(Control(id)); }

    // The edit raises EN_CHANGE itself, as when the user types.
    void Type(int id, const wchar_t* text) { SetWindowTextW(Control(id), text); }

    // Text entered into the edit of a drop-down combo box (all of it replaced, as by a paste):
    // the combo box reports CBN_EDITCHANGE.
    void TypeInCombo(int id, const wchar_t* text) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(Control(id), &info);
        SendMessageW(info.hwndItem, EM_SETSEL, 0, -1);
        SendMessageW(info.hwndItem, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }

    // A focus that leaves the control the way a user's Tab does: EN_KILLFOCUS.
    void Leave(int id) {
        SetFocus(Control(id));
        SetFocus(Control(IDC_ACTION));
    }

    void SendCommand(int id, int code) {
        SendMessageW(m_dialog, WM_COMMAND, MAKEWPARAM(id, code),
                     reinterpret_cast<LPARAM>(Control(id)));
    }

    void AddItems(int id, std::initializer_list<const wchar_t*> items) {
        for (const wchar_t* item : items) {
            SendMessageW(Control(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
    }

    void SetItemData(int id, int item, LPARAM data) {
        SendMessageW(Control(id), CB_SETITEMDATA, item, data);
    }

    // The user picks an item: the selection moves, then CBN_SELCHANGE arrives.
    void Choose(int id, int item) {
        SendMessageW(Control(id), CB_SETCURSEL, item, 0);
        SendCommand(id, CBN_SELCHANGE);
    }

    LRESULT Selected(int id) const { return SendMessageW(Control(id), CB_GETCURSEL, 0, 0); }
    LRESULT CheckState(int id) const { return SendMessageW(Control(id), BM_GETCHECK, 0, 0); }
    void Click(int id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }

    void SetCheckState(int id, WPARAM state) { SendMessageW(Control(id), BM_SETCHECK, state, 0); }

    SYSTEMTIME PickerTime() const {
        SYSTEMTIME time{};
        SendMessageW(Control(IDC_DATE), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
        return time;
    }

    // The user sets the picker: the date changes, then DTN_DATETIMECHANGE arrives.
    void PickDate(WORD year, WORD month, WORD day) {
        SYSTEMTIME time{};
        time.wYear = year;
        time.wMonth = month;
        time.wDay = day;
        SendMessageW(Control(IDC_DATE), DTM_SETSYSTEMTIME, GDT_VALID,
                     reinterpret_cast<LPARAM>(&time));
        NMDATETIMECHANGE change{};
        change.nmhdr.hwndFrom = Control(IDC_DATE);
        change.nmhdr.idFrom = IDC_DATE;
        change.nmhdr.code = DTN_DATETIMECHANGE;
        change.dwFlags = GDT_VALID;
        change.st = time;
        SendMessageW(m_dialog, WM_NOTIFY, IDC_DATE, reinterpret_cast<LPARAM>(&change));
    }

    bool IsReadOnly(HWND window) const {
        return (GetWindowLongW(window, GWL_STYLE) & ES_READONLY) != 0;
    }

    // Edits and the address control's fields are read-only, the rest disabled, or neither.
    void ExpectLocked(bool locked) {
        EXPECT_EQ(IsReadOnly(Control(IDC_EDIT_FIRST)), locked);
        EXPECT_TRUE(IsWindowEnabled(Control(IDC_EDIT_FIRST)));
        EXPECT_TRUE(IsWindowEnabled(Control(IDC_ADDRESS)));
        for (int id : {IDC_COMBO_LIST, IDC_CHECK, IDC_RADIO_0, IDC_DATE}) {
            EXPECT_EQ(IsWindowEnabled(Control(id)) == FALSE, locked) << id;
        }
        for (HWND field = GetWindow(Control(IDC_ADDRESS), GW_CHILD); field != nullptr;
             field = GetWindow(field, GW_HWNDNEXT)) {
            EXPECT_EQ(IsReadOnly(field), locked);
        }
    }

    void ExpectWholeTextSelected(int id) {
        DWORD start = 1;
        DWORD end = 0;
        SendMessageW(Control(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, static_cast<DWORD>(Text(id).size()));
    }

    void ExpectRefusal(const wchar_t* message) {
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        const CaughtMessageBox& box = boxes.Boxes()[0];
        EXPECT_EQ(box.text, message);
        EXPECT_EQ(box.title, L"kv_ddx_robot_tests");
        EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_EQ(box.buttons, static_cast<UINT>(MB_OK));
        EXPECT_EQ(box.owner, m_dialog);
    }

    MessageBoxCatcher boxes;
    TestRobot robot;
    HWND m_dialog = nullptr;
};

using Changes = std::vector<int32_t>;

}  // namespace

// --- the binding table ----------------------------------------------------------------------

TEST_F(BindingTest, TableGrowsInStepsOfTenAndKeepsTheOrder) {
    int32_t values[21] = {};
    EXPECT_EQ(robot.BindingCapacity(), 0);
    for (int i = 0; i < 21; ++i) {
        robot.AddBinding(IntBinding(2000 + i, EditInt, &values[i], 0, 0));
        EXPECT_EQ(robot.BindingCapacity(), (i / 10 + 1) * 10) << "after entry " << i;
    }
    ASSERT_EQ(robot.BindingCount(), 21);
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(robot.Binding(i).controlId, 2000 + i);
        EXPECT_EQ(robot.Binding(i).variable, &values[i]);
    }
}

TEST_F(BindingTest, TheFirstEntryOfAControlIsTheOneUsed) {
    int32_t first = 0;
    int32_t second = 0;
    robot.AddIntEdit(IDC_EDIT_FIRST, &first);
    robot.AddIntEdit(IDC_EDIT_FIRST, &second);
    Type(IDC_EDIT_FIRST, L"42");
    EXPECT_EQ(first, 42);
    EXPECT_EQ(second, 0);
}

TEST_F(BindingTest, IntEditAcceptsEveryNumberLimitsItsTextAndNeverComplains) {
    int32_t value = 5;
    robot.AddIntEdit(IDC_EDIT_FIRST, &value);
    const BindingEntry& entry = robot.Binding(0);
    EXPECT_EQ(entry.kind, EditInt);
    EXPECT_EQ(entry.params.integer.lower, 0);
    EXPECT_EQ(entry.params.integer.upper, 0);
    EXPECT_EQ(entry.params.integer.flags, 0u);
    EXPECT_EQ(SendMessageW(Control(IDC_EDIT_FIRST), EM_GETLIMITTEXT, 0, 0), 12);
    Type(IDC_EDIT_FIRST, L"-2147483648");
    EXPECT_EQ(value, INT32_MIN);
    Type(IDC_EDIT_FIRST, L"abc");
    Leave(IDC_EDIT_FIRST);
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(BindingTest, BindingsOfMissingControlsAndUnknownKindsDoNothing) {
    int32_t missing = 7;
    int32_t inert = 7;
    robot.AddBinding(IntBinding(IDC_MISSING, EditInt, &missing, 0, 0));
    robot.AddBinding(IntBinding(IDC_EDIT_FIRST, 0, &inert, 0, 0));
    robot.AddBinding(IntBinding(IDC_EDIT_SECOND, 33, &inert, 0, 0));
    SetWindowTextW(Control(IDC_EDIT_FIRST), L"keep");
    robot.UpdateControls();
    robot.ReadControl(0, true);
    robot.ReadControl(1, true);
    robot.ReadControl(5, true);
    Type(IDC_EDIT_FIRST, L"12");
    Type(IDC_EDIT_SECOND, L"12");
    robot.SetBindingsLocked(m_dialog, true);
    EXPECT_EQ(missing, 7);
    EXPECT_EQ(inert, 7);
    EXPECT_EQ(Text(IDC_EDIT_FIRST), L"12");
    EXPECT_FALSE(IsReadOnly(Control(IDC_EDIT_FIRST)));
    EXPECT_EQ(robot.changes, Changes{0});
}

TEST_F(BindingTest, NothingTouchesAControlBeforeTheOwnerIsKnown) {
    TestRobot ownerless;
    int32_t value = 3;
    ownerless.AddIntEdit(IDC_EDIT_FIRST, &value);
    ownerless.UpdateControls();
    ownerless.OnControlCommand(Control(IDC_EDIT_FIRST), MAKEWPARAM(IDC_EDIT_FIRST, EN_CHANGE));
    EXPECT_EQ(Text(IDC_EDIT_FIRST), L"");
    EXPECT_EQ(value, 3);
}

// --- text edits -----------------------------------------------------------------------------

TEST_F(BindingTest, EightBitTextIsWindows1250CutToTheCapacityAndZeroFilled) {
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    robot.AddBinding(TextBinding(IDC_EDIT_FIRST, EditText8, buffer, 6));
    Type(IDC_EDIT_FIRST, L"Žluťoučký");
    EXPECT_EQ(std::string(buffer, 8), std::string("\x8Elu\x9Do\0##", 8));
    EXPECT_EQ(robot.changes, Changes{IDC_EDIT_FIRST});
}

TEST_F(BindingTest, EightBitTextIsShownAsTheCharactersItEncodes) {
    char buffer[16] = "k\xF9\xF2 \x8A";
    robot.AddBinding(TextBinding(IDC_EDIT_FIRST, EditText8B, buffer, sizeof buffer));
    robot.UpdateControls();
    EXPECT_EQ(Text(IDC_EDIT_FIRST), L"kůň Š");
}

TEST_F(BindingTest, SixteenBitTextIsCopiedAsItIs) {
    wchar_t buffer[5] = L"abcd";
    robot.AddBinding(TextBinding(IDC_EDIT_SECOND, EditText16, buffer, 5));
    robot.UpdateControls();
    EXPECT_EQ(Text(IDC_EDIT_SECOND), L"abcd");
    Type(IDC_EDIT_SECOND, L"Ωmega€x");
    EXPECT_EQ(std::wstring(buffer, 5), std::wstring(L"Ωmeg\0", 5));
}

TEST_F(BindingTest, ABufferWithoutTerminatorShowsOnlyItsCapacity) {
    char buffer[4] = {'a', 'b', 'c', 'd'};
    robot.AddBinding(TextBinding(IDC_EDIT_FIRST, EditText8, buffer, 4));
    robot.UpdateControls();
    EXPECT_EQ(Text(IDC_EDIT_FIRST), L"abcd");
}

// --- validated edits ------------------------------------------------------------------------

TEST_F(BindingTest, IntEditAboveAPositiveLowerLimitStoresWhileTypingAndComplainsOnLeaving) {
    int32_t value = 0;
    robot.AddBinding(IntBinding(IDC_EDIT_FIRST, EditInt, &value, 1, 100));
    Type(IDC_EDIT_FIRST, L"1");
    EXPECT_EQ(value, 1);
    Type(IDC_EDIT_FIRST, L"12");
    EXPECT_EQ(value, 12);
    Type(IDC_EDIT_FIRST, L"123");
    EXPECT_EQ(value, 123);
    EXPECT_TRUE(boxes.Boxes().empty());
    robot.changes.clear();
    Leave(IDC_EDIT_FIRST);
    ExpectRefusal(L"Vložte číslo mezi 1 a 100.");
    EXPECT_EQ(GetFocus(), Control(IDC_EDIT_FIRST));
    ExpectWholeTextSelected(IDC_EDIT_FIRST);
    EXPECT_EQ(value, 123);
    EXPECT_EQ(robot.changes, Changes{IDC_EDIT_FIRST});
}

TEST_F(BindingTest, IntEditFromZeroKeepsTheLastAcceptedValue) {
    int32_t value = 0;
    robot.AddBinding(IntBinding(IDC_EDIT_FIRST, EditInt, &value, 0, 59));
    Type(IDC_EDIT_FIRST, L"7");
    EXPECT_EQ(value, 7);
    Type(IDC_EDIT_FIRST, L"75");
    EXPECT_EQ(value, 7);
    Leave(IDC_EDIT_FIRST);
    ExpectRefusal(L"Vložte číslo mezi 0 a 59.");
    EXPECT_EQ(value, 7);
}

TEST_F(BindingTest, IntEditWithinTheLimitsLeavesWithoutAMessage) {
    int32_t value = 0;
    robot.AddBinding(IntBinding(IDC_EDIT_FIRST, EditInt, &value, -10, 10));
    Type(IDC_EDIT_FIRST, L"-10");
    Leave(IDC_EDIT_FIRST);
    EXPECT_EQ(value, -10);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(GetFocus(), Control(IDC_ACTION));
}

TEST_F(BindingTest, IntEditShowsZeroAsEmptyOnlyWithTheFlag) {
    int32_t a = 0;
    int32_t b = 0;
    robot.AddBinding(IntBinding(IDC_EDIT_FIRST, EditInt, &a, 0, 0, kBindZeroAsEmpty));
    robot.AddBinding(IntBinding(IDC_EDIT_SECOND, EditInt, &b, 0, 0));
    robot.UpdateControls();
    EXPECT_EQ(Text(IDC_EDIT_FIRST), L"");
    EXPECT_EQ(Text(IDC_EDIT_SECOND), L"0");
}

TEST_F(BindingTest, HexEditShowsUpperCaseAndNamesItsLimitsInHex) {
    uint32_t value = 255;
    robot.AddBinding(IntBinding(IDC_EDIT_FIRST, EditHex, &value, 0x10, 0xFF));
    robot.UpdateControls();
    EXPECT_EQ(Text(IDC_EDIT_FIRST), L"FF");
    Type(IDC_EDIT_FIRST, L"1a");
    EXPECT_EQ(value, 0x1Au);
    Type(IDC_EDIT_FIRST, L"abc");
    Leave(IDC_EDIT_FIRST);
    ExpectRefusal(L"Vložte číslo mezi 10 a FF.");
    EXPECT_EQ(value, 0xABCu);  // stored silently while typing: the lower limit is above 0
}

TEST_F(BindingTest, HexEditComparesTheLimitsSigned) {
    uint32_t value = 0;
    robot.AddBinding(IntBinding(IDC_EDIT_FIRST, EditHex, &value, -16, 16));
    Type(IDC_EDIT_FIRST, L"FFFFFFF0");
    Leave(IDC_EDIT_FIRST);
    EXPECT_EQ(value, 0xFFFFFFF0u);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(BindingTest, RealEditReadsACommaAndAcceptsZeroOutsideTheLimitsWhenAllowed) {
    double value = 5;
    robot.AddBinding(RealBinding(IDC_EDIT_FIRST, &value, 1, 10, kBindAcceptZero));
    Type(IDC_EDIT_FIRST, L"2,5");
    EXPECT_EQ(value, 2.5);
    Type(IDC_EDIT_FIRST, L"0");
    Leave(IDC_EDIT_FIRST);
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(boxes.Boxes().empty());
    Type(IDC_EDIT_FIRST, L"0,5");
    Leave(IDC_EDIT_FIRST);
    ExpectRefusal(L"Vložte číslo mezi 1 a 10.");
}

TEST_F(BindingTest, RealEditNamesItsLimitsWithFifteenDigits) {
    double value = 0;
    robot.AddBinding(RealBinding(IDC_EDIT_FIRST, &value, -0.1, 1.0 / 3.0, 0));
    Type(IDC_EDIT_FIRST, L"1");
    EXPECT_EQ(value, 0.0);  // lower limit not above 0: nothing stored while typing
    Leave(IDC_EDIT_FIRST);
    ExpectRefusal(L"Vložte číslo mezi -0.1 a 0.333333333333333.");
}

TEST_F(BindingTest, GroupedRealEditIsDisplayOnly) {
    double value = 1234567.891;
    robot.AddBinding(RealBinding(IDC_EDIT_FIRST, &value, 1, 2, kBindGrouped2));
    robot.UpdateControls();
    EXPECT_EQ(Text(IDC_EDIT_FIRST), L"1 234 567.89");
    Type(IDC_EDIT_FIRST, L"5");
    Leave(IDC_EDIT_FIRST);
    EXPECT_EQ(value, 1234567.891);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(BindingTest, RealEditUsesItsOwnFormat) {
    double value = 2.5;
    robot.AddBinding(RealBinding(IDC_EDIT_FIRST, &value, 0, 0, 0, "%.3f kg"));
    robot.UpdateControls();
    EXPECT_EQ(Text(IDC_EDIT_FIRST), L"2.500 kg");
    EXPECT_EQ(value, 2.5);
}

TEST_F(BindingTest, DateEditTakesTheEmptyDateAndAnyDayUpTo31) {
    DateRecord date{1, 2, 2000};
    robot.AddBinding(PlainBinding(IDC_EDIT_FIRST, EditDate, &date));
    robot.UpdateControls();
    EXPECT_EQ(Text(IDC_EDIT_FIRST), L"1.2.2000");
    Type(IDC_EDIT_FIRST, L"");
    Leave(IDC_EDIT_FIRST);
    EXPECT_EQ(date.day + date.month + date.year, 0);
    Type(IDC_EDIT_FIRST, L"30.2.2015");
    EXPECT_EQ(date.day, 30);
    EXPECT_EQ(date.month, 2);
    EXPECT_EQ(date.year, 2015);
    Type(IDC_EDIT_FIRST, L"0.0.0");
    Leave(IDC_EDIT_FIRST);
    EXPECT_EQ(date.day + date.month + date.year, 0);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(BindingTest, DateEditRefusesABadDateOnLeavingAndKeepsTheOldOne) {
    DateRecord date{17, 5, 1997};
    robot.AddBinding(PlainBinding(IDC_EDIT_FIRST, EditDate, &date));
    Type(IDC_EDIT_FIRST, L"1.13.2015");
    EXPECT_EQ(date.day, 17);
    Leave(IDC_EDIT_FIRST);
    ExpectRefusal(L"Vložte datum ve správném formátu (např. 17.5.1997)");
    EXPECT_EQ(date.month, 5);
    EXPECT_EQ(GetFocus(), Control(IDC_EDIT_FIRST));
    ExpectWholeTextSelected(IDC_EDIT_FIRST);
}

TEST_F(BindingTest, ReadControlWithMessagesValidatesLikeAFocusLoss) {
    int32_t value = 3;
    robot.AddBinding(IntBinding(IDC_EDIT_FIRST, EditInt, &value, 0, 9));
    SetWindowTextW(Control(IDC_EDIT_SECOND), L"");
    robot.forwarding = false;
    Type(IDC_EDIT_FIRST, L"10");
    robot.ReadControl(0, false);
    EXPECT_TRUE(boxes.Boxes().empty());
    robot.ReadControl(0, true);
    ExpectRefusal(L"Vložte číslo mezi 0 a 9.");
    EXPECT_EQ(value, 3);
}

// --- combo boxes ----------------------------------------------------------------------------

TEST_F(BindingTest, ComboIndexFollowsTheSelection) {
    int32_t index = 1;
    AddItems(IDC_COMBO_LIST, {L"a", L"b", L"c"});
    robot.AddBinding(PlainBinding(IDC_COMBO_LIST, ComboIndex, &index));
    robot.UpdateControls();
    EXPECT_EQ(Selected(IDC_COMBO_LIST), 1);
    Choose(IDC_COMBO_LIST, 2);
    EXPECT_EQ(index, 2);
    Choose(IDC_COMBO_LIST, -1);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(robot.changes, (Changes{0, IDC_COMBO_LIST, IDC_COMBO_LIST}));
}

TEST_F(BindingTest, ComboEditIntClampsTypedNumbersIntoTheLimitsAtOnce) {
    int32_t value = 15;
    robot.AddBinding(IntBinding(IDC_COMBO_EDIT, ComboEditInt, &value, 10, 20));
    robot.UpdateControls();
    EXPECT_EQ(Text(IDC_COMBO_EDIT), L"15");
    TypeInCombo(IDC_COMBO_EDIT, L"5");
    EXPECT_EQ(value, 10);
    EXPECT_EQ(Text(IDC_COMBO_EDIT), L"10");
    TypeInCombo(IDC_COMBO_EDIT, L"99");
    EXPECT_EQ(value, 20);
    EXPECT_EQ(Text(IDC_COMBO_EDIT), L"20");
    TypeInCombo(IDC_COMBO_EDIT, L" 12");
    EXPECT_EQ(value, 12);
    EXPECT_EQ(Text(IDC_COMBO_EDIT), L" 12");
    EXPECT_EQ(robot.changes, (Changes{0, IDC_COMBO_EDIT, IDC_COMBO_EDIT, IDC_COMBO_EDIT}));
}

TEST_F(BindingTest, ComboEditIntTakesAChosenItemWithoutClamping) {
    int32_t value = 15;
    AddItems(IDC_COMBO_EDIT, {L"5", L"15"});
    robot.AddBinding(IntBinding(IDC_COMBO_EDIT, ComboEditInt, &value, 10, 20, kBindZeroAsEmpty));
    Choose(IDC_COMBO_EDIT, 0);
    EXPECT_EQ(value, 5);
    value = 0;
    robot.UpdateControls();
    EXPECT_EQ(Text(IDC_COMBO_EDIT), L"");
}

TEST_F(BindingTest, ComboEditIntIgnoresAChosenItemOfAHundredCharacters) {
    int32_t value = 15;
    const std::wstring longItem = L"7" + std::wstring(99, L' ');
    AddItems(IDC_COMBO_EDIT, {longItem.c_str(), L"8"});
    robot.AddBinding(IntBinding(IDC_COMBO_EDIT, ComboEditInt, &value, 0, 0));
    Choose(IDC_COMBO_EDIT, 0);
    EXPECT_EQ(value, 15);
    EXPECT_TRUE(robot.changes.empty());
    Choose(IDC_COMBO_EDIT, 1);
    EXPECT_EQ(value, 8);
    EXPECT_EQ(robot.changes, Changes{IDC_COMBO_EDIT});
}

TEST_F(BindingTest, ComboEditHexReadsTypedAndChosenHex) {
    uint32_t value = 0xAB;
    AddItems(IDC_COMBO_EDIT, {L"ff"});
    robot.AddBinding(IntBinding(IDC_COMBO_EDIT, ComboEditHex, &value, 0, 0));
    robot.UpdateControls();
    EXPECT_EQ(Text(IDC_COMBO_EDIT), L"AB");
    TypeInCombo(IDC_COMBO_EDIT, L"1c");
    EXPECT_EQ(value, 0x1Cu);
    Choose(IDC_COMBO_EDIT, 0);
    EXPECT_EQ(value, 0xFFu);
}

TEST_F(BindingTest, ComboListIntSelectsTheItemThatReadsAsTheValue) {
    int32_t value = 20;
    AddItems(IDC_COMBO_LIST, {L"10 min", L"20 min", L"30 min"});
    robot.AddBinding(IntBinding(IDC_COMBO_LIST, ComboListInt, &value, 0, 0));
    robot.UpdateControls();
    EXPECT_EQ(Selected(IDC_COMBO_LIST), 1);
    Choose(IDC_COMBO_LIST, 2);
    EXPECT_EQ(value, 30);
    value = 25;
    robot.UpdateControls();
    EXPECT_EQ(Selected(IDC_COMBO_LIST), CB_ERR);
}

TEST_F(BindingTest, ComboListIntClampsTheChosenNumber) {
    int32_t value = 0;
    AddItems(IDC_COMBO_LIST, {L"5", L"50"});
    robot.AddBinding(IntBinding(IDC_COMBO_LIST, ComboListInt, &value, 10, 40));
    Choose(IDC_COMBO_LIST, 0);
    EXPECT_EQ(value, 10);
    Choose(IDC_COMBO_LIST, 1);
    EXPECT_EQ(value, 40);
}

TEST_F(BindingTest, ComboListDoubleAndHexSelectByValue) {
    double real = 0.25;
    uint32_t hex = 0x1F;
    AddItems(IDC_COMBO_LIST, {L"0.5", L"2.5e-1"});
    AddItems(IDC_COMBO_EDIT, {L"10", L"1f"});
    robot.AddBinding(PlainBinding(IDC_COMBO_LIST, ComboListDouble, &real));
    robot.AddBinding(PlainBinding(IDC_COMBO_EDIT, ComboListHex, &hex));
    robot.UpdateControls();
    EXPECT_EQ(Selected(IDC_COMBO_LIST), 1);
    EXPECT_EQ(Selected(IDC_COMBO_EDIT), 1);
    Choose(IDC_COMBO_LIST, 0);
    EXPECT_EQ(real, 0.5);
    hex = 0x11;
    robot.UpdateControls();
    EXPECT_EQ(Selected(IDC_COMBO_EDIT), CB_ERR);
}

TEST_F(BindingTest, ComboListDoubleTakesNoCommaForThePoint) {
    double real = 9;
    AddItems(IDC_COMBO_LIST, {L"2,5"});
    robot.AddBinding(PlainBinding(IDC_COMBO_LIST, ComboListDouble, &real));
    Choose(IDC_COMBO_LIST, 0);
    EXPECT_EQ(real, 2.0);
}

TEST_F(BindingTest, ComboListTextSelectsTheWholeTextIgnoringCase) {
    char city[16] = "PRAHA";
    AddItems(IDC_COMBO_LIST, {L"Praha 2", L"Praha", L"Brno"});
    robot.AddBinding(TextBinding(IDC_COMBO_LIST, ComboListText8, city, sizeof city));
    robot.UpdateControls();
    EXPECT_EQ(Selected(IDC_COMBO_LIST), 1);
    Choose(IDC_COMBO_LIST, 2);
    EXPECT_STREQ(city, "Brno");
    std::strcpy(city, "Ostrava");
    robot.UpdateControls();
    EXPECT_EQ(Selected(IDC_COMBO_LIST), CB_ERR);
}

TEST_F(BindingTest, ComboListText16MatchesWideText) {
    wchar_t city[17] = L"ČESKÉ BUDĚJOVICE";
    AddItems(IDC_COMBO_LIST, {L"Brno", L"České Budějovice"});
    robot.AddBinding(TextBinding(IDC_COMBO_LIST, ComboListText16, city, 17));
    robot.UpdateControls();
    EXPECT_EQ(Selected(IDC_COMBO_LIST), 1);
}

TEST_F(BindingTest, ComboEditTextCopiesAChosenItemOnlyWhenItFits) {
    char buffer[8] = "old";
    AddItems(IDC_COMBO_EDIT, {L"12345678", L"1234567", L"kůň"});
    robot.AddBinding(TextBinding(IDC_COMBO_EDIT, ComboEditText8, buffer, 8));
    Choose(IDC_COMBO_EDIT, 0);
    EXPECT_STREQ(buffer, "old");
    EXPECT_TRUE(robot.changes.empty());
    Choose(IDC_COMBO_EDIT, 1);
    EXPECT_STREQ(buffer, "1234567");
    Choose(IDC_COMBO_EDIT, 2);
    EXPECT_STREQ(buffer, "k\xF9\xF2");
    TypeInCombo(IDC_COMBO_EDIT, L"typed text");
    EXPECT_STREQ(buffer, "typed t");
    EXPECT_EQ(robot.changes, (Changes{IDC_COMBO_EDIT, IDC_COMBO_EDIT, IDC_COMBO_EDIT}));
}

TEST_F(BindingTest, ComboEditText16CopiesAChosenItem) {
    wchar_t buffer[4] = L"";
    AddItems(IDC_COMBO_EDIT, {L"abcd", L"Ωmé"});
    robot.AddBinding(TextBinding(IDC_COMBO_EDIT, ComboEditText16, buffer, 4));
    Choose(IDC_COMBO_EDIT, 0);
    EXPECT_STREQ(buffer, L"");
    Choose(IDC_COMBO_EDIT, 1);
    EXPECT_STREQ(buffer, L"Ωmé");
}

TEST_F(BindingTest, ComboDataSelectsTheMatchingItemOrFallsBackToTheFirst) {
    int32_t value = 4;
    AddItems(IDC_COMBO_LIST, {L"tři", L"pět", L"sedm"});
    SetItemData(IDC_COMBO_LIST, 0, 3);
    SetItemData(IDC_COMBO_LIST, 1, 5);
    SetItemData(IDC_COMBO_LIST, 2, 7);
    robot.AddBinding(PlainBinding(IDC_COMBO_LIST, ComboData, &value));
    robot.UpdateControls();
    EXPECT_EQ(Selected(IDC_COMBO_LIST), 0);
    EXPECT_EQ(value, 3);
    value = 7;
    robot.UpdateControls();
    EXPECT_EQ(Selected(IDC_COMBO_LIST), 2);
    Choose(IDC_COMBO_LIST, 1);
    EXPECT_EQ(value, 5);
}

TEST_F(BindingTest, ComboDataStopsItsSearchAtTheFirstItemWithoutData) {
    int32_t value = 9;
    AddItems(IDC_COMBO_LIST, {L"a", L"b", L"c"});
    SetItemData(IDC_COMBO_LIST, 0, 4);
    SetItemData(IDC_COMBO_LIST, 1, -1);
    SetItemData(IDC_COMBO_LIST, 2, 9);
    robot.AddBinding(PlainBinding(IDC_COMBO_LIST, ComboData, &value));
    robot.UpdateControls();
    EXPECT_EQ(Selected(IDC_COMBO_LIST), 0);
    EXPECT_EQ(value, 4);
}

TEST_F(BindingTest, ComboDataOfAnEmptyListOrAFirstItemWithoutDataGivesZero) {
    int32_t value = 9;
    robot.AddBinding(PlainBinding(IDC_COMBO_LIST, ComboData, &value));
    robot.UpdateControls();
    EXPECT_EQ(value, 0);
    AddItems(IDC_COMBO_LIST, {L"a"});
    SetItemData(IDC_COMBO_LIST, 0, -1);
    value = 9;
    robot.UpdateControls();
    EXPECT_EQ(value, 0);
    EXPECT_EQ(Selected(IDC_COMBO_LIST), 0);
}

TEST_F(BindingTest, ComboDataReadGivesTheIndexForAnItemWithoutDataAndNothingWithoutSelection) {
    int32_t value = 9;
    AddItems(IDC_COMBO_LIST, {L"a", L"b"});
    SetItemData(IDC_COMBO_LIST, 0, 4);
    SetItemData(IDC_COMBO_LIST, 1, -1);
    robot.AddBinding(PlainBinding(IDC_COMBO_LIST, ComboData, &value));
    Choose(IDC_COMBO_LIST, 1);
    EXPECT_EQ(value, 1);
    Choose(IDC_COMBO_LIST, -1);
    EXPECT_EQ(value, 1);
}

TEST_F(BindingTest, ComboDataRefComparesAndStoresTheReferredIntegers) {
    int32_t referred[2] = {100, 200};
    int32_t value = 200;
    AddItems(IDC_COMBO_LIST, {L"sto", L"dvě stě", L"index"});
    SetItemData(IDC_COMBO_LIST, 0, reinterpret_cast<LPARAM>(&referred[0]));
    SetItemData(IDC_COMBO_LIST, 1, reinterpret_cast<LPARAM>(&referred[1]));
    SetItemData(IDC_COMBO_LIST, 2, -1);
    robot.AddBinding(PlainBinding(IDC_COMBO_LIST, ComboDataRef, &value));
    robot.UpdateControls();
    EXPECT_EQ(Selected(IDC_COMBO_LIST), 1);
    Choose(IDC_COMBO_LIST, 0);
    EXPECT_EQ(value, 100);
    Choose(IDC_COMBO_LIST, 2);
    EXPECT_EQ(value, 2);
    value = 300;
    robot.UpdateControls();
    EXPECT_EQ(Selected(IDC_COMBO_LIST), 0);
    EXPECT_EQ(value, 100);
}

TEST_F(BindingTest, ComboIndexText8StoresIndexAndText) {
    int32_t index = 0;
    char text[4] = "";
    AddItems(IDC_COMBO_LIST, {L"jedna", L"dvě"});
    robot.AddBinding(TextBufferBinding(IDC_COMBO_LIST, ComboIndexText8, &index, text, 4));
    Choose(IDC_COMBO_LIST, 1);
    EXPECT_EQ(index, 1);
    EXPECT_STREQ(text, "dv\xEC");
    Choose(IDC_COMBO_LIST, 0);
    EXPECT_STREQ(text, "jed");
}

TEST_F(BindingTest, ComboDataTextStoresDataAndTextOnlyWithASelection) {
    int32_t value = 0;
    char text8[8] = "none";
    wchar_t text16[8] = L"none";
    AddItems(IDC_COMBO_LIST, {L"šest", L"osm"});
    SetItemData(IDC_COMBO_LIST, 0, 6);
    SetItemData(IDC_COMBO_LIST, 1, 8);
    AddItems(IDC_COMBO_EDIT, {L"Ωmega"});
    SetItemData(IDC_COMBO_EDIT, 0, 1);
    int32_t wide = 0;
    robot.AddBinding(TextBufferBinding(IDC_COMBO_LIST, ComboDataText8, &value, text8, 8));
    robot.AddBinding(TextBufferBinding(IDC_COMBO_EDIT, ComboDataText16, &wide, text16, 8));
    Choose(IDC_COMBO_LIST, -1);
    EXPECT_STREQ(text8, "none");
    Choose(IDC_COMBO_LIST, 0);
    EXPECT_EQ(value, 6);
    EXPECT_STREQ(text8,
                 "\x9A"
                 "est");
    value = 8;
    robot.UpdateControls();
    EXPECT_EQ(Selected(IDC_COMBO_LIST), 1);
    EXPECT_EQ(Selected(IDC_COMBO_EDIT), 0);
    EXPECT_EQ(wide, 1);
}

// --- check boxes and radio buttons ----------------------------------------------------------

TEST_F(BindingTest, CheckByteHoldsAllThreeStates) {
    uint8_t state = 2;
    robot.AddBinding(PlainBinding(IDC_CHECK_3STATE, CheckByte, &state));
    robot.UpdateControls();
    EXPECT_EQ(CheckState(IDC_CHECK_3STATE), BST_INDETERMINATE);
    SetCheckState(IDC_CHECK_3STATE, BST_UNCHECKED);
    Click(IDC_CHECK_3STATE);
    EXPECT_EQ(state, CheckState(IDC_CHECK_3STATE));
    EXPECT_EQ(state, 1);
    Click(IDC_CHECK_3STATE);
    EXPECT_EQ(state, CheckState(IDC_CHECK_3STATE));
    EXPECT_EQ(robot.changes, (Changes{0, IDC_CHECK_3STATE, IDC_CHECK_3STATE}));
}

TEST_F(BindingTest, CheckCharactersAreOneForCheckedAndSpaceOrZeroOtherwise) {
    char spaceChar = '1';
    char zeroChar = 'x';
    robot.AddBinding(PlainBinding(IDC_CHECK, CheckCharSpace, &spaceChar));
    robot.AddBinding(PlainBinding(IDC_CHECK_3STATE, CheckCharZero, &zeroChar));
    robot.UpdateControls();
    EXPECT_EQ(CheckState(IDC_CHECK), BST_CHECKED);
    EXPECT_EQ(CheckState(IDC_CHECK_3STATE), BST_UNCHECKED);
    Click(IDC_CHECK);
    EXPECT_EQ(spaceChar, ' ');
    Click(IDC_CHECK_3STATE);
    EXPECT_EQ(zeroChar, '1');
    Click(IDC_CHECK_3STATE);  // indeterminate is not checked
    EXPECT_EQ(zeroChar, '0');
}

TEST_F(BindingTest, CheckBitChangesOnlyItsBit) {
    uint32_t word = 0xF0F0F0F0u;
    BindingEntry entry = IntBinding(IDC_CHECK, CheckBit, &word, 0, 0, 31);
    robot.AddBinding(entry);
    robot.UpdateControls();
    EXPECT_EQ(CheckState(IDC_CHECK), BST_CHECKED);
    Click(IDC_CHECK);
    EXPECT_EQ(word, 0x70F0F0F0u);
    Click(IDC_CHECK);
    EXPECT_EQ(word, 0xF0F0F0F0u);
}

TEST_F(BindingTest, CheckBitBeyondBit31IsLeftAlone) {
    uint32_t word = 5;
    robot.AddBinding(IntBinding(IDC_CHECK, CheckBit, &word, 0, 0, 32));
    robot.UpdateControls();
    EXPECT_EQ(CheckState(IDC_CHECK), BST_UNCHECKED);
    Click(IDC_CHECK);
    EXPECT_EQ(word, 5u);
}

class RadioGroupTest : public BindingTest {
protected:
    void AddGroup() {
        robot.AddBinding(RadioBinding(IDC_RADIO_0, &choice, 0));
        robot.AddBinding(RadioBinding(IDC_RADIO_1, &choice, 1));
        robot.AddBinding(RadioBinding(IDC_RADIO_2, &choice, 2));
    }
    int8_t choice = 1;
};

TEST_F(RadioGroupTest, ShowsTheChosenPositionAndNoneOutsideTheGroup) {
    AddGroup();
    robot.UpdateControls();
    EXPECT_EQ(CheckState(IDC_RADIO_0), BST_UNCHECKED);
    EXPECT_EQ(CheckState(IDC_RADIO_1), BST_CHECKED);
    EXPECT_EQ(CheckState(IDC_RADIO_2), BST_UNCHECKED);
    choice = 5;
    robot.UpdateControls();
    EXPECT_EQ(CheckState(IDC_RADIO_0) + CheckState(IDC_RADIO_1) + CheckState(IDC_RADIO_2), 0);
    choice = -1;
    robot.UpdateControls();
    EXPECT_EQ(CheckState(IDC_RADIO_0) + CheckState(IDC_RADIO_1) + CheckState(IDC_RADIO_2), 0);
}

TEST_F(RadioGroupTest, AClickOnAButtonChoosesItsPosition) {
    AddGroup();
    robot.UpdateControls();
    robot.changes.clear();
    Click(IDC_RADIO_2);
    EXPECT_EQ(choice, 2);
    EXPECT_EQ(robot.changes, Changes{IDC_RADIO_2});
}

TEST_F(RadioGroupTest, AClickOnAnUncheckedButtonIsNoUpdate) {
    AddGroup();
    robot.UpdateControls();
    robot.changes.clear();
    SendCommand(IDC_RADIO_0, BN_CLICKED);
    EXPECT_EQ(choice, 1);
    EXPECT_TRUE(robot.changes.empty());
}

TEST_F(RadioGroupTest, ReadingAnyMemberReadsTheWholeGroup) {
    AddGroup();
    SetCheckState(IDC_RADIO_0, BST_CHECKED);
    SetCheckState(IDC_RADIO_1, BST_UNCHECKED);
    SetCheckState(IDC_RADIO_2, BST_CHECKED);
    robot.ReadControl(1, false);
    EXPECT_EQ(choice, 2);  // the last checked member wins
    SetCheckState(IDC_RADIO_0, BST_UNCHECKED);
    SetCheckState(IDC_RADIO_2, BST_UNCHECKED);
    robot.ReadControl(0, false);
    EXPECT_EQ(choice, -1);
}

TEST_F(RadioGroupTest, AGroupEndsWhereThePositionsBreak) {
    int8_t other = 0;
    robot.AddBinding(RadioBinding(IDC_RADIO_0, &choice, 0));
    robot.AddBinding(RadioBinding(IDC_RADIO_1, &choice, 1));
    robot.AddBinding(RadioBinding(IDC_RADIO_2, &other, 0));  // a group of its own
    choice = 1;
    other = -1;
    robot.UpdateControls();
    EXPECT_EQ(CheckState(IDC_RADIO_1), BST_CHECKED);
    EXPECT_EQ(CheckState(IDC_RADIO_2), BST_UNCHECKED);
    SetCheckState(IDC_RADIO_2, BST_CHECKED);
    robot.ReadControl(0, false);
    EXPECT_EQ(choice, 1);
}

TEST_F(RadioGroupTest, ANegativePositionLeadsToTheGroupThatFollows) {
    int8_t ahead = 9;
    robot.AddBinding(RadioBinding(IDC_CHECK, &ahead, -1));
    AddGroup();
    SetCheckState(IDC_RADIO_2, BST_CHECKED);
    robot.ReadControl(0, false);
    EXPECT_EQ(ahead, 2) << "the group starts one entry later";
}

TEST_F(RadioGroupTest, APositionBeforeTheTableStartIsInert) {
    int8_t lost = 9;
    robot.AddBinding(RadioBinding(IDC_RADIO_0, &lost, 1));
    SetCheckState(IDC_RADIO_0, BST_CHECKED);
    robot.ReadControl(0, false);
    robot.UpdateControls();
    EXPECT_EQ(lost, 9);
    EXPECT_EQ(CheckState(IDC_RADIO_0), BST_CHECKED);
}

// --- date picker and address control --------------------------------------------------------

TEST_F(BindingTest, DatePickerDateShowsAndReadsTheDate) {
    DateRecord date{17, 5, 1997};
    robot.AddBinding(PlainBinding(IDC_DATE, DatePickerDate, &date));
    robot.UpdateControls();
    SYSTEMTIME shown = PickerTime();
    EXPECT_EQ(shown.wYear, 1997);
    EXPECT_EQ(shown.wMonth, 5);
    EXPECT_EQ(shown.wDay, 17);
    robot.changes.clear();
    PickDate(2015, 6, 5);
    EXPECT_EQ(date.day, 5);
    EXPECT_EQ(date.month, 6);
    EXPECT_EQ(date.year, 2015);
    EXPECT_EQ(robot.changes, Changes{IDC_DATE});
}

TEST_F(BindingTest, DatePickerKeepsItsDateForTheZeroDateAndIgnoresCommands) {
    DateRecord date{0, 0, 0};
    PickDate(2001, 2, 3);
    robot.AddBinding(PlainBinding(IDC_DATE, DatePickerDate, &date));
    robot.UpdateControls();
    EXPECT_EQ(PickerTime().wYear, 2001);
    SendCommand(IDC_DATE, EN_CHANGE);
    EXPECT_EQ(date.year, 0);
    EXPECT_EQ(robot.changes, Changes{0});
}

TEST_F(BindingTest, DatePickerStampClearsTheRestOfTheRecord) {
    DateStamp stamp{2020, 2, 29, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
    robot.AddBinding(PlainBinding(IDC_DATE, DatePickerStamp, &stamp));
    robot.UpdateControls();
    EXPECT_EQ(PickerTime().wDay, 29);
    PickDate(2024, 12, 31);
    EXPECT_EQ(stamp.year, 2024);
    EXPECT_EQ(stamp.month, 12);
    EXPECT_EQ(stamp.day, 31);
    for (uint8_t byte : stamp.rest) {
        EXPECT_EQ(byte, 0);
    }
}

TEST_F(BindingTest, DatePickerYmdShowsAndReadsTheDate) {
    DateYmd ymd{1999, 12, 24};
    robot.AddBinding(PlainBinding(IDC_DATE, DatePickerYmd, &ymd));
    robot.UpdateControls();
    EXPECT_EQ(PickerTime().wMonth, 12);
    PickDate(2000, 1, 1);
    EXPECT_EQ(ymd.year, 2000);
    EXPECT_EQ(ymd.month, 1);
    EXPECT_EQ(ymd.day, 1);
}

TEST_F(BindingTest, ANotificationOtherThanThePickerChangeIsIgnored) {
    DateRecord date{1, 1, 2000};
    robot.AddBinding(PlainBinding(IDC_DATE, DatePickerDate, &date));
    NMHDR header{Control(IDC_DATE), IDC_DATE, static_cast<UINT>(DTN_DROPDOWN)};
    SendMessageW(m_dialog, WM_NOTIFY, IDC_DATE, reinterpret_cast<LPARAM>(&header));
    robot.OnControlNotify(IDC_DATE, nullptr);
    EXPECT_EQ(date.year, 2000);
    EXPECT_TRUE(robot.changes.empty());
}

TEST_F(BindingTest, AddressControlShowsAndReadsTheAddressSilently) {
    uint32_t address = 0xC0A80A01;  // 192.168.10.1
    robot.AddBinding(PlainBinding(IDC_ADDRESS, IpAddress, &address));
    robot.UpdateControls();
    DWORD shown = 0;
    SendMessageW(Control(IDC_ADDRESS), IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&shown));
    EXPECT_EQ(shown, 0xC0A80A01u);
    EXPECT_EQ(robot.changes, Changes{0});
    robot.changes.clear();
    // The control reports EN_CHANGE for each field it fills.
    SendMessageW(Control(IDC_ADDRESS), IPM_SETADDRESS, 0, MAKEIPADDRESS(10, 0, 0, 7));
    EXPECT_EQ(address, 0x0A000007u);
    EXPECT_FALSE(robot.changes.empty());
    EXPECT_EQ(robot.changes, Changes(robot.changes.size(), IDC_ADDRESS));
    robot.forwarding = false;
    SendMessageW(Control(IDC_ADDRESS), IPM_SETADDRESS, 0, MAKEIPADDRESS(10, 0, 0, 8));
    robot.forwarding = true;
    robot.changes.clear();
    SendCommand(IDC_ADDRESS, EN_KILLFOCUS);
    EXPECT_EQ(address, 0x0A000008u);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(robot.changes, Changes{IDC_ADDRESS});
}

// --- writing all controls and the change reports ---------------------------------------------

TEST_F(BindingTest, UpdateControlsReportsOnceWithZeroAfterWritingEverything) {
    int32_t a = 11;
    int32_t b = 22;
    robot.AddIntEdit(IDC_EDIT_FIRST, &a);
    robot.AddIntEdit(IDC_EDIT_SECOND, &b);
    std::vector<std::wstring> seen;
    robot.onChange = [&](int32_t) {
        seen.push_back(Text(IDC_EDIT_FIRST));
        seen.push_back(Text(IDC_EDIT_SECOND));
    };
    robot.UpdateControls();
    EXPECT_EQ(robot.changes, Changes{0});
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"11", L"22"}));
}

TEST_F(BindingTest, UpdateControlsFromTheCallbackSkipsTheEditedControlAndReportsNothingMore) {
    int32_t a = 0;
    int32_t b = 0;
    robot.AddIntEdit(IDC_EDIT_FIRST, &a);
    robot.AddIntEdit(IDC_EDIT_SECOND, &b);
    robot.onChange = [&](int32_t id) {
        if (id == IDC_EDIT_FIRST) {
            b = a * 2;
            robot.UpdateControls();
        }
    };
    Type(IDC_EDIT_FIRST, L"021");
    EXPECT_EQ(a, 21);
    EXPECT_EQ(Text(IDC_EDIT_FIRST), L"021");
    EXPECT_EQ(Text(IDC_EDIT_SECOND), L"42");
    EXPECT_EQ(robot.changes, Changes{IDC_EDIT_FIRST});
}

TEST_F(BindingTest, AChangeRaisedInsideTheCallbackUpdatesItsVariableWithoutASecondReport) {
    int32_t a = 0;
    int32_t b = 0;
    robot.AddIntEdit(IDC_EDIT_FIRST, &a);
    robot.AddIntEdit(IDC_EDIT_SECOND, &b);
    robot.onChange = [&](int32_t id) {
        if (id == IDC_EDIT_FIRST) {
            SetWindowTextW(Control(IDC_EDIT_SECOND), L"99");
        }
    };
    Type(IDC_EDIT_FIRST, L"1");
    EXPECT_EQ(b, 99);
    EXPECT_EQ(robot.changes, Changes{IDC_EDIT_FIRST});
    Type(IDC_EDIT_SECOND, L"5");
    EXPECT_EQ(robot.changes, (Changes{IDC_EDIT_FIRST, IDC_EDIT_SECOND}));
}

// Outside a callback no control is being edited, and the id noted for it is 0.
TEST_F(BindingTest, UpdateControlsLeavesAControlWithIdZeroAlone) {
    int32_t zero = 5;
    int32_t other = 6;
    robot.AddIntEdit(IDC_ZERO_ID, &zero);
    robot.AddIntEdit(IDC_EDIT_FIRST, &other);
    robot.forwarding = false;
    Type(IDC_ZERO_ID, L"typed");
    robot.forwarding = true;
    robot.UpdateControls();
    EXPECT_EQ(Text(IDC_ZERO_ID), L"typed");
    EXPECT_EQ(Text(IDC_EDIT_FIRST), L"6");
    EXPECT_EQ(robot.changes, Changes{0});
}

TEST_F(BindingTest, AnEditWrittenByTheEngineIsReadBackWithoutAReport) {
    double value = 1.0 / 3.0;
    robot.AddBinding(RealBinding(IDC_EDIT_FIRST, &value, 0, 0, 0));
    robot.UpdateControls();
    EXPECT_EQ(Text(IDC_EDIT_FIRST), L"0.333333333333333");
    EXPECT_EQ(value, 0.333333333333333);
    EXPECT_EQ(robot.changes, Changes{0});
}

TEST_F(BindingTest, CommandsOtherThanTheFiveAreIgnored) {
    int32_t value = 0;
    robot.AddIntEdit(IDC_EDIT_FIRST, &value);
    robot.forwarding = false;
    Type(IDC_EDIT_FIRST, L"8");
    robot.forwarding = true;
    SendCommand(IDC_EDIT_FIRST, EN_SETFOCUS);
    SendCommand(IDC_EDIT_FIRST, EN_UPDATE);
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(robot.changes.empty());
}

// --- locking --------------------------------------------------------------------------------

TEST_F(BindingTest, LockMakesEditsReadOnlyAndDisablesTheRestAndUnlockUndoesIt) {
    int32_t number = 0;
    int32_t index = 0;
    uint8_t check = 0;
    int8_t choice = 0;
    DateRecord date{};
    uint32_t address = 0;
    robot.AddIntEdit(IDC_EDIT_FIRST, &number);
    robot.AddBinding(PlainBinding(IDC_COMBO_LIST, ComboIndex, &index));
    robot.AddBinding(PlainBinding(IDC_CHECK, CheckByte, &check));
    robot.AddBinding(RadioBinding(IDC_RADIO_0, &choice, 0));
    robot.AddBinding(PlainBinding(IDC_DATE, DatePickerDate, &date));
    robot.AddBinding(PlainBinding(IDC_ADDRESS, IpAddress, &address));
    robot.SetBindingsLocked(m_dialog, true);
    ExpectLocked(true);
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_EDIT_SECOND)));  // not bound
    robot.SetBindingsLocked(m_dialog, false);
    ExpectLocked(false);
}

// --- the Enter redirect table ---------------------------------------------------------------

TEST_F(BindingTest, TheRedirectTableHoldsTwentyRows) {
    for (int row = 0; row < kMaxEnterRedirects; ++row) {
        EXPECT_TRUE(robot.AddEnterRedirect(Control(IDC_EDIT_FIRST), m_dialog, WM_USER + row));
    }
    EXPECT_FALSE(robot.AddEnterRedirect(Control(IDC_EDIT_SECOND), m_dialog, WM_USER));
    ASSERT_EQ(robot.RedirectCount(), kMaxEnterRedirects);
    EXPECT_EQ(robot.Redirect(19).message, static_cast<uint32_t>(WM_USER + 19));
    EXPECT_EQ(robot.Redirect(0).focus, Control(IDC_EDIT_FIRST));
}
