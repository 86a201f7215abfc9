#pragma once
// Live binding of dialog controls to variables, with validation on focus loss.
// Windows only: works on the owner dialog's child controls through the Win32 API.
#include <windows.h>

#include <cstdint>

enum BindingKind : int32_t {
    EditText8 = 1,
    EditText16 = 2,
    EditText8B = 3,
    EditText16B = 4,
    ComboEditText8 = 5,
    ComboEditText16 = 6,
    ComboIndex = 7,
    ComboListInt = 8,
    ComboEditInt = 9,
    ComboEditHex = 10,
    ComboListDouble = 11,
    ComboListHex = 12,
    ComboListText8 = 13,
    ComboListText16 = 14,
    ComboDataRef = 15,
    ComboData = 16,
    ComboIndexText8 = 17,
    ComboDataText8 = 18,
    ComboDataText16 = 19,
    EditInt = 20,
    EditHex = 21,
    EditDouble = 22,
    EditDate = 23,
    CheckByte = 24,
    RadioIndex = 25,
    CheckCharSpace = 26,
    CheckCharZero = 27,
    CheckBit = 28,
    DatePickerDate = 29,
    DatePickerStamp = 30,
    DatePickerYmd = 31,
    IpAddress = 32,
};

// Flags of the integer and real forms.
constexpr uint32_t kBindZeroAsEmpty = 1u << 0;
constexpr uint32_t kBindAcceptZero = 1u << 1;  // EditDouble: 0 accepted outside the limits
constexpr uint32_t kBindGrouped0 = 1u << 2;    // EditDouble: grouped, no decimals, display only
constexpr uint32_t kBindGrouped2 = 1u << 3;    // EditDouble: grouped, two decimals, display only

struct BindingEntry {
    int32_t controlId;
    BindingKind kind;
    void* variable;
    union {
        struct {
            int32_t lower;
            int32_t upper;
            uint32_t flags;  // CheckBit: the bit number 0..31
        } integer;
        struct {
            int32_t capacity;  // characters, terminator included
        } text;
        struct {
            void* buffer;  // kinds 17..19: the second text buffer
            int32_t capacity;
        } textWithBuffer;
        struct {
            const char* format;  // may be null
            double lower;
            double upper;
            uint32_t flags;
        } real;
        struct {
            int32_t position;  // RadioIndex: the button's place in its group
        } group;
    } params;
};

// Enter in the control `focus` posts `message` (0: swallowed, nothing posted) to `target`.
struct EnterRedirect {
    HWND focus;
    HWND target;
    uint32_t message;
};

constexpr int kMaxEnterRedirects = 20;

class DDX_Robot {
public:
    DDX_Robot();
    virtual ~DDX_Robot();
    DDX_Robot(const DDX_Robot&) = delete;
    DDX_Robot& operator=(const DDX_Robot&) = delete;

    // Tells the dialog which control's variable was just updated (0 after UpdateControls).
    virtual void OnDataChanged(int32_t controlId);

    void AddBinding(const BindingEntry& entry);
    void AddIntEdit(int32_t controlId, int32_t* variable);
    void UpdateControls();
    void ReadControl(int32_t entryIndex, bool withMessages);
    LRESULT OnControlCommand(HWND control, uint32_t command);
    void OnControlNotify(uint32_t idWord, const NMHDR* header);
    void SetBindingsLocked(HWND dialog, bool lock);

    // Keyboard behaviour and the Enter redirect table, used by the dialog base.
    bool AddEnterRedirect(HWND focus, HWND target, uint32_t message);  // false when full
    int32_t RedirectCount() const { return m_redirectCount; }
    const EnterRedirect& Redirect(int32_t row) const { return m_redirects[row]; }

protected:
    HWND m_owner = nullptr;
    BindingEntry* m_bindings = nullptr;
    int32_t m_bindingCount = 0;
    int32_t m_bindingCapacity = 0;
    int32_t m_notifyEnabled = 1;
    int32_t m_inCallback = 0;
    int32_t m_notifyingId = 0;

public:
    uint8_t m_enterToNext = 0;
    uint8_t m_ignoreCancel = 0;

protected:
    EnterRedirect m_redirects[kMaxEnterRedirects] = {};
    int32_t m_redirectCount = 0;
};
