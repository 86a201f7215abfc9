#pragma once
// What each binding kind is: the control it binds, the type of its variable and what locking
// does to the control. The control decides which notifications read it. The engine asks this
// table instead of testing ranges of kind numbers.
#include <cstdint>
#include <iterator>

// The kinds of binding, with the variable each expects. Any other value makes an entry inert.
enum BindingKind : int32_t {
    EditText8 = 1,   // char[capacity], Windows-1250
    EditText16 = 2,  // wchar_t[capacity], copied as it is
    EditText8B = 3,
    EditText16B = 4,
    ComboEditText8 = 5,    // char[capacity]; a chosen item is copied when it fits
    ComboEditText16 = 6,   // wchar_t[capacity]
    ComboIndex = 7,        // int32_t, -1 for no selection
    ComboListInt = 8,      // int32_t, clamped into the limits
    ComboEditInt = 9,      // int32_t, clamped while typed
    ComboEditHex = 10,     // uint32_t
    ComboListDouble = 11,  // double
    ComboListHex = 12,     // uint32_t
    ComboListText8 = 13,   // char[capacity], matched ignoring case
    ComboListText16 = 14,  // wchar_t[capacity]
    ComboDataRef = 15,     // int32_t; item data: address of an int32_t, -1 for the item index
    ComboData = 16,        // int32_t; item data: the value, -1 for the item index
    ComboIndexText8 = 17,  // int32_t and a char buffer
    ComboDataText8 = 18,   // int32_t and a char buffer
    ComboDataText16 = 19,  // int32_t and a wchar_t buffer
    EditInt = 20,          // int32_t, validated
    EditHex = 21,          // uint32_t, validated against signed limits
    EditDouble = 22,       // double, validated
    EditDate = 23,         // DateRecord, validated
    CheckByte = 24,        // uint8_t: 0, 1 or 2 (indeterminate)
    RadioIndex = 25,       // int8_t shared by the group, -1 for none
    CheckCharSpace = 26,   // char: '1' or ' '
    CheckCharZero = 27,    // char: '1' or '0'
    CheckBit = 28,         // uint32_t, one bit of it
    DatePickerDate = 29,   // DateRecord
    DatePickerStamp = 30,  // DateStamp
    DatePickerYmd = 31,    // DateYmd
    IpAddress = 32,        // uint32_t, first field in the top byte
};

enum class BoundControl : uint8_t {
    kNone,           // an inert entry
    kEdit,           // reads on edit change
    kComboEdit,      // combo box with an edit: reads on typing and on a chosen item
    kComboList,      // reads on selection change
    kValidatedEdit,  // silent read on edit change, read with messages on focus loss
    kCheck,          // reads on click
    kRadio,          // a click on a button that is now checked stores its position
    kPicker,         // reads on the picker's change notification, never on commands
    kAddress,        // silent reads on edit change and focus loss
};

enum class BoundValue : uint8_t {
    kNone,
    kText8,
    kText16,
    kInt32,
    kUInt32,
    kReal,
    kDate,
    kByte,
    kChar,
    kRadioIndex,
    kBitWord,
    kStamp,
    kYmd,
};

enum class LockMode : uint8_t { kNone, kReadOnly, kDisable };

struct KindTraits {
    BoundControl control;
    BoundValue value;
    LockMode lock;
};

namespace binding_kinds {

using C = BoundControl;
using V = BoundValue;
using L = LockMode;

// Indexed by the kind's number; row 0 stands for every number outside 1 to 32.
inline constexpr KindTraits kTable[] = {
    {C::kNone, V::kNone, L::kNone},
    {C::kEdit, V::kText8, L::kReadOnly},            // EditText8
    {C::kEdit, V::kText16, L::kReadOnly},           // EditText16
    {C::kEdit, V::kText8, L::kReadOnly},            // EditText8B
    {C::kEdit, V::kText16, L::kReadOnly},           // EditText16B
    {C::kComboEdit, V::kText8, L::kDisable},        // ComboEditText8
    {C::kComboEdit, V::kText16, L::kDisable},       // ComboEditText16
    {C::kComboList, V::kInt32, L::kDisable},        // ComboIndex
    {C::kComboList, V::kInt32, L::kDisable},        // ComboListInt
    {C::kComboEdit, V::kInt32, L::kDisable},        // ComboEditInt
    {C::kComboEdit, V::kUInt32, L::kDisable},       // ComboEditHex
    {C::kComboList, V::kReal, L::kDisable},         // ComboListDouble
    {C::kComboList, V::kUInt32, L::kDisable},       // ComboListHex
    {C::kComboList, V::kText8, L::kDisable},        // ComboListText8
    {C::kComboList, V::kText16, L::kDisable},       // ComboListText16
    {C::kComboList, V::kInt32, L::kDisable},        // ComboDataRef
    {C::kComboList, V::kInt32, L::kDisable},        // ComboData
    {C::kComboList, V::kInt32, L::kDisable},        // ComboIndexText8
    {C::kComboList, V::kInt32, L::kDisable},        // ComboDataText8
    {C::kComboList, V::kInt32, L::kDisable},        // ComboDataText16
    {C::kValidatedEdit, V::kInt32, L::kReadOnly},   // EditInt
    {C::kValidatedEdit, V::kUInt32, L::kReadOnly},  // EditHex
    {C::kValidatedEdit, V::kReal, L::kReadOnly},    // EditDouble
    {C::kValidatedEdit, V::kDate, L::kReadOnly},    // EditDate
    {C::kCheck, V::kByte, L::kDisable},             // CheckByte
    {C::kRadio, V::kRadioIndex, L::kDisable},       // RadioIndex
    {C::kCheck, V::kChar, L::kDisable},             // CheckCharSpace
    {C::kCheck, V::kChar, L::kDisable},             // CheckCharZero
    {C::kCheck, V::kBitWord, L::kDisable},          // CheckBit
    {C::kPicker, V::kDate, L::kDisable},            // DatePickerDate
    {C::kPicker, V::kStamp, L::kDisable},           // DatePickerStamp
    {C::kPicker, V::kYmd, L::kDisable},             // DatePickerYmd
    {C::kAddress, V::kUInt32, L::kReadOnly},        // IpAddress
};
static_assert(std::size(kTable) == IpAddress + 1);

}  // namespace binding_kinds

constexpr KindTraits TraitsOf(int32_t kind) {
    const bool known = kind >= EditText8 && kind <= IpAddress;
    return binding_kinds::kTable[known ? kind : 0];
}

// The text kinds whose control shows the buffer as its text (the list combos select instead).
constexpr bool ShowsBufferText(const KindTraits& traits) {
    return (traits.control == BoundControl::kEdit || traits.control == BoundControl::kComboEdit) &&
           (traits.value == BoundValue::kText8 || traits.value == BoundValue::kText16);
}
