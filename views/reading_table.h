#pragma once
// The readings of the value, one row each, in the order the inspector pane
// shows them (its tab order) and the companion prints them. Every list of
// readings is this table: the pane's texts and labels, the companion's
// lines, the readings of a width and of a chosen format. A new reading is a
// new row here and a case in WriteFormatReading (views/float_readings.h).
#include <cstdint>
#include <string_view>

#include "core/field_ids.h"
#include "views/float_readings.h"

// Where the pane puts a reading's label and text: on one line in the left
// or the right column, or across both; None: the pane has no text for it.
enum class ReadingPlace : uint8_t { None, Left, Right, Across };

// Where a reading is read, a bit set: in the format chosen for the width, at
// a width in the float fields' format, or with the width's bytes in memory
// order (the companion's --memory, the pane's last line).
enum ReadingScope : unsigned {
    InFormat = 1,
    AtWidth8 = 2,
    AtWidth16 = 4,
    AtFloatWidths = 8,  // 32, 64 and 80 bits
    InMemory = 16,
};

struct ReadingRow {
    Reading Shown;
    const char* Name;  // the companion's name of its line
    const char* Label;  // the pane's label of its text
    int Control;  // the pane's text, 0 for none
    int LabelControl;  // the label's id, 0 for none
    ReadingPlace Place;
    unsigned Scope;
};

inline constexpr ReadingRow ReadingTable[] = {
    // The format's name is shown by the format list itself.
    {Reading::Format, "format", "", 0, 0, ReadingPlace::None, InFormat},
    {Reading::Unsigned, "unsigned", "unsigned", PaneUnsigned, LabelUnsigned, ReadingPlace::Left,
     InFormat | AtWidth8 | AtWidth16 | AtFloatWidths},
    {Reading::Class, "class", "class", PaneClass, LabelClass, ReadingPlace::Right, InFormat | AtFloatWidths},
    {Reading::Half, "half", "half", PaneHalf, LabelHalf, ReadingPlace::Left, AtWidth16},
    {Reading::Bfloat16, "bfloat16", "bfloat16", PaneBfloat16, LabelBfloat16, ReadingPlace::Right, AtWidth16},
    {Reading::Exact, "exact", "exact", PaneExact, LabelExact, ReadingPlace::Across, InFormat | AtFloatWidths},
    {Reading::Shortest, "shortest", "shortest", PaneShortest, LabelShortest, ReadingPlace::Left,
     InFormat | AtFloatWidths},
    {Reading::HexFloat, "hexfloat", "hexfloat", PaneHexFloat, LabelHexFloat, ReadingPlace::Right,
     InFormat | AtFloatWidths},
    {Reading::Next, "next", "next", PaneNext, LabelNext, ReadingPlace::Left, InFormat | AtFloatWidths},
    {Reading::Previous, "previous", "previous", PanePrevious, LabelPrevious, ReadingPlace::Right,
     InFormat | AtFloatWidths},
    {Reading::Bytes, "bytes", "bytes", PaneBytes, LabelBytes, ReadingPlace::Left, InMemory},
    {Reading::BytesBigEndian, "bytes-be", "bytes-be", PaneBytesBigEndian, LabelBytesBigEndian,
     ReadingPlace::Right, InMemory},
};
constexpr int ReadingTableCount = sizeof ReadingTable / sizeof ReadingTable[0];

// No two rows share a reading, a name or a control: the companion's lines
// are told apart by name, the pane's texts by id.
constexpr bool RowsAreDistinct()
{
    for (int i = 0; i < ReadingTableCount; ++i) {
        for (int j = i + 1; j < ReadingTableCount; ++j) {
            const ReadingRow& a = ReadingTable[i];
            const ReadingRow& b = ReadingTable[j];
            if (a.Shown == b.Shown || std::string_view(a.Name) == b.Name ||
                (a.Control != 0 && (a.Control == b.Control || a.LabelControl == b.LabelControl)))
                return false;
        }
    }
    return true;
}
static_assert(RowsAreDistinct());

// The row whose pane text is control, or null for any other id.
constexpr const ReadingRow* RowOfControl(int control)
{
    for (const ReadingRow& row : ReadingTable) {
        if (row.Control != 0 && row.Control == control)
            return &row;
    }
    return nullptr;
}

// Whether the width reads the row in the float fields' format (8, 16, 32,
// 64 and 80 bits; no other width reads any).
constexpr bool ReadAtWidth(const ReadingRow& row, int32_t width)
{
    switch (width) {
    case 8: return (row.Scope & AtWidth8) != 0;
    case 16: return (row.Scope & AtWidth16) != 0;
    case 32:
    case 64:
    case 80: return (row.Scope & AtFloatWidths) != 0;
    default: return false;
    }
}
