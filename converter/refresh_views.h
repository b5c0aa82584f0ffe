#pragma once
// Re-renders every field except sourceId (0: all of them) in a fixed order:
// binary, decimal, hexadecimal; then, while the float controls are enabled,
// float, the sign box, exponent and mantissa; then the inspector.
void RefreshViews(int sourceId);
