#pragma once
#include <cstdint>

#include "core/float_format.h"

// The converter's one global record. Everything the converter knows lives
// here; the views keep no state of their own.
struct ConverterRecord {
    // The value, little-endian (byte 0 least significant). A width of w bits
    // uses bytes 0 to w/8 - 1; the bytes above it are never shown.
    uint8_t ValueRegister[10];
    int32_t Width;  // 0 before the first width click, then 8/16/32/64/80
    uint8_t BigEndian;  // entry and width changes align to the top end
    uint8_t Updating;  // set while the program itself writes a field
    uint8_t FloatFieldsEnabled;  // float, sign, exponent and mantissa controls enabled
    uint8_t DecimalError;  // error flags: the field's text is drawn red
    uint8_t FloatError;
    uint8_t ExponentError;
    uint8_t MantissaError;
    uint8_t ValueError;  // the pane's value entry: not a number
    uint8_t FormatError;  // the pane's format name: unknown or too wide
    // The float format each width is read in beyond the float fields (the
    // readings, the steps, the bit roles), in the order of WidthButtons;
    // no format (ExponentBits 0) stands for the width's default.
    FloatFormat ChosenFormats[5];
};

extern ConverterRecord ConverterState;

// Start-up preparation, before the first width and endianness clicks: the
// register all zero, no width, flags clear, float controls enabled, and the
// endianness opposite to the saved one so that its first click registers.
void ResetConverterState(bool savedBigEndian);

// Adapts ValueRegister to newWidth (8, 16, 32, 64 or 80): big-endian keeps
// the high bits, little-endian the low bits. Renders nothing.
void SetWidth(int32_t newWidth);

// Switches the entry alignment; re-aligns the entry fields when it changes.
// The value and every field's text stay as they are.
void SetBigEndian(bool flag);

// The one way a renderer writes a field: the updating guard is set around the
// write, so the change notification the write raises is not read back.
void SetFieldText(int field, const char* text);

// The error flag protocol: stores a changed flag and repaints the field at
// once so that its colour follows while the user types. An unchanged flag
// causes no repaint.
void UpdateErrorFlag(uint8_t* flag, bool error, int field);

// The error flag of FieldDecimal, FieldFloat, FieldExponent, FieldMantissa,
// PaneValue or PaneFormat; null for every other id (the binary and
// hexadecimal fields have none).
uint8_t* ErrorFlagOf(int field);

// The format chosen for a width (8, 16, 32, 64 or 80); null for any other.
const FloatFormat* ChosenFormatOf(int32_t width);

// Chooses the format of the current width, or its default for null.
// Returns false, changing nothing, when the format does not fit the width.
bool ChooseFormat(const FloatFormat* format);

// The same for any width (8, 16, 32, 64 or 80), as saved settings restore
// them before the first width is in force.
bool ChooseFormatForWidth(int32_t width, const FloatFormat* format);
