#pragma once
// The mantissa field: the significand as its leading digit, a point and a
// fixed count of decimal fraction digits (7 at 32 bits, 16 at 64, 19 at 80).
// The leading digit is the hidden bit (1 unless the exponent field is zero)
// or, at 80 bits, the explicit integer bit. The renderer rounds half up; the
// parser truncates, so typing a shown text back need not give the same bits.
// Both operations do nothing at widths without a float format.

// Writes "1." or "0." and the rounded fraction digits (at most 21 characters).
void RenderMantissa(int field);

// Reads at most 23 characters: "1." (at 80 bits also "0.") and 1 to 19
// digits. Writes the fraction bits (and at 80 bits the integer bit); sign and
// exponent stay. Any other text clears the fraction (at 80 bits the
// significand becomes the integer bit alone) and sets MantissaError.
bool ParseMantissa(int field);
