#include "dialogfw/control_helpers.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "formats/value_formats.h"
#include "framework/framework.h"

namespace dlgctl {

namespace {

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

}  // namespace

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

// --- combo boxes ----------------------------------------------------------------------------

LRESULT Selection(HWND combo) {
    return SendMessageW(combo, CB_GETCURSEL, 0, 0);
}

void Select(HWND combo, LRESULT item) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

void SelectExactText(HWND combo, const std::wstring& text) {
    const LRESULT item = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text.c_str()));
    Select(combo, item);
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

// The address control has no read-only mode of its own; its four field edits have.
void SetAddressReadOnly(HWND control, bool readOnly) {
    for (HWND field = GetWindow(control, GW_CHILD); field != nullptr;
         field = GetWindow(field, GW_HWNDNEXT)) {
        SendMessageW(field, EM_SETREADONLY, readOnly, 0);
    }
}

}  // namespace dlgctl
