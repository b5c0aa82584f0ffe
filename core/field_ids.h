#pragma once
// Identifiers of the dialog's controls, shared by the converter and every
// front end. The window shell's resource script uses the same numbers.

enum FieldId : int {
    FieldNone = 0,  // RefreshViews source meaning "re-render every field"
    FieldBinary = 1006,
    FieldDecimal = 1007,
    FieldHex = 1008,
    FieldFloat = 1009,
    FieldExponent = 1010,
    FieldMantissa = 1011,
    FieldSign = 1012,
};

// Labels of the float controls; they are enabled and disabled with them.
enum LabelId : int {
    LabelFloat = 1002,
    LabelSign = 1003,
    LabelExponent = 1004,
    LabelMantissa = 1005,
};

// Option buttons of the width and endianness groups.
enum ButtonId : int {
    ButtonWidth8 = 1014,
    ButtonWidth16 = 1015,
    ButtonWidth32 = 1016,
    ButtonWidth64 = 1017,
    ButtonWidth80 = 1018,
    ButtonLittle = 1020,
    ButtonBig = 1021,
};

// True for the six edit fields, 1006 to 1011.
inline bool IsEditField(int id)
{
    return id >= FieldBinary && id <= FieldMantissa;
}
