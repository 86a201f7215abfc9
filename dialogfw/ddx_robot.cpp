#include "dialogfw/ddx_robot.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

#include "base/cp1250.h"
#include "dialogfw/binding_kinds.h"
#include "dialogfw/control_helpers.h"
#include "framework/framework.h"

using namespace dlgctl;

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

bool IsCommandCode(uint32_t code) {
    return code == kEditChange || code == kFocusLoss || code == kComboEditChange ||
           code == kSelectionChange || code == kClick;
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

std::wstring RangeMessage(const std::string& lower, const std::string& upper) {
    static constexpr Cp1250Literal kStart{"Vložte číslo mezi "};
    return ToWide(kStart.str() + lower + " a " + upper + ".");
}

constexpr Cp1250Literal kDateMessage{"Vložte datum ve správném formátu (např. 17.5.1997)"};

}  // namespace

BindingEntry PlainBinding(int32_t id, int32_t kind, void* variable) {
    BindingEntry entry{};
    entry.controlId = id;
    entry.kind = static_cast<BindingKind>(kind);
    entry.variable = variable;
    return entry;
}

BindingEntry IntBinding(int32_t id, int32_t kind, void* variable, int32_t lower, int32_t upper,
                        uint32_t flags) {
    BindingEntry entry = PlainBinding(id, kind, variable);
    entry.params.integer = {lower, upper, flags};
    return entry;
}

BindingEntry TextBinding(int32_t id, int32_t kind, void* buffer, int32_t capacity) {
    BindingEntry entry = PlainBinding(id, kind, buffer);
    entry.params.text.capacity = capacity;
    return entry;
}

BindingEntry TextBufferBinding(int32_t id, int32_t kind, int32_t* variable, void* buffer,
                               int32_t capacity) {
    BindingEntry entry = PlainBinding(id, kind, variable);
    entry.params.textWithBuffer = {buffer, capacity};
    return entry;
}

BindingEntry RealBinding(int32_t id, double* variable, double lower, double upper, uint32_t flags,
                         const char* format) {
    BindingEntry entry = PlainBinding(id, EditDouble, variable);
    entry.params.real = {format, lower, upper, flags};
    return entry;
}

BindingEntry RadioBinding(int32_t id, int8_t* variable, int32_t position) {
    BindingEntry entry = PlainBinding(id, RadioIndex, variable);
    entry.params.group.position = position;
    return entry;
}

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
    return AddBinding(PlainBinding(controlId, kind, variable));
}

void DDX_Robot::AddIntEdit(int32_t controlId, int32_t* variable) {
    const BindingEntry entry = IntBinding(controlId, EditInt, variable, 0, 0);
    VerifyInvariant(AddBinding(entry), "AddIntEdit: the binding was refused");
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
        const KindTraits traits = TraitsOf(entry.kind);
        if (traits.control == BoundControl::kAddress) {
            SetAddressReadOnly(control, lock);
        } else if (traits.lock == LockMode::kReadOnly) {
            SendMessageW(control, EM_SETREADONLY, lock, 0);
        } else if (traits.lock == LockMode::kDisable) {
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
    bool reads = false;
    bool withMessages = false;
    switch (TraitsOf(entry.kind).control) {
        case BoundControl::kEdit:
            reads = code == kEditChange;
            break;
        case BoundControl::kComboEdit:
            return ActOnComboEdit(entry, control, code);
        case BoundControl::kComboList:
            reads = code == kSelectionChange;
            break;
        case BoundControl::kValidatedEdit:
            reads = code == kEditChange || code == kFocusLoss;
            withMessages = code == kFocusLoss;
            break;
        case BoundControl::kRadio:
            if (code != kClick || !IsChecked(control)) {
                return false;
            }
            *static_cast<int8_t*>(entry.variable) =
                static_cast<int8_t>(entry.params.group.position);
            return true;
        case BoundControl::kCheck:
            reads = code == kClick;
            break;
        case BoundControl::kAddress:
            reads = code == kEditChange || code == kFocusLoss;
            break;
        case BoundControl::kPicker:
        case BoundControl::kNone:
            break;
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
    const BoundValue value = TraitsOf(entry.kind).value;
    const bool isText = value == BoundValue::kText8 || value == BoundValue::kText16;
    return isText ? StoreChosenText(entry, control) : StoreChosenNumber(entry, control);
}

// --- reading --------------------------------------------------------------------------------

void DDX_Robot::ReadEntry(int32_t index, HWND control, bool withMessages) {
    BindingEntry& entry = m_bindings[index];
    const KindTraits traits = TraitsOf(entry.kind);
    if (traits.value == BoundValue::kText8) {
        StoreText8(ToCp1250(WindowText(control)), entry.variable, entry.params.text.capacity);
        return;
    }
    if (traits.value == BoundValue::kText16) {
        StoreText16(WindowText(control), entry.variable, entry.params.text.capacity);
        return;
    }
    switch (traits.control) {
        case BoundControl::kComboEdit:
        case BoundControl::kComboList:
            ReadCombo(entry, control);
            break;
        case BoundControl::kValidatedEdit:
            ReadValidated(entry, control, withMessages);
            break;
        case BoundControl::kCheck:
            ReadCheck(entry, control);
            break;
        case BoundControl::kRadio:
            ReadRadioGroup(index);
            break;
        case BoundControl::kPicker:
            ReadPicker(entry, control);
            break;
        case BoundControl::kAddress: {
            DWORD address = 0;
            SendMessageW(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
            *static_cast<uint32_t*>(entry.variable) = address;
            break;
        }
        case BoundControl::kEdit:
        case BoundControl::kNone:
            break;
    }
}

void DDX_Robot::ReadCheck(BindingEntry& entry, HWND control) {
    switch (TraitsOf(entry.kind).value) {
        case BoundValue::kByte:
            *static_cast<uint8_t*>(entry.variable) =
                static_cast<uint8_t>(SendMessageW(control, BM_GETCHECK, 0, 0));
            break;
        case BoundValue::kChar: {
            const char unchecked = entry.kind == CheckCharSpace ? ' ' : '0';
            *static_cast<char*>(entry.variable) = IsChecked(control) ? '1' : unchecked;
            break;
        }
        case BoundValue::kBitWord:
            if (entry.params.integer.flags < 32) {
                const uint32_t bit = 1u << entry.params.integer.flags;
                auto& word = *static_cast<uint32_t*>(entry.variable);
                word = IsChecked(control) ? (word | bit) : (word & ~bit);
            }
            break;
        default:
            break;
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
            Refuse(control, ToWide(kDateMessage).c_str());
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
    const KindTraits traits = TraitsOf(entry.kind);
    if (ShowsBufferText(traits)) {
        if (traits.value == BoundValue::kText8) {
            WriteText(control, BufferText8(entry.variable, entry.params.text.capacity));
        } else {
            WriteText(control, BufferText16(entry.variable, entry.params.text.capacity));
        }
        return;
    }
    switch (traits.control) {
        case BoundControl::kComboEdit:
        case BoundControl::kComboList:
            WriteCombo(entry, control);
            break;
        case BoundControl::kValidatedEdit:
            WriteValidated(entry, control);
            break;
        case BoundControl::kCheck:
            WriteCheck(entry, control);
            break;
        case BoundControl::kRadio:
            WriteRadioGroup(index);
            break;
        case BoundControl::kPicker:
            WritePicker(entry, control);
            break;
        case BoundControl::kAddress:
            SendMessageW(control, IPM_SETADDRESS, 0, *static_cast<uint32_t*>(entry.variable));
            break;
        case BoundControl::kEdit:
        case BoundControl::kNone:
            break;
    }
}

void DDX_Robot::WriteValidated(const BindingEntry& entry, HWND control) {
    const uint32_t flags = entry.params.integer.flags;
    switch (entry.kind) {
        case EditInt:
            WriteText(control, IntToTextOrEmpty(*static_cast<int32_t*>(entry.variable), flags));
            break;
        case EditHex:
            WriteText(control, HexToTextOrEmpty(*static_cast<uint32_t*>(entry.variable), flags));
            break;
        case EditDouble: {
            const auto& real = entry.params.real;
            WriteText(control, RealToControlText(*static_cast<double*>(entry.variable), real.format,
                                                 real.flags));
            break;
        }
        default:
            WriteText(control, DateToText(*static_cast<DateRecord*>(entry.variable)));
            break;
    }
}

void DDX_Robot::WriteCheck(const BindingEntry& entry, HWND control) {
    switch (TraitsOf(entry.kind).value) {
        case BoundValue::kByte:
            SetCheck(control, *static_cast<uint8_t*>(entry.variable));
            break;
        case BoundValue::kChar:
            SetCheck(control,
                     *static_cast<char*>(entry.variable) == '1' ? BST_CHECKED : BST_UNCHECKED);
            break;
        case BoundValue::kBitWord: {
            const uint32_t bit = entry.params.integer.flags;
            const bool set = bit < 32 && (*static_cast<uint32_t*>(entry.variable) >> bit) & 1u;
            SetCheck(control, set ? BST_CHECKED : BST_UNCHECKED);
            break;
        }
        default:
            break;
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
