#pragma once
// Live binding of dialog controls to variables, with validation on focus loss.
// Windows only: works on the owner dialog's child controls through the Win32 API.
#include <windows.h>

#include <cstdint>
#include <string>

#include "dialogfw/binding_kinds.h"
#include "formats/value_formats.h"

// The variables of DatePickerStamp and DatePickerYmd.
struct DateStamp {
    uint16_t year;
    uint16_t month;
    uint16_t day;
    uint8_t rest[10];  // cleared by every read
};
static_assert(sizeof(DateStamp) == 16);

struct DateYmd {
    uint16_t year;
    uint16_t month;
    uint16_t day;
};
static_assert(sizeof(DateYmd) == 6);

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

// Entries of each parameter form, for AddBinding; the parameters a kind does not use stay 0.
BindingEntry PlainBinding(int32_t id, int32_t kind, void* variable);
BindingEntry IntBinding(int32_t id, int32_t kind, void* variable, int32_t lower, int32_t upper,
                        uint32_t flags = 0);
BindingEntry TextBinding(int32_t id, int32_t kind, void* buffer, int32_t capacity);
BindingEntry TextBufferBinding(int32_t id, int32_t kind, int32_t* variable, void* buffer,
                               int32_t capacity);
BindingEntry RealBinding(int32_t id, double* variable, double lower, double upper, uint32_t flags,
                         const char* format = nullptr);
BindingEntry RadioBinding(int32_t id, int8_t* variable, int32_t position);

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

    // False when the table cannot grow; the entry is then not added.
    bool AddBinding(const BindingEntry& entry);
    // An entry of a kind that takes no parameters (ComboIndex, CheckByte, ...).
    bool AddBinding(int32_t controlId, BindingKind kind, void* variable);
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

    int32_t BindingCount() const { return m_bindingCount; }
    int32_t BindingCapacity() const { return m_bindingCapacity; }
    const BindingEntry& Binding(int32_t index) const { return m_bindings[index]; }

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

private:
    int32_t FindEntry(int32_t controlId) const;
    HWND ControlOf(const BindingEntry& entry) const;
    void NotifyDataChanged(int32_t controlId);
    bool ActOnCommand(int32_t index, HWND control, uint32_t code);
    bool ActOnComboEdit(BindingEntry& entry, HWND control, uint32_t code);
    void ReadEntry(int32_t index, HWND control, bool withMessages);
    void ReadCombo(BindingEntry& entry, HWND control);
    void ReadValidated(const BindingEntry& entry, HWND control, bool withMessages);
    void ReadValidatedInt(const BindingEntry& entry, HWND control, const std::string& text,
                          bool withMessages);
    void ReadValidatedReal(const BindingEntry& entry, HWND control, const std::string& text,
                           bool withMessages);
    void ReadClampedInt(const BindingEntry& entry, HWND control);
    void ReadCheck(BindingEntry& entry, HWND control);
    void WriteEntry(int32_t index, HWND control);
    void WriteValidated(const BindingEntry& entry, HWND control);
    void WriteCheck(const BindingEntry& entry, HWND control);
    void WriteCombo(BindingEntry& entry, HWND control);
    void WriteText(HWND control, const std::string& text);
    void WriteText(HWND control, const std::wstring& text);
    int32_t GroupStart(int32_t index) const;
    int32_t GroupEnd(int32_t start) const;
    void ReadRadioGroup(int32_t index);
    void WriteRadioGroup(int32_t index);
    void Refuse(HWND control, const wchar_t* message);
};
