#pragma once
// Identifiers of the window's controls and menu commands, shared by the
// converter, every front end and the window's resource script. The resource
// compiler reads preprocessor lines only, so each number is a macro, typed
// here once; the C++ names below are made from them.

// Labels
#define IDC_LABEL_BINARY 1000
#define IDC_LABEL_DECIMAL 1001
#define IDC_LABEL_FLOAT 1002
#define IDC_LABEL_SIGN 1003
#define IDC_LABEL_EXPONENT 1004
#define IDC_LABEL_MANTISSA 1005
#define IDC_LABEL_HEX (-1)

// Number fields and the sign box
#define IDC_BINARY 1006
#define IDC_DECIMAL 1007
#define IDC_HEX 1008
#define IDC_FLOAT 1009
#define IDC_EXPONENT 1010
#define IDC_MANTISSA 1011
#define IDC_SIGN 1012

// Width group
#define IDC_BITS_GROUP 1013
#define IDC_BITS_8 1014
#define IDC_BITS_16 1015
#define IDC_BITS_32 1016
#define IDC_BITS_64 1017
#define IDC_BITS_80 1018

// Endianness group
#define IDC_ENDIAN_GROUP 1019
#define IDC_LITTLE 1020
#define IDC_BIG 1021

// Short usage hint in the lower right corner
#define IDC_HINT 1022

// The inspector pane, created beside the template's controls: reading texts
// with their labels, steps to the neighbours, the value entry and one toggle
// per bit. Labels and bit-group numbers have ids of their own so that they
// can be laid out and hidden with the controls they belong to.
#define IDC_PANE_UNSIGNED 1030
#define IDC_PANE_HALF 1031
#define IDC_PANE_BFLOAT16 1032
#define IDC_PANE_EXACT 1033
#define IDC_PANE_SHORTEST 1034
#define IDC_PANE_HEXFLOAT 1035
#define IDC_PANE_NEXT 1036
#define IDC_PANE_PREVIOUS 1037
#define IDC_PANE_CLASS 1038
#define IDC_PANE_FIRST IDC_PANE_UNSIGNED
#define IDC_STEP_NEXT 1040
#define IDC_STEP_PREVIOUS 1041
#define IDC_LABEL_UNSIGNED 1050
#define IDC_LABEL_HALF 1051
#define IDC_LABEL_BFLOAT16 1052
#define IDC_LABEL_EXACT 1053
#define IDC_LABEL_SHORTEST 1054
#define IDC_LABEL_HEXFLOAT 1055
#define IDC_LABEL_NEXT 1056
#define IDC_LABEL_PREVIOUS 1057
#define IDC_LABEL_CLASS 1058
#define IDC_PANE_LABEL_FIRST IDC_LABEL_UNSIGNED
#define IDC_FORMAT 1060  // editable list of the formats that fit the width
#define IDC_ROUNDING 1061  // list: even, away, zero, up, down
#define IDC_SATURATE 1062  // check box
#define IDC_VALUE 1063  // a value typed into the bits
#define IDC_ENTRY_ERROR 1064  // read-only: the stored value minus the typed one
#define IDC_ENTRY_FLAGS 1065  // read-only: the entry's IEEE 754 flags
#define IDC_ENTRY_LABEL_FIRST 1070  // 1070..1075: the label of 1060 + n is 1070 + n
#define IDC_PANE_BYTES 1090  // read-only: the width's bytes in memory order, little-endian
#define IDC_PANE_BYTES_BE 1091  // read-only: the same bytes, most significant first
#define IDC_PANE_BYTES_LABEL 1092
#define IDC_PANE_BYTES_BE_LABEL 1093
// 1100..1179: the toggle of bit b (0 the least significant) is 1100 + b. The
// window draws all of them as the tiles of one grid, 1180, which the
// converter never sees: it reads and writes the toggles by their ids.
#define IDC_BIT_FIRST 1100
#define IDC_BIT_GRID 1180  // the tiles and the group numbers above them
#define IDC_BIT_LEGEND 1199  // the role colours of the bits

// Commands of the "Transparency" popup: 40001 is 10% opaque, 40010 fully
// opaque; 40011 keeps the window translucent while it is active too.
#define IDM_OPACITY_10 40001
#define IDM_OPACITY_20 40002
#define IDM_OPACITY_30 40003
#define IDM_OPACITY_40 40004
#define IDM_OPACITY_50 40005
#define IDM_OPACITY_60 40006
#define IDM_OPACITY_70 40007
#define IDM_OPACITY_80 40008
#define IDM_OPACITY_90 40009
#define IDM_OPACITY_100 40010
#define IDM_ALWAYS 40011

// System-menu commands: keep the window above the others, show or hide the
// inspector pane.
#define IDM_ALWAYS_ON_TOP 40960
#define IDM_INSPECTOR 40961

// "Copy as": one command per form of the value, in the system menu's popup
// and in the context menus of the fields, readings and bit grid; the
// order of the items.
#define IDM_COPY_HEX 40976
#define IDM_COPY_LITERAL 40977
#define IDM_COPY_HEXFLOAT 40978
#define IDM_COPY_BYTES 40979
#define IDM_COPY_BYTES_BE 40980
#define IDM_COPY_ARRAY 40981
#define IDM_COPY_READINGS 40982
#define IDM_COPY_JSON 40983

// Back and Forward through the values settled on (system menu).
#define IDM_HISTORY_BACK 40992
#define IDM_HISTORY_FORWARD 40993

// The context menu of the binary and hexadecimal fields: the clipboard's
// bytes in memory order.
#define IDM_PASTE_BYTES_LE 41008
#define IDM_PASTE_BYTES_BE 41009

#ifndef RC_INVOKED

enum FieldId : int {
    FieldNone = 0,  // RefreshViews source meaning "re-render every field"
    FieldBinary = IDC_BINARY,
    FieldDecimal = IDC_DECIMAL,
    FieldHex = IDC_HEX,
    FieldFloat = IDC_FLOAT,
    FieldExponent = IDC_EXPONENT,
    FieldMantissa = IDC_MANTISSA,
    FieldSign = IDC_SIGN,
};

// Labels of the float controls; they are enabled and disabled with them.
enum LabelId : int {
    LabelFloat = IDC_LABEL_FLOAT,
    LabelSign = IDC_LABEL_SIGN,
    LabelExponent = IDC_LABEL_EXPONENT,
    LabelMantissa = IDC_LABEL_MANTISSA,
};

// Option buttons of the width and endianness groups.
enum ButtonId : int {
    ButtonWidth8 = IDC_BITS_8,
    ButtonWidth16 = IDC_BITS_16,
    ButtonWidth32 = IDC_BITS_32,
    ButtonWidth64 = IDC_BITS_64,
    ButtonWidth80 = IDC_BITS_80,
    ButtonLittle = IDC_LITTLE,
    ButtonBig = IDC_BIG,
};

// True for the six edit fields, binary to mantissa.
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
// neighbouring values, and one toggle per bit. Which reading each text shows
// is views/reading_table.h's business.
enum InspectorId : int {
    PaneUnsigned = IDC_PANE_UNSIGNED,
    PaneHalf = IDC_PANE_HALF,
    PaneBfloat16 = IDC_PANE_BFLOAT16,
    PaneExact = IDC_PANE_EXACT,
    PaneShortest = IDC_PANE_SHORTEST,
    PaneHexFloat = IDC_PANE_HEXFLOAT,
    PaneNext = IDC_PANE_NEXT,
    PanePrevious = IDC_PANE_PREVIOUS,
    PaneClass = IDC_PANE_CLASS,
    PaneBytes = IDC_PANE_BYTES,
    PaneBytesBigEndian = IDC_PANE_BYTES_BE,
    ButtonStepNext = IDC_STEP_NEXT,
    ButtonStepPrevious = IDC_STEP_PREVIOUS,
    FirstBitToggle = IDC_BIT_FIRST,
};

// The labels of the reading texts.
enum PaneLabelId : int {
    LabelUnsigned = IDC_LABEL_UNSIGNED,
    LabelHalf = IDC_LABEL_HALF,
    LabelBfloat16 = IDC_LABEL_BFLOAT16,
    LabelExact = IDC_LABEL_EXACT,
    LabelShortest = IDC_LABEL_SHORTEST,
    LabelHexFloat = IDC_LABEL_HEXFLOAT,
    LabelNext = IDC_LABEL_NEXT,
    LabelPrevious = IDC_LABEL_PREVIOUS,
    LabelClass = IDC_LABEL_CLASS,
    LabelBytes = IDC_PANE_BYTES_LABEL,
    LabelBytesBigEndian = IDC_PANE_BYTES_BE_LABEL,
};

// The pane's value entry: the width's format (an editable list of the
// presets that fit it), the rounding and saturation of an entered value,
// the value itself and what its entry did.
enum ValueEntryId : int {
    PaneFormat = IDC_FORMAT,
    PaneRounding = IDC_ROUNDING,
    PaneSaturate = IDC_SATURATE,
    PaneValue = IDC_VALUE,
    PaneError = IDC_ENTRY_ERROR,
    PaneFlags = IDC_ENTRY_FLAGS,
};

constexpr int BitToggleCount = 80;  // one toggle per bit of the widest width

// The bit of a bit toggle's id, or -1 for any other id.
constexpr int BitOfToggle(int id)
{
    return id >= FirstBitToggle && id < FirstBitToggle + BitToggleCount ? id - FirstBitToggle : -1;
}

#endif  // RC_INVOKED
