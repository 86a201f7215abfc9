#include "framework/framework.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/winsupport/gui_support.h"
#include "tests/winsupport/scripted_dialog.h"
#include "tests/winsupport/test_resource.h"

using winsupport::kScriptLeftOpen;
using winsupport::MessageBoxCatcher;
using winsupport::ScriptedDialog;

namespace {

// ---- Text at the window boundary ------------------------------------------------------

TEST(TextBoundary, Cp1250LettersBecomeTheirUnicodeCharacters) {
    // "Žluťoučký kůň" in Windows-1250.
    const std::string cp1250 = "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2";
    EXPECT_EQ(ToWide(cp1250), L"\u017Dlu\u0165ou\u010Dk\u00FD k\u016F\u0148");
}

TEST(TextBoundary, WideTextComesBackAsTheSameBytes) {
    const std::string cp1250 =
        "P\xF8"
        "ehled \x9A\xE8\xF8\x9E\xFD\xE1\xED\xE9";
    EXPECT_EQ(ToCp1250(ToWide(cp1250)), cp1250);
}

TEST(TextBoundary, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(ToCp1250(L"a\u4E2Db"), "a?b");
}

TEST(TextBoundary, ApplicationNameIsTheProgramFileWithoutExtension) {
    EXPECT_EQ(ApplicationName(), L"kv_framework_tests");
}

// ---- Run-time class records -----------------------------------------------------------

TEST(RuntimeClass, DialogAndListNameThemselvesAndDeriveFromCWnd) {
    CDialog dialog(IDD_TEST_DIALOG);
    CListCtrl list;
    EXPECT_STREQ(dialog.GetRuntimeClass()->m_lpszClassName, "CDialog");
    EXPECT_STREQ(list.GetRuntimeClass()->m_lpszClassName, "CListCtrl");
    EXPECT_TRUE(list.GetRuntimeClass()->IsDerivedFrom(&CWnd::classCWnd));
    EXPECT_FALSE(list.GetRuntimeClass()->IsDerivedFrom(&CDialog::classCDialog));
}

// ---- A dialog with an attached edit and a message table -------------------------------

// An edit that swallows the letter x and counts its own change notifications.
class ReflectingEdit : public CWnd {
public:
    static const MessageMap* ThisMessageMap() {
        static const MessageMapEntry entries[] = {
            OnKeyMessage(WM_CHAR, &ReflectingEdit::OnChar),
            OnCommandReflect(EN_CHANGE, &ReflectingEdit::OnChange),
        };
        static const MessageMap map{CWnd::ThisMessageMap(), entries, std::size(entries)};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }

    int changes = 0;

private:
    void OnChar(UINT code, UINT, UINT) {
        if (code != 'x')
            Default();
    }
    void OnChange() { ++changes; }
};

// A list whose reflected notifications 0x7001 are consumed and 0x7002 are not.
class ReflectingList : public CListCtrl {
public:
    static const MessageMap* ThisMessageMap() {
        static const MessageMapEntry entries[] = {
            OnNotifyReflect(0x7001u, &ReflectingList::Consume),
            OnNotifyReflect(0x7002u, &ReflectingList::PassOn),
        };
        static const MessageMap map{CWnd::ThisMessageMap(), entries, std::size(entries)};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }

    int seen = 0;

private:
    bool Consume(NMHDR*, LRESULT* result) {
        ++seen;
        *result = 42;
        return true;
    }
    bool PassOn(NMHDR*, LRESULT*) {
        ++seen;
        return false;
    }
};

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(IDD_TEST_DIALOG) {}

    static const MessageMap* ThisMessageMap() {
        static const MessageMapEntry entries[] = {
            OnControl(BN_CLICKED, IDC_ACTION, &TestDialog::OnAction),
            OnControl(EN_CHANGE, IDC_EDIT_FIRST, &TestDialog::OnFirstChanged),
            OnControl(EN_CHANGE, IDC_EDIT_SECOND, &TestDialog::OnSecondChanged),
            OnNotifyRange(0x7002u, IDC_LIST, IDC_LIST, &TestDialog::OnListNotify),
            OnSysCommandMessage(&TestDialog::OnSysCommand),
            OnQueryDragIconMessage(&TestDialog::OnQueryDragIcon),
        };
        static const MessageMap map{CDialog::ThisMessageMap(), entries, std::size(entries)};
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }

    void DoDataExchange(CDataExchange* dx) override {
        exchanges.push_back(dx->m_bSaveAndValidate);
        DDX_Control(dx, IDC_EDIT_FIRST, edit);
        DDX_Control(dx, IDC_LIST, list);
    }
    void OnOK() override {
        ++okCalls;
        if (!keepOpenOnOK)
            CDialog::OnOK();
    }
    void OnCancel() override {
        ++cancelCalls;
        CDialog::OnCancel();
    }

    HWND Item(int id) const { return GetDlgItem(id); }
    LRESULT Notify(UINT code) {
        NMHDR header{list.m_hWnd, IDC_LIST, code};
        return SendMessage(WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&header));
    }

    ReflectingEdit edit;
    ReflectingList list;
    std::vector<BOOL> exchanges;
    int okCalls = 0;
    int cancelCalls = 0;
    int actions = 0;
    int firstChanges = 0;
    int secondChanges = 0;
    int listNotifies = 0;
    bool keepOpenOnOK = false;
    bool failOnAction = false;
    int aboutCommands = 0;
    HCURSOR dragIcon = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    static constexpr UINT kAboutCommand = 16;

private:
    void OnAction() {
        ++actions;
        if (failOnAction)
            throw std::runtime_error("Neplatn\xE9 datum");
    }
    void OnFirstChanged() { ++firstChanges; }
    void OnSecondChanged() { ++secondChanges; }
    void OnSysCommand(UINT id, LPARAM) {
        if ((id & 0xFFF0) == kAboutCommand)
            ++aboutCommands;
        else
            Default();
    }
    HCURSOR OnQueryDragIcon() { return dragIcon; }
    bool OnListNotify(NMHDR*, LRESULT* result) {
        ++listNotifies;
        *result = 7;
        return true;
    }
};

using Scripted = ScriptedDialog<TestDialog>;

TEST(ModalDialog, InitialisationAttachesControlsThroughTheDataExchange) {
    Scripted dialog;
    HWND editWindow = nullptr;
    INT_PTR result = dialog.Run({[&] {
        editWindow = dialog.Item(IDC_EDIT_FIRST);
        EXPECT_EQ(dialog.edit.m_hWnd, editWindow);
        EXPECT_EQ(CWnd::FromHandlePermanent(editWindow), &dialog.edit);
        EXPECT_EQ(CWnd::FromHandlePermanent(dialog.m_hWnd), &dialog);
        ASSERT_EQ(dialog.exchanges.size(), 1u);
        EXPECT_FALSE(dialog.exchanges[0]);
        dialog.EndDialog(5);
    }});
    EXPECT_EQ(result, 5);
    EXPECT_EQ(dialog.edit.m_hWnd, nullptr) << "the object lets go when its window is destroyed";
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(ModalDialog, EnterInAnEditRunsOkWhichExchangesAndEnds) {
    Scripted dialog;
    INT_PTR result = dialog.Run({
        [&] { SetFocus(dialog.Item(IDC_EDIT_SECOND)); },
        [&] { Scripted::PostKey(VK_RETURN); },
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.okCalls, 1);
    EXPECT_EQ(dialog.cancelCalls, 0);
    ASSERT_EQ(dialog.exchanges.size(), 2u);
    EXPECT_TRUE(dialog.exchanges[1]) << "OK reads the controls before ending";
}

TEST(ModalDialog, EscRunsCancel) {
    Scripted dialog;
    INT_PTR result = dialog.Run({
        [&] { SetFocus(dialog.Item(IDC_EDIT_FIRST)); },
        [&] { Scripted::PostKey(VK_ESCAPE); },
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.cancelCalls, 1);
    EXPECT_EQ(dialog.okCalls, 0);
}

TEST(ModalDialog, CloseBoxRunsCancel) {
    Scripted dialog;
    INT_PTR result = dialog.Run({[&] { dialog.SendMessage(WM_CLOSE); }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.cancelCalls, 1);
}

TEST(ModalDialog, AnOkOverrideThatDoesNotEndKeepsTheDialogOpen) {
    Scripted dialog;
    dialog.keepOpenOnOK = true;
    INT_PTR result = dialog.Run({
        [&] { SetFocus(dialog.Item(IDC_EDIT_FIRST)); },
        [&] { Scripted::PostKey(VK_RETURN); },
        [&] {
            EXPECT_EQ(dialog.okCalls, 1);
            EXPECT_TRUE(IsWindowVisible(dialog.m_hWnd));
        },
    });
    EXPECT_EQ(result, kScriptLeftOpen);
    EXPECT_EQ(dialog.StepsRun(), 3u);
}

TEST(MessageTable, ButtonClickReachesItsCommandHandler) {
    Scripted dialog;
    dialog.Run({
        [&] { SendMessageW(dialog.Item(IDC_ACTION), BM_CLICK, 0, 0); },
        [&] { EXPECT_EQ(dialog.actions, 1); },
    });
    EXPECT_EQ(dialog.okCalls, 0);
}

TEST(MessageTable, ErrorInAHandlerIsShownWithTheStopIconAndTheDialogGoesOn) {
    Scripted dialog;
    dialog.failOnAction = true;
    MessageBoxCatcher catcher;
    HWND window = nullptr;
    INT_PTR result = dialog.Run({
        [&] {
            window = dialog.m_hWnd;
            SendMessageW(dialog.Item(IDC_ACTION), BM_CLICK, 0, 0);
        },
        [&] { EXPECT_TRUE(IsWindowVisible(dialog.m_hWnd)); },
    });
    EXPECT_EQ(result, kScriptLeftOpen);
    EXPECT_EQ(dialog.actions, 1);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].text, L"Neplatn\u00E9 datum");
    EXPECT_EQ(catcher.Boxes()[0].title, L"kv_framework_tests");
    EXPECT_EQ(catcher.Boxes()[0].icon, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_EQ(catcher.Boxes()[0].buttons, static_cast<UINT>(MB_OK));
    EXPECT_EQ(catcher.Boxes()[0].owner, window);
}

TEST(MessageTable, SystemCommandHandlerTakesItsOwnAndPassesTheRestToTheDialogManager) {
    Scripted dialog;
    INT_PTR result = dialog.Run({
        [&] { dialog.SendMessage(WM_SYSCOMMAND, TestDialog::kAboutCommand + 3); },
        [&] { EXPECT_EQ(dialog.aboutCommands, 1); },
        [&] { dialog.SendMessage(WM_SYSCOMMAND, SC_CLOSE); },
        [&] {},  // the dialog manager posts its cancel command
    });
    EXPECT_EQ(result, IDCANCEL) << "SC_CLOSE by default closes as the close box does";
    EXPECT_EQ(dialog.cancelCalls, 1);
}

TEST(MessageTable, DragIconQueryAnswersWithTheHandlersHandle) {
    Scripted dialog;
    LRESULT answer = 0;
    dialog.Run({[&] { answer = dialog.SendMessage(WM_QUERYDRAGICON); }});
    EXPECT_EQ(answer, reinterpret_cast<LRESULT>(dialog.dragIcon));
}

TEST(Reflection, NotifyWithoutHeaderIsLeftToTheDialogManager) {
    Scripted dialog;
    LRESULT answer = -1;
    dialog.Run({[&] { answer = dialog.SendMessage(WM_NOTIFY, IDC_LIST, 0); }});
    EXPECT_EQ(answer, 0);
}

TEST(MessageTable, SubclassedControlHandlesItsOwnMessagesFirst) {
    Scripted dialog;
    dialog.Run({[&] {
        HWND edit = dialog.Item(IDC_EDIT_FIRST);
        for (wchar_t c : std::wstring(L"axb"))
            SendMessageW(edit, WM_CHAR, c, 1);
        EXPECT_EQ(dialog.edit.GetWindowText(), "ab")
            << "x was swallowed, the rest reached the edit";
    }});
}

TEST(Reflection, CommandNotificationGoesBackToTheAttachedControlOnly) {
    Scripted dialog;
    dialog.Run({[&] {
        int before = dialog.edit.changes;
        SetWindowTextW(dialog.Item(IDC_EDIT_FIRST), L"abc");
        EXPECT_EQ(dialog.edit.changes, before + 1);
        EXPECT_EQ(dialog.firstChanges, 0) << "a consumed notification stays away from the dialog";
        SetWindowTextW(dialog.Item(IDC_EDIT_SECOND), L"abc");
        EXPECT_EQ(dialog.secondChanges, 1) << "a control without an object: the dialog's handler";
    }});
}

TEST(Reflection, ConsumedNotifyAnswersFromTheControl) {
    Scripted dialog;
    dialog.Run({[&] {
        EXPECT_EQ(dialog.Notify(0x7001u), 42);
        EXPECT_EQ(dialog.list.seen, 1);
        EXPECT_EQ(dialog.listNotifies, 0);
    }});
}

TEST(Reflection, NotifyTheControlPassesOnReachesTheDialog) {
    Scripted dialog;
    dialog.Run({[&] {
        EXPECT_EQ(dialog.Notify(0x7002u), 7);
        EXPECT_EQ(dialog.list.seen, 1);
        EXPECT_EQ(dialog.listNotifies, 1);
    }});
}

TEST(Subclassing, AWindowTakesOneObjectOnly) {
    Scripted dialog;
    dialog.Run({[&] {
        CWnd second;
        EXPECT_FALSE(second.SubclassWindow(dialog.Item(IDC_EDIT_FIRST)));
        EXPECT_FALSE(second.SubclassDlgItem(4711, &dialog));
        EXPECT_TRUE(second.SubclassDlgItem(IDC_EDIT_SECOND, &dialog));
        EXPECT_EQ(second.UnsubclassWindow(), dialog.Item(IDC_EDIT_SECOND));
        EXPECT_EQ(CWnd::FromHandlePermanent(dialog.Item(IDC_EDIT_SECOND)), nullptr);
    }});
}

// ---- Fonts, wait cursor, application --------------------------------------------------

TEST(Font, CreatesAndDeletesItsFont) {
    CFont font;
    EXPECT_FALSE(font.DeleteObject()) << "an empty font deletes nothing";
    LOGFONTW description{};
    description.lfHeight = -12;
    wcscpy(description.lfFaceName, L"Tahoma");
    ASSERT_TRUE(font.CreateFontIndirect(description));
    HFONT handle = font;
    EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_FONT));
    EXPECT_TRUE(font.DeleteObject());
    EXPECT_EQ(font.GetSafeHandle(), nullptr);
}

TEST(WaitCursor, ShowsTheHourglassAndRestoresTheCursorBefore) {
    HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    SetCursor(arrow);
    {
        CWaitCursor wait;
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));
    }
    EXPECT_EQ(GetCursor(), arrow);
}

class RefusingApp : public CWinApp {
public:
    BOOL InitInstance() override {
        ++inits;
        return FALSE;
    }
    int inits = 0;
};

TEST(Application, FalseFromInitialisationEndsWithoutAMessageLoop) {
    RefusingApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    PostQuitMessage(3);  // a loop would end with 3; none must run
    EXPECT_EQ(RunApplication(app), 0);
    EXPECT_EQ(app.inits, 1);
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    app.m_nExitCode = 1;  // as set when the main window could not be created
    EXPECT_EQ(RunApplication(app), 1);
}

}  // namespace
