#pragma once
// The value as the companion prints it, for every front end: the fields,
// the error flags and the register as "name<TAB>value" lines or as one JSON
// object, the readings after them and the copy forms at the end. The text
// goes piece by piece to a sink: the companion's writes to a file, the
// window's into a fixed buffer for the clipboard.

struct TextSink {
    void (*Put)(void* context, const char* text);
    void* Context;
};

// What a block holds. With Readings the width's readings follow the
// register; with FormatReadings (or Encoded) those of the format chosen for
// the width instead. With Memory the readings end with the width's bytes in
// memory order ("bytes", "bytes-be"). AsForms: bit n asks for the copy form
// CopyForms[n] at the end (in JSON one object "as" of them). Encoded: an
// encoding set the value, and its flags and error follow the readings.
struct BlockText {
    bool Readings;
    bool Json;
    bool FormatReadings;
    bool Memory;
    unsigned AsForms;
    bool Encoded;
    const char* EncodeFlags;
    const char* EncodeError;
};

// Error flags as the block's "errors" line lists them, as a bit set.
int BlockErrorFlags();

// Writes the block: width, endian, each field's text, sign, errors (from the
// given bit set), register, then what text asks for. In JSON a field's text
// is bytes, not UTF-8: each byte is written as the character of the same
// number, so bytes above 127 become \u0080 to \u00FF and the output is
// plain ASCII, valid JSON whatever the fields hold.
void WriteBlockText(const TextSink& sink, const BlockText& text, int errorFlags);

// Only the reading lines of a block with FormatReadings: "name<TAB>text"
// and a line end for each reading of the chosen format (none without one).
void WriteFormatReadingLines(const TextSink& sink);
