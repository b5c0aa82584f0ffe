#pragma once
// Resource identifiers of the window: the dialog template, the transparency
// menu, the icon and the dialog's controls. Shared by the resource script and
// the code, so this header holds preprocessor definitions only (windres reads
// it too). The field, label and button ids equal those of core/field_ids.h;
// main_dialog.cpp checks that at compile time.

#define IDD_MAIN 101  // the main dialog
#define IDM_TRANSPARENCY 102  // menu whose one popup is the "Transparency" submenu
#define IDI_DEXOLIN 104  // window and program icon

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

// System-menu command that shows or hides the inspector pane.
#define IDM_INSPECTOR 40961

// The inspector pane, created beside the template's controls: reading texts,
// steps to the neighbours and one toggle per bit (1100 + bit number). Its
// labels and the bit-group numbers have ids of their own so that they can be
// laid out and hidden with the controls they belong to.
#define IDC_PANE_FIRST                                                                                       \
    1030  // 1030..1038: unsigned, half, bfloat16, exact, shortest, hexfloat, next, previous, class
#define IDC_STEP_NEXT 1040
#define IDC_STEP_PREVIOUS 1041
#define IDC_PANE_LABEL_FIRST 1050  // 1050..1058: the label of 1030 + n is 1050 + n
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
#define IDC_BIT_FIRST 1100  // 1100..1179
#define IDC_BIT_GROUP_FIRST 1180  // 1180..1199: the number above each group of four bits

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
