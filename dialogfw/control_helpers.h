#pragma once
// Reading and writing the common controls the binding engine works on: texts in fixed buffers,
// combo box items and their data, check states, date pickers and address controls.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/framework.h"

namespace dlgctl {

// The numeric combo kinds read item texts into a buffer of this many characters.
constexpr size_t kItemTextBuffer = 100;

// A control's text as the value readers get it: at most 255 characters.
std::string ConversionText(HWND control);

// False when the item does not exist or its text is `limit` characters or longer.
bool ItemText(HWND combo, LRESULT item, size_t limit, std::wstring& text);

// The buffer zero-filled, then the text cut to capacity - 1 characters.
void StoreText8(const std::string& text, void* buffer, int32_t capacity);
void StoreText16(const std::wstring& text, void* buffer, int32_t capacity);
// The text in a buffer of `capacity` characters, up to its first NUL.
std::string BufferText8(const void* buffer, int32_t capacity);
std::wstring BufferText16(const void* buffer, int32_t capacity);

LRESULT Selection(HWND combo);
void Select(HWND combo, LRESULT item);  // CB_ERR clears the selection
void SelectExactText(HWND combo, const std::wstring& text);

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

// The item-data kinds: the selected item's data, or for `referred` the integer it points at;
// an item without data gives its index. False when nothing is selected.
bool ReadItemData(HWND combo, int32_t* variable, bool referred);
// Selects the first item whose value equals *variable, else the first item, whose value is
// then stored.
void WriteItemData(HWND combo, int32_t* variable, bool referred);

bool IsChecked(HWND button);
void SetCheck(HWND button, WPARAM state);

bool PickerDate(HWND picker, SYSTEMTIME& time);
// A date of all zeros leaves the picker as it is.
void SetPickerDate(HWND picker, unsigned year, unsigned month, unsigned day);

// The address control has no read-only mode of its own; its four field edits have.
void SetAddressReadOnly(HWND control, bool readOnly);

}  // namespace dlgctl
