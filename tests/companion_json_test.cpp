// The companion's JSON form: read back by a small JSON parser of the test's
// own, it holds exactly the TAB block's items and the fields' bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "cli/companion.h"
#include "core/field_ids.h"
#include "memory/memory_fields.h"

namespace {

using Items = std::vector<std::pair<std::string, std::string>>;

std::string Captured(FILE* out)
{
    std::string text;
    std::rewind(out);
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, out)) > 0)
        text.append(buffer, n);
    std::fclose(out);
    return text;
}

// A JSON string at text[*at] (RFC 8259), decoded to bytes: every \u escape
// must stand for a character below 256 here. False when it is not valid.
bool ParseString(const std::string& text, size_t* at, std::string* value)
{
    if (text[*at] != '"')
        return false;
    for (size_t i = *at + 1; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '"') {
            *at = i + 1;
            return true;
        }
        if (c < 0x20 || c >= 0x80)
            return false;  // raw control characters are invalid; the writer keeps to ASCII
        if (c != '\\') {
            *value += static_cast<char>(c);
            continue;
        }
        char e = text[++i];
        const std::string simple = "\"\\/bfnrt";
        const std::string meant = "\"\\/\b\f\n\r\t";
        if (simple.find(e) != std::string::npos) {
            *value += meant[simple.find(e)];
        } else if (e == 'u' && i + 4 < text.size()) {
            unsigned long code = std::stoul(text.substr(i + 1, 4), nullptr, 16);
            if (code > 255)
                return false;
            *value += static_cast<char>(code);
            i += 4;
        } else {
            return false;
        }
    }
    return false;
}

// One flat JSON object on one line: string keys, values that are strings,
// integers or arrays of strings (joined with ',' here, as the TAB form
// writes them). False when it is not valid JSON of that shape.
bool ParseObjectLine(const std::string& line, Items* items)
{
    size_t at = 1;
    if (line.empty() || line[0] != '{' || line.back() != '}')
        return false;
    while (at < line.size() - 1) {
        std::string key, value;
        if ((!items->empty() && line[at++] != ',') || !ParseString(line, &at, &key) || line[at++] != ':')
            return false;
        if (line[at] == '"') {
            if (!ParseString(line, &at, &value))
                return false;
        } else if (line[at] == '[') {
            for (++at; line[at] != ']';) {
                if (value.size() > 0 && line[at++] != ',')
                    return false;
                if (value.size() > 0)
                    value += ',';
                if (!ParseString(line, &at, &value))
                    return false;
            }
            ++at;
        } else {
            while (at < line.size() && ((line[at] >= '0' && line[at] <= '9') || line[at] == '-'))
                value += line[at++];
            if (value.empty())
                return false;
        }
        items->emplace_back(key, value);
    }
    return at == line.size() - 1;
}

// The TAB block as items.
Items TabItems(const std::string& block)
{
    Items items;
    for (size_t at = 0; at < block.size();) {
        size_t tab = block.find('\t', at);
        size_t end = block.find('\n', at);
        items.emplace_back(block.substr(at, tab - at), block.substr(tab + 1, end - tab - 1));
        at = end + 1;
    }
    return items;
}

TEST(CompanionJson, EveryByteIsWrittenAsAsciiJsonAndReadsBack)
{
    // Every byte but NUL in a field's text (the float field keeps a text it
    // cannot read, as typed).
    std::string all;
    for (int byte = 1; byte < 256; ++byte)
        all += static_cast<char>(byte);
    MemoryStartUp(32, false);
    MemoryProgramWrite(FieldFloat, all.c_str());
    ASSERT_EQ(MemoryFieldText(FieldFloat), all);
    FILE* out = std::tmpfile();
    CompanionPrintBlock({out, false, true}, CompanionErrorFlags());
    std::string json = Captured(out);
    Items items;
    ASSERT_EQ(json.back(), '\n');
    ASSERT_TRUE(ParseObjectLine(json.substr(0, json.size() - 1), &items)) << json;
    std::string floatText = "(none)";
    for (const auto& [name, value] : items) {
        if (name == "float")
            floatText = value;
    }
    EXPECT_EQ(floatText, all);
    EXPECT_NE(json.find("\\u0080\\u0081"), std::string::npos) << json;
    EXPECT_NE(json.find("\\u00FF\""), std::string::npos) << json;
}

// The JSON block holds the TAB block's items in its order, with the readings.
TEST(CompanionJson, BlockHoldsTheTabItemsWithTheReadings)
{
    const struct {
        int width;
        const char* script[3];
    } cases[] = {
        {80, {"edit float -1.5", "", ""}},
        {32, {"edit decimal 1\x01\"\\\x7F\xC3\xA9", "edit float 1e999", ""}},
        {16, {"edit hex a\tb", "", ""}},
        {8, {"edit decimal -129", "leave decimal", ""}},
    };
    for (const auto& c : cases) {
        std::string blocks[2];
        for (int json = 0; json < 2; ++json) {
            MemoryStartUp(c.width, false);
            FILE* out = std::tmpfile();
            for (const char* line : c.script) {
                const char* reason = "";
                ASSERT_EQ(CompanionRunLine(line, {out, false, false}, &reason), CompanionOk)
                    << line << reason;
            }
            CompanionPrintBlock({out, true, json == 1}, CompanionErrorFlags());
            blocks[json] = Captured(out);
        }
        Items items;
        ASSERT_EQ(blocks[1].back(), '\n');
        EXPECT_TRUE(ParseObjectLine(blocks[1].substr(0, blocks[1].size() - 1), &items)) << blocks[1];
        EXPECT_EQ(items, TabItems(blocks[0])) << blocks[1];
    }
}

}  // namespace
