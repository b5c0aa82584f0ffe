#pragma once
#include <cstdint>

// A paste of the width's bytes as they lie in memory (views/byte_run.h reads
// them from text): little-endian, the first byte is the least significant;
// big-endian, the last is. Sets the width's bits from them and refreshes
// every field (source none), as a bit toggle does; the bytes above the
// width stay. Returns false, changing nothing, unless count is the width's
// byte count.
bool OnPasteBytes(const uint8_t* bytes, int count, bool bigEndian);
