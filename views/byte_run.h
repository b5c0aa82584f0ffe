#pragma once
#include <cstdint>

// Reading a run of bytes as hex dumps and C sources write them:
//   CD CC CC 3D          pairs between blanks
//   cd-cc-cc-3d          pairs between dashes
//   cdcccc3d             an even count of hex digits
//   \xcd\xcc\xcc\x3d     C string escapes
//   {0xCD, 0xCC, 0xCC, 0x3D}  a C initialiser (braces optional, a comma
//   0xcd,0xcc,0xcc,0x3d       after the last byte allowed as in C)
// Blanks, tabs and line ends may stand around the run and between bytes.

// The widest width's bytes: a run longer than that is counted, not kept.
constexpr int ByteRunCapacity = 10;

// The problem's capacity, NUL included: "found 2147483647 bytes, 80 bits
// need 10" is the longest, 39 characters.
constexpr int ByteRunProblemCapacity = 48;

// Reads text (NUL-terminated) as a run of exactly width / 8 bytes, in the
// order written, into bytes (ByteRunCapacity). Returns true; or false with
// the problem in a few words in problem (ByteRunProblemCapacity bytes): "no
// bytes", "odd count of hex digits", "unexpected character 'g'", "unmatched
// brace", "0x takes one or two hex digits", "\x takes two hex digits", or
// for a run of another length "found 4 bytes, 80 bits need 10".
bool ReadByteRun(const char* text, int32_t width, uint8_t* bytes, char* problem);
