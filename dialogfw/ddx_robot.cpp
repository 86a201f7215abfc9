#include "dialogfw/ddx_robot.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

#include "framework/framework.h"

namespace {

// Notification codes the engine reacts to.
constexpr uint32_t kEditChange = EN_CHANGE;
constexpr uint32_t kFocusLoss = EN_KILLFOCUS;
constexpr uint32_t kComboEditChange = CBN_EDITCHANGE;
constexpr uint32_t kSelectionChange = CBN_SELCHANGE;
constexpr uint32_t kClick = BN_CLICKED;
constexpr uint32_t kPickerChange = DTN_DATETIMECHANGE;
static_assert(kEditChange == 0x0300 && kFocusLoss == 0x0200 && kComboEditChange == 5 &&
              kSelectionChange == 1 && kClick == 0 && kPickerChange == 0u - 759u);

constexpr int32_t kTableGrowth = 10;
constexpr int kEditIntTextLimit = 12;
// The numeric combo kinds read item texts into a buffer of this many characters.
constexpr size_t kItemTextBuffer = 100;

bool IsCommandCode(uint32_t code) {
    return code == kEditChange || code == kFocusLoss || code == kComboEditChange ||
           code == kSelectionChange || code == kClick;
}

// A control's text as the value readers get it: at most 255 characters.
std::string ConversionText(HWND control) {
    std::string text = ToCp1250(WindowText(control));
    text.resize(std::min(text.size(), static_cast<size_t>(kReadTextMax)));
    return text;
}

// False when the item does not exist or its text is `limit` characters or longer.
bool ItemText(HWND combo, LRESULT item, size_t limit, std::wstring& text) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
    if (length < 0 || static_cast<size_t>(length) >= limit) {
        return false;
    }
    text.assign(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(item),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, length)));
    return true;
}

void StoreText8(const std::string& text, void* buffer, int32_t capacity) {
    if (capacity <= 0) {
        return;
    }
    auto* out = static_cast<char*>(buffer);
    std::memset(out, 0, static_cast<size_t>(capacity));
    std::memcpy(out, text.data(), std::min(text.size(), static_cast<size_t>(capacity) - 1));
}

void StoreText16(const std::wstring& text, void* buffer, int32_t capacity) {
    if (capacity <= 0) {
        return;
    }
    auto* out = static_cast<wchar_t*>(buffer);
    std::wmemset(out, L'\0', static_cast<size_t>(capacity));
    std::wmemcpy(out, text.data(), std::min(text.size(), static_cast<size_t>(capacity) - 1));
}

std::string BufferText8(const void* buffer, int32_t capacity) {
    const auto* text = static_cast<const char*>(buffer);
    return std::string(text, capacity > 0 ? strnlen(text, static_cast<size_t>(capacity)) : 0);
}

std::wstring BufferText16(const void* buffer, int32_t capacity) {
    const auto* text = static_cast<const wchar_t*>(buffer);
    return std::wstring(text, capacity > 0 ? wcsnlen(text, static_cast<size_t>(capacity)) : 0);
}

bool IsText8Kind(int32_t kind) {
    return kind == EditText8 || kind == EditText8B || kind == ComboEditText8 ||
           kind == ComboListText8;
}

bool IsText16Kind(int32_t kind) {
    return kind == EditText16 || kind == EditText16B || kind == ComboEditText16 ||
           kind == ComboListText16;
}

bool IsValidatedKind(int32_t kind) {
    return kind >= EditInt && kind <= EditDate;
}

// --- combo boxes ----------------------------------------------------------------------------

LRESULT Selection(HWND combo) {
    return SendMessageW(combo, CB_GETCURSEL, 0, 0);
}

void Select(HWND combo, LRESULT item) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

// Selects the first item whose text (shorter than 100 characters) satisfies `matches`; none
// clears the selection.
template <typename Match>
void SelectFirstItem(HWND combo, Match matches) {
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    std::wstring text;
    for (LRESULT item = 0; item < count; ++item) {
        if (ItemText(combo, item, kItemTextBuffer, text) && matches(ToCp1250(text))) {
            Select(combo, item);
            return;
        }
    }
    Select(combo, CB_ERR);
}

void SelectExactText(HWND combo, const std::wstring& text) {
    const LRESULT item = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text.c_str()));
    Select(combo, item);
}

// An item's value for the item-data kinds: the data itself, or for ComboDataRef the integer
// it points at. A null reference has no value and matches nothing.
bool ItemValue(LRESULT data, bool referred, int32_t& value) {
    if (!referred) {
        value = static_cast<int32_t>(data);
        return true;
    }
    if (data == 0) {
        return false;
    }
    value = *reinterpret_cast<const int32_t*>(data);
    return true;
}

// Read of the item-data kinds; false when nothing is selected (the variable stays unchanged).
bool ReadItemData(HWND combo, int32_t* variable, bool referred) {
    const LRESULT item = Selection(combo);
    if (item == CB_ERR) {
        return false;
    }
    const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(item), 0);
    int32_t value = 0;
    if (data == CB_ERR) {
        *variable = static_cast<int32_t>(item);
    } else if (ItemValue(data, referred, value)) {
        *variable = value;
    }
    return true;
}

void WriteItemData(HWND combo, int32_t* variable, bool referred) {
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    int32_t first = 0;
    for (LRESULT item = 0; item < count; ++item) {
        const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(item), 0);
        if (data == CB_ERR) {
            break;
        }
        int32_t value = 0;
        const bool valid = ItemValue(data, referred, value);
        if (item == 0 && valid) {
            first = value;
        }
        if (valid && value == *variable) {
            Select(combo, item);
            return;
        }
    }
    Select(combo, 0);
    *variable = first;
}

// A chosen item of a text combo box is copied only when it fits the buffer whole.
bool StoreChosenText(const BindingEntry& entry, HWND combo) {
    const LRESULT item = Selection(combo);
    const int32_t capacity = entry.params.text.capacity;
    std::wstring text;
    if (item == CB_ERR || capacity <= 0 || !ItemText(combo, item, SIZE_MAX, text)) {
        return false;
    }
    const std::string text8 = ToCp1250(text);
    const size_t length = entry.kind == ComboEditText8 ? text8.size() : text.size();
    if (length >= static_cast<size_t>(capacity)) {
        return false;
    }
    if (entry.kind == ComboEditText8) {
        StoreText8(text8, entry.variable, capacity);
    } else {
        StoreText16(text, entry.variable, capacity);
    }
    return true;
}

// A chosen item of a numeric combo box with an edit is read without the limits.
bool StoreChosenNumber(const BindingEntry& entry, HWND combo) {
    const LRESULT item = Selection(combo);
    std::wstring text;
    if (item == CB_ERR || !ItemText(combo, item, kItemTextBuffer, text)) {
        return false;
    }
    const std::string number = ToCp1250(text);
    if (entry.kind == ComboEditInt) {
        *static_cast<int32_t*>(entry.variable) = TextToInt(number.c_str());
    } else {
        *static_cast<uint32_t*>(entry.variable) = TextToHex(number.c_str());
    }
    return true;
}

// --- buttons, pickers, address controls -----------------------------------------------------

bool IsChecked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetCheck(HWND button, WPARAM state) {
    SendMessageW(button, BM_SETCHECK, state, 0);
}

bool PickerDate(HWND picker, SYSTEMTIME& time) {
    time = SYSTEMTIME{};
    return SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID;
}

// A date of all zeros leaves the picker as it is.
void SetPickerDate(HWND picker, unsigned year, unsigned month, unsigned day) {
    if (year == 0 && month == 0 && day == 0) {
        return;
    }
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

void ReadPicker(const BindingEntry& entry, HWND picker) {
    SYSTEMTIME time;
    if (!PickerDate(picker, time)) {
        return;
    }
    if (entry.kind == DatePickerDate) {
        *static_cast<DateRecord*>(entry.variable) = DateRecord{
            static_cast<uint8_t>(time.wDay), static_cast<uint8_t>(time.wMonth), time.wYear};
    } else if (entry.kind == DatePickerStamp) {
        *static_cast<DateStamp*>(entry.variable) =
            DateStamp{time.wYear, time.wMonth, time.wDay, {}};
    } else {
        *static_cast<DateYmd*>(entry.variable) = DateYmd{time.wYear, time.wMonth, time.wDay};
    }
}

void WritePicker(const BindingEntry& entry, HWND picker) {
    if (entry.kind == DatePickerDate) {
        const auto date = *static_cast<const DateRecord*>(entry.variable);
        SetPickerDate(picker, date.year, date.month, date.day);
    } else if (entry.kind == DatePickerStamp) {
        const auto date = *static_cast<const DateStamp*>(entry.variable);
        SetPickerDate(picker, date.year, date.month, date.day);
    } else {
        const auto date = *static_cast<const DateYmd*>(entry.variable);
        SetPickerDate(picker, date.year, date.month, date.day);
    }
}

// The address control has no read-only mode of its own; its four field edits have.
void SetAddressReadOnly(HWND control, bool readOnly) {
    for (HWND field = GetWindow(control, GW_CHILD); field != nullptr;
         field = GetWindow(field, GW_HWNDNEXT)) {
        SendMessageW(field, EM_SETREADONLY, readOnly, 0);
    }
}

enum class LockMode { None, ReadOnly, Disable };

LockMode LockModeOf(int32_t kind) {
    if ((kind >= EditText8 && kind <= EditText16B) || IsValidatedKind(kind) || kind == IpAddress) {
        return LockMode::ReadOnly;
    }
    if (kind >= ComboEditText8 && kind <= DatePickerYmd) {
        return LockMode::Disable;
    }
    return LockMode::None;
}

std::wstring RangeMessage(const std::string& lower, const std::string& upper) {
    return L"Vložte číslo mezi " + ToWide(lower) + L" a " + ToWide(upper) + L".";
}

const wchar_t kDateMessage[] = L"Vložte datum ve správném formátu (např. 17.5.1997)";

}  // namespace

DDX_Robot::DDX_Robot() = default;

DDX_Robot::~DDX_Robot() {
    std::free(m_bindings);
}

void DDX_Robot::OnDataChanged(int32_t) {}

bool DDX_Robot::AddBinding(const BindingEntry& entry) {
    if (m_bindingCount == m_bindingCapacity) {
        if (m_bindingCapacity > INT32_MAX - kTableGrowth) {
            return false;
        }
        const int32_t capacity = m_bindingCapacity + kTableGrowth;
        void* grown =
            std::realloc(m_bindings, sizeof(BindingEntry) * static_cast<size_t>(capacity));
        if (grown == nullptr) {
            return false;
        }
        m_bindings = static_cast<BindingEntry*>(grown);
        m_bindingCapacity = capacity;
    }
    m_bindings[m_bindingCount++] = entry;
    return true;
}

bool DDX_Robot::AddBinding(int32_t controlId, BindingKind kind, void* variable) {
    BindingEntry entry{};
    entry.controlId = controlId;
    entry.kind = kind;
    entry.variable = variable;
    return AddBinding(entry);
}

void DDX_Robot::AddIntEdit(int32_t controlId, int32_t* variable) {
    BindingEntry entry{};
    entry.controlId = controlId;
    entry.kind = EditInt;
    entry.variable = variable;
    entry.params.integer = {0, 0, 0};
    AddBinding(entry);
    if (HWND edit = ControlOf(entry)) {
        SendMessageW(edit, EM_LIMITTEXT, kEditIntTextLimit, 0);
    }
}

void DDX_Robot::UpdateControls() {
    const int32_t notifyEnabled = m_notifyEnabled;
    m_notifyEnabled = 0;
    for (int32_t index = 0; index < m_bindingCount; ++index) {
        const BindingEntry& entry = m_bindings[index];
        // Inside OnDataChanged the control being edited keeps what the user typed.
        if (entry.controlId == m_notifyingId) {
            continue;
        }
        if (HWND control = ControlOf(entry)) {
            WriteEntry(index, control);
        }
    }
    m_notifyEnabled = notifyEnabled;
    if (m_inCallback == 0) {
        m_inCallback = 1;
        m_notifyingId = 0;
        OnDataChanged(0);
        m_inCallback = 0;
        m_notifyingId = 0;
    }
}

void DDX_Robot::ReadControl(int32_t entryIndex, bool withMessages) {
    if (entryIndex < 0 || entryIndex >= m_bindingCount) {
        return;
    }
    if (HWND control = ControlOf(m_bindings[entryIndex])) {
        ReadEntry(entryIndex, control, withMessages);
    }
}

LRESULT DDX_Robot::OnControlCommand(HWND, uint32_t command) {
    const int32_t controlId = LOWORD(command);
    const uint32_t code = HIWORD(command);
    if (!IsCommandCode(code)) {
        return 0;
    }
    const int32_t index = FindEntry(controlId);
    if (index < 0) {
        return 0;
    }
    HWND control = ControlOf(m_bindings[index]);
    if (control != nullptr && ActOnCommand(index, control, code)) {
        NotifyDataChanged(controlId);
    }
    return 0;
}

void DDX_Robot::OnControlNotify(uint32_t idWord, const NMHDR* header) {
    if (header == nullptr || header->code != kPickerChange) {
        return;
    }
    const int32_t controlId = LOWORD(idWord);
    const int32_t index = FindEntry(controlId);
    if (index < 0) {
        return;
    }
    if (HWND control = ControlOf(m_bindings[index])) {
        ReadEntry(index, control, false);
        NotifyDataChanged(controlId);
    }
}

void DDX_Robot::SetBindingsLocked(HWND dialog, bool lock) {
    if (dialog == nullptr) {
        return;
    }
    for (int32_t index = 0; index < m_bindingCount; ++index) {
        const BindingEntry& entry = m_bindings[index];
        HWND control = GetDlgItem(dialog, entry.controlId);
        if (control == nullptr) {
            continue;
        }
        const LockMode mode = LockModeOf(entry.kind);
        if (mode == LockMode::ReadOnly && entry.kind == IpAddress) {
            SetAddressReadOnly(control, lock);
        } else if (mode == LockMode::ReadOnly) {
            SendMessageW(control, EM_SETREADONLY, lock, 0);
        } else if (mode == LockMode::Disable) {
            EnableWindow(control, !lock);
        }
    }
}

bool DDX_Robot::AddEnterRedirect(HWND focus, HWND target, uint32_t message) {
    if (m_redirectCount >= kMaxEnterRedirects) {
        return false;
    }
    m_redirects[m_redirectCount++] = EnterRedirect{focus, target, message};
    return true;
}

// --- lookup and notification ----------------------------------------------------------------

int32_t DDX_Robot::FindEntry(int32_t controlId) const {
    for (int32_t index = 0; index < m_bindingCount; ++index) {
        if (m_bindings[index].controlId == controlId) {
            return index;
        }
    }
    return -1;
}

HWND DDX_Robot::ControlOf(const BindingEntry& entry) const {
    return m_owner != nullptr ? GetDlgItem(m_owner, entry.controlId) : nullptr;
}

void DDX_Robot::NotifyDataChanged(int32_t controlId) {
    if (m_notifyEnabled == 0 || m_inCallback != 0) {
        return;
    }
    m_notifyingId = controlId;
    m_inCallback = 1;
    OnDataChanged(controlId);
    m_inCallback = 0;
    m_notifyingId = 0;
}

// Applies one command to the entry; true when that counts as an update.
bool DDX_Robot::ActOnCommand(int32_t index, HWND control, uint32_t code) {
    BindingEntry& entry = m_bindings[index];
    const int32_t kind = entry.kind;
    bool reads = false;
    bool withMessages = false;
    if (kind >= EditText8 && kind <= EditText16B) {
        reads = code == kEditChange;
    } else if (kind >= ComboEditText8 && kind <= ComboEditHex && kind != ComboIndex &&
               kind != ComboListInt) {
        return ActOnComboEdit(entry, control, code);
    } else if (kind >= ComboIndex && kind <= ComboDataText16) {
        reads = code == kSelectionChange;
    } else if (IsValidatedKind(kind)) {
        reads = code == kEditChange || code == kFocusLoss;
        withMessages = code == kFocusLoss;
    } else if (kind == RadioIndex) {
        if (code != kClick || !IsChecked(control)) {
            return false;
        }
        *static_cast<int8_t*>(entry.variable) = static_cast<int8_t>(entry.params.group.position);
        return true;
    } else if (kind >= CheckByte && kind <= CheckBit) {
        reads = code == kClick;
    } else if (kind == IpAddress) {
        reads = code == kEditChange || code == kFocusLoss;
    }
    if (reads) {
        ReadEntry(index, control, withMessages);
    }
    return reads;
}

// The combo boxes with an edit: typing reads the text; a selection reads the chosen item's
// text, which the edit does not show yet.
bool DDX_Robot::ActOnComboEdit(BindingEntry& entry, HWND control, uint32_t code) {
    if (code == kComboEditChange) {
        ReadCombo(entry, control);
        return true;
    }
    if (code != kSelectionChange) {
        return false;
    }
    const bool isText = entry.kind == ComboEditText8 || entry.kind == ComboEditText16;
    return isText ? StoreChosenText(entry, control) : StoreChosenNumber(entry, control);
}

// --- reading --------------------------------------------------------------------------------

void DDX_Robot::ReadEntry(int32_t index, HWND control, bool withMessages) {
    BindingEntry& entry = m_bindings[index];
    const int32_t kind = entry.kind;
    if (IsText8Kind(kind)) {
        StoreText8(ToCp1250(WindowText(control)), entry.variable, entry.params.text.capacity);
    } else if (IsText16Kind(kind)) {
        StoreText16(WindowText(control), entry.variable, entry.params.text.capacity);
    } else if (kind >= ComboEditText8 && kind <= ComboDataText16) {
        ReadCombo(entry, control);
    } else if (IsValidatedKind(kind)) {
        ReadValidated(entry, control, withMessages);
    } else if (kind == CheckByte) {
        *static_cast<uint8_t*>(entry.variable) =
            static_cast<uint8_t>(SendMessageW(control, BM_GETCHECK, 0, 0));
    } else if (kind == RadioIndex) {
        ReadRadioGroup(index);
    } else if (kind == CheckCharSpace || kind == CheckCharZero) {
        const char unchecked = kind == CheckCharSpace ? ' ' : '0';
        *static_cast<char*>(entry.variable) = IsChecked(control) ? '1' : unchecked;
    } else if (kind == CheckBit) {
        if (entry.params.integer.flags < 32) {
            const uint32_t bit = 1u << entry.params.integer.flags;
            auto& word = *static_cast<uint32_t*>(entry.variable);
            word = IsChecked(control) ? (word | bit) : (word & ~bit);
        }
    } else if (kind >= DatePickerDate && kind <= DatePickerYmd) {
        ReadPicker(entry, control);
    } else if (kind == IpAddress) {
        DWORD address = 0;
        SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
        *static_cast<uint32_t*>(entry.variable) = address;
    }
}

// Reads of the combo kinds other than the plain text ones.
void DDX_Robot::ReadCombo(BindingEntry& entry, HWND control) {
    auto* integer = static_cast<int32_t*>(entry.variable);
    switch (entry.kind) {
        case ComboEditText8:
            StoreText8(ToCp1250(WindowText(control)), entry.variable, entry.params.text.capacity);
            break;
        case ComboEditText16:
            StoreText16(WindowText(control), entry.variable, entry.params.text.capacity);
            break;
        case ComboIndex:
            *integer = static_cast<int32_t>(Selection(control));
            break;
        case ComboListInt:
        case ComboEditInt:
            ReadClampedInt(entry, control);
            break;
        case ComboEditHex:
        case ComboListHex:
            *static_cast<uint32_t*>(entry.variable) = TextToHex(ConversionText(control).c_str());
            break;
        case ComboListDouble:
            *static_cast<double*>(entry.variable) = TextToReal(ConversionText(control).c_str());
            break;
        case ComboDataRef:
        case ComboData:
            ReadItemData(control, integer, entry.kind == ComboDataRef);
            break;
        case ComboIndexText8:
            *integer = static_cast<int32_t>(Selection(control));
            StoreText8(ToCp1250(WindowText(control)), entry.params.textWithBuffer.buffer,
                       entry.params.textWithBuffer.capacity);
            break;
        case ComboDataText8:
        case ComboDataText16:
            if (!ReadItemData(control, integer, false)) {
                break;
            }
            if (entry.kind == ComboDataText8) {
                StoreText8(ToCp1250(WindowText(control)), entry.params.textWithBuffer.buffer,
                           entry.params.textWithBuffer.capacity);
            } else {
                StoreText16(WindowText(control), entry.params.textWithBuffer.buffer,
                            entry.params.textWithBuffer.capacity);
            }
            break;
        default:
            break;
    }
}

void DDX_Robot::ReadClampedInt(const BindingEntry& entry, HWND control) {
    const std::string text = ConversionText(control);
    int32_t value = TextToInt(text.c_str());
    const int32_t lower = entry.params.integer.lower;
    const int32_t upper = entry.params.integer.upper;
    if (lower != 0 || upper != 0) {
        const int32_t clamped = std::max(value, lower) > upper ? upper : std::max(value, lower);
        if (clamped != value && IntToText(clamped) != text) {
            WriteText(control, IntToText(clamped));
        }
        value = clamped;
    }
    *static_cast<int32_t*>(entry.variable) = value;
}

void DDX_Robot::ReadValidated(const BindingEntry& entry, HWND control, bool withMessages) {
    const std::string text = ConversionText(control);
    if (entry.kind == EditInt || entry.kind == EditHex) {
        ReadValidatedInt(entry, control, text, withMessages);
    } else if (entry.kind == EditDouble) {
        ReadValidatedReal(entry, control, text, withMessages);
    } else {
        const ScannedDate date = TextToDate(text.c_str());
        if (IsAcceptedDate(date)) {
            *static_cast<DateRecord*>(entry.variable) = ToDateRecord(date);
        } else if (withMessages) {
            Refuse(control, kDateMessage);
        }
    }
}

// A refused number is still stored by a silent read when the lower limit is above 0.
void DDX_Robot::ReadValidatedInt(const BindingEntry& entry, HWND control, const std::string& text,
                                 bool withMessages) {
    const auto& limits = entry.params.integer;
    const bool hex = entry.kind == EditHex;
    const auto value = static_cast<int32_t>(hex ? TextToHex(text.c_str())
                                                : static_cast<uint32_t>(TextToInt(text.c_str())));
    const bool accepted = (limits.lower == 0 && limits.upper == 0) ||
                          (limits.lower <= value && value <= limits.upper);
    if (accepted || (!withMessages && limits.lower > 0)) {
        *static_cast<int32_t*>(entry.variable) = value;
    } else if (withMessages && hex) {
        Refuse(control, RangeMessage(HexToText(static_cast<uint32_t>(limits.lower)),
                                     HexToText(static_cast<uint32_t>(limits.upper)))
                            .c_str());
    } else if (withMessages) {
        Refuse(control, RangeMessage(IntToText(limits.lower), IntToText(limits.upper)).c_str());
    }
}

void DDX_Robot::ReadValidatedReal(const BindingEntry& entry, HWND control, const std::string& text,
                                  bool withMessages) {
    const auto& real = entry.params.real;
    if (real.flags & (kBindGrouped0 | kBindGrouped2)) {
        return;  // display only
    }
    const double value = EditTextToReal(text.c_str());
    const bool accepted = (real.lower == 0.0 && real.upper == 0.0) ||
                          (real.lower <= value && value <= real.upper) ||
                          (value == 0.0 && (real.flags & kBindAcceptZero));
    if (accepted || (!withMessages && real.lower > 0.0)) {
        *static_cast<double*>(entry.variable) = value;
    } else if (withMessages) {
        Refuse(control, RangeMessage(RealToText(real.lower), RealToText(real.upper)).c_str());
    }
}

void DDX_Robot::Refuse(HWND control, const wchar_t* message) {
    MessageBoxW(m_owner, message, ApplicationName().c_str(), MB_OK | MB_ICONEXCLAMATION);
    SetFocus(control);
    SendMessageW(control, EM_SETSEL, 0, -1);
}

// --- writing --------------------------------------------------------------------------------

void DDX_Robot::WriteText(HWND control, const std::wstring& text) {
    SetWindowTextW(control, text.c_str());
}

void DDX_Robot::WriteText(HWND control, const std::string& text) {
    WriteText(control, ToWide(text));
}

void DDX_Robot::WriteEntry(int32_t index, HWND control) {
    BindingEntry& entry = m_bindings[index];
    const int32_t kind = entry.kind;
    const auto& integer = entry.params.integer;
    if (kind == EditText8 || kind == EditText8B || kind == ComboEditText8) {
        WriteText(control, BufferText8(entry.variable, entry.params.text.capacity));
    } else if (kind == EditText16 || kind == EditText16B || kind == ComboEditText16) {
        WriteText(control, BufferText16(entry.variable, entry.params.text.capacity));
    } else if (kind >= ComboIndex && kind <= ComboDataText16) {
        WriteCombo(entry, control);
    } else if (kind == EditInt) {
        WriteText(control, IntToTextOrEmpty(*static_cast<int32_t*>(entry.variable), integer.flags));
    } else if (kind == EditHex) {
        WriteText(control,
                  HexToTextOrEmpty(*static_cast<uint32_t*>(entry.variable), integer.flags));
    } else if (kind == EditDouble) {
        const auto& real = entry.params.real;
        WriteText(control, RealToControlText(*static_cast<double*>(entry.variable), real.format,
                                             real.flags));
    } else if (kind == EditDate) {
        WriteText(control, DateToText(*static_cast<DateRecord*>(entry.variable)));
    } else if (kind == CheckByte) {
        SetCheck(control, *static_cast<uint8_t*>(entry.variable));
    } else if (kind == RadioIndex) {
        WriteRadioGroup(index);
    } else if (kind == CheckCharSpace || kind == CheckCharZero) {
        SetCheck(control, *static_cast<char*>(entry.variable) == '1' ? BST_CHECKED : BST_UNCHECKED);
    } else if (kind == CheckBit) {
        const uint32_t bit = integer.flags;
        const bool set = bit < 32 && (*static_cast<uint32_t*>(entry.variable) >> bit) & 1u;
        SetCheck(control, set ? BST_CHECKED : BST_UNCHECKED);
    } else if (kind >= DatePickerDate && kind <= DatePickerYmd) {
        WritePicker(entry, control);
    } else if (kind == IpAddress) {
        SendMessageW(control, IPM_SETADDRESS, 0, *static_cast<uint32_t*>(entry.variable));
    }
}

void DDX_Robot::WriteCombo(BindingEntry& entry, HWND control) {
    auto* integer = static_cast<int32_t*>(entry.variable);
    switch (entry.kind) {
        case ComboIndex:
        case ComboIndexText8:
            Select(control, *integer);
            break;
        case ComboListInt:
            SelectFirstItem(control, [v = *integer](const std::string& t) {
                return TextToInt(t.c_str()) == v;
            });
            break;
        case ComboEditInt:
            WriteText(control, IntToTextOrEmpty(*integer, entry.params.integer.flags));
            break;
        case ComboEditHex:
            WriteText(control, HexToTextOrEmpty(*static_cast<uint32_t*>(entry.variable),
                                                entry.params.integer.flags));
            break;
        case ComboListDouble:
            SelectFirstItem(control,
                            [v = *static_cast<double*>(entry.variable)](const std::string& t) {
                                return TextToReal(t.c_str()) == v;
                            });
            break;
        case ComboListHex:
            SelectFirstItem(control,
                            [v = *static_cast<uint32_t*>(entry.variable)](const std::string& t) {
                                return TextToHex(t.c_str()) == v;
                            });
            break;
        case ComboListText8:
            SelectExactText(control,
                            ToWide(BufferText8(entry.variable, entry.params.text.capacity)));
            break;
        case ComboListText16:
            SelectExactText(control, BufferText16(entry.variable, entry.params.text.capacity));
            break;
        case ComboDataRef:
        case ComboData:
        case ComboDataText8:
        case ComboDataText16:
            WriteItemData(control, integer, entry.kind == ComboDataRef);
            break;
        default:
            break;
    }
}

// --- radio groups ---------------------------------------------------------------------------

// A group is a run of RadioIndex entries with positions 0, 1, 2, ... that starts `position`
// entries before the member; -1 when that lies before the table.
int32_t DDX_Robot::GroupStart(int32_t index) const {
    const int64_t start = int64_t{index} - m_bindings[index].params.group.position;
    return start < 0 ? -1 : static_cast<int32_t>(std::min<int64_t>(start, m_bindingCount));
}

int32_t DDX_Robot::GroupEnd(int32_t start) const {
    int32_t end = start;
    while (end < m_bindingCount && m_bindings[end].kind == RadioIndex &&
           m_bindings[end].params.group.position == end - start) {
        ++end;
    }
    return end;
}

void DDX_Robot::ReadRadioGroup(int32_t index) {
    const int32_t start = GroupStart(index);
    if (start < 0) {
        return;
    }
    auto* variable = static_cast<int8_t*>(m_bindings[index].variable);
    *variable = -1;
    for (int32_t member = start, end = GroupEnd(start); member < end; ++member) {
        HWND button = ControlOf(m_bindings[member]);
        if (button != nullptr && IsChecked(button)) {
            *variable = static_cast<int8_t>(member - start);
        }
    }
}

void DDX_Robot::WriteRadioGroup(int32_t index) {
    const int32_t start = GroupStart(index);
    if (start < 0) {
        return;
    }
    const int8_t value = *static_cast<const int8_t*>(m_bindings[index].variable);
    for (int32_t member = start, end = GroupEnd(start); member < end; ++member) {
        if (HWND button = ControlOf(m_bindings[member])) {
            SetCheck(button, member - start == value ? BST_CHECKED : BST_UNCHECKED);
        }
    }
}
