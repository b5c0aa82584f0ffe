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

// The five widths and their option buttons.
struct WidthButtonPair {
    int Width;
    int Button;
};
inline constexpr WidthButtonPair WidthButtons[5] = {
    {8, ButtonWidth8}, {16, ButtonWidth16}, {32, ButtonWidth32}, {64, ButtonWidth64}, {80, ButtonWidth80},
};

// Width of a width option button, or 0 for any other id.
constexpr int WidthOfButton(int button)
{
    for (const WidthButtonPair& pair : WidthButtons) {
        if (pair.Button == button)
            return pair.Width;
    }
    return 0;
}

// Option button of a width, or 0 for a width the converter does not offer.
constexpr int ButtonOfWidth(int width)
{
    for (const WidthButtonPair& pair : WidthButtons) {
        if (pair.Width == width)
            return pair.Button;
    }
    return 0;
}

// The inspector beside the fields: read-only reading texts, the steps to the
// neighbouring values, and one toggle per bit.
enum InspectorId : int {
    PaneUnsigned = 1030,
    PaneHalf = 1031,
    PaneBfloat16 = 1032,
    PaneExact = 1033,
    PaneShortest = 1034,
    PaneHexFloat = 1035,
    PaneNext = 1036,
    PanePrevious = 1037,
    PaneClass = 1038,
    PaneBytes = 1090,  // the width's bytes in memory order, little-endian
    PaneBytesBigEndian = 1091,  // the same bytes, most significant first
    ButtonStepNext = 1040,
    ButtonStepPrevious = 1041,
    FirstBitToggle = 1100,  // the toggle of bit b (0 the least significant) is 1100 + b
};

// The pane's value entry: the width's format (an editable list of the
// presets that fit it), the rounding and saturation of an entered value,
// the value itself and what its entry did.
enum ValueEntryId : int {
    PaneFormat = 1060,
    PaneRounding = 1061,
    PaneSaturate = 1062,
    PaneValue = 1063,
    PaneError = 1064,
    PaneFlags = 1065,
};

constexpr int PaneReadingCount = 9;  // 1030 to 1038
constexpr int BitToggleCount = 80;  // 1100 to 1179

// The bit of a bit toggle's id, or -1 for any other id.
constexpr int BitOfToggle(int id)
{
    return id >= FirstBitToggle && id < FirstBitToggle + BitToggleCount ? id - FirstBitToggle : -1;
}
