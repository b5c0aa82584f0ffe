// One edit of a field with its full refresh of every other field, per field
// and width: the work done for each keystroke.
#include <benchmark/benchmark.h>

#include "core/field_ids.h"
#include "memory/memory_fields.h"

namespace {

struct EditCase {
    int field;
    const char* name;
    // Two texts, alternated so that every edit changes the value.
    const char* texts[5][2];  // per width 8, 16, 32, 64, 80
};

const EditCase Cases[] = {
    {FieldBinary,
     "binary",
     {{"10110011", "01001100"},
      {"1011001110001111", "0100110001110000"},
      {"10110011100011111011001110001111", "01001100011100000100110001110000"},
      {"1011001110001111101100111000111110110011100011111011001110001111",
       "0100110001110000010011000111000001001100011100000100110001110000"},
      {"10110011100011111011001110001111101100111000111110110011100011111011001110001111",
       "01001100011100000100110001110000010011000111000001001100011100000100110001110000"}}},
    {FieldDecimal,
     "decimal",
     {{"-77", "100"},
      {"-12345", "32000"},
      {"-2012345678", "1987654321"},
      {"-9123456789012345678", "8765432109876543210"},
      {"-604462909807314587353088", "604462909807314587353087"}}},
    {FieldHex,
     "hex",
     {{"B3", "4C"},
      {"B38F", "4C70"},
      {"B38FB38F", "4C704C70"},
      {"B38FB38FB38FB38F", "4C704C704C704C70"},
      {"B38FB38FB38FB38FB38F", "4C704C704C704C704C70"}}},
    {FieldFloat,
     "float",
     {{"", ""},
      {"", ""},
      {"-3.1415927", "2.7182817e-20"},
      {"-3.14159265358979311", "2.7182818284590451e-300"},
      {"-3.1415926535897932385", "2.7182818284590452354e-4000"}}},
    {FieldExponent,
     "exponent",
     {{"", ""}, {"", ""}, {"-100", "100"}, {"-1000", "1000"}, {"-16000", "16000"}}},
    {FieldMantissa,
     "mantissa",
     {{"", ""},
      {"", ""},
      {"1.5707963", "1.2345678"},
      {"1.5707963267948966", "1.2345678901234567"},
      {"1.5707963267948966192", "0.1234567890123456789"}}},
};

const int Widths[] = {8, 16, 32, 64, 80};

void EditWithRefresh(benchmark::State& state)
{
    const EditCase& edit = Cases[state.range(0)];
    int widthIndex = static_cast<int>(state.range(1));
    MemoryStartUp(Widths[widthIndex], false);
    const char* const* texts = edit.texts[widthIndex];
    int turn = 0;
    for (auto _ : state) {
        MemoryUserReplace(edit.field, texts[turn]);
        turn ^= 1;
    }
    state.SetLabel(std::string(edit.name) + "/" + std::to_string(Widths[widthIndex]));
}

void AllEdits(benchmark::internal::Benchmark* bench)
{
    for (int field = 0; field < static_cast<int>(sizeof Cases / sizeof Cases[0]); ++field) {
        for (int width = 0; width < 5; ++width) {
            if (Cases[field].field >= FieldFloat && width < 2)
                continue;  // the float fields are disabled at 8 and 16 bits
            bench->Args({field, width});
        }
    }
}

}  // namespace

BENCHMARK(EditWithRefresh)->Apply(AllEdits);
