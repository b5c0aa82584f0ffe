// The window and the in-memory fields (the companion's front end) driven by
// the same random edit scripts: after every step both must show the same
// texts, error flags, sign box, limits and register, and the same inspector:
// reading texts, toggles and steps. The window is the real dialog from the
// real resources; an edit is EM_REPLACESEL over the whole text, so the edit
// control itself cuts it at its limit and turns letters into capitals; a
// clipboard paste is WM_PASTE over the whole text.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/converter_state.h"
#include "core/field_ids.h"
#include "memory/memory_fields.h"
#include "shell/resource.h"
#include "tests/windows/dialog_harness.h"
#include "views/float_readings.h"
#include "views/reading_table.h"

namespace {

enum class Action { Click, Sign, Paste, Leave, Toggle, Step, ClipboardPaste };

struct Step {
    Action Kind;
    int Id;  // the button, field or bit toggle
    std::string Text;  // what a paste puts in
};

const int Edits[] = {FieldBinary, FieldDecimal, FieldHex, FieldFloat, FieldExponent, FieldMantissa};
const int ErrorFields[] = {FieldDecimal, FieldFloat, FieldExponent, FieldMantissa};
const int Buttons[] = {ButtonWidth8,  ButtonWidth16, ButtonWidth32, ButtonWidth64,
                       ButtonWidth80, ButtonLittle,  ButtonBig};

// What both front ends show after a step.
struct Snapshot {
    std::string Texts[6];
    int Limits[6];  // 0 where the width sets none (exponent, mantissa at 8 and 16 bits)
    bool Sign;
    uint8_t Errors[4];
    uint8_t Register[10];
    std::string Pane[ReadingTableCount];  // by row of the reading table; empty for a row without a text
    bool PaneEnabled[ReadingTableCount];
    bool StepsEnabled[2];
    std::string Bits[BitToggleCount];  // the texts of the shown toggles, "-" for hidden ones
};

// Pieces of typed text: the words and characters every parser looks for,
// lower-case hexadecimal, bytes above 127 and runs longer than any limit.
std::string RandomText(std::mt19937& random)
{
    static const char* const Pieces[] = {
        "0",   "1",         "7",         "9",    "-",    "+",    ".",    "e",    "E",    "e-",    "a",
        "f",   "F",         "x",         "#",    " ",    "1.",   "0.",   "INF",  "IND",  "QNaN#", "SNaN#",
        "inf", "1.QNaN#12", "-1.SNaN#3", "\x80", "\xC3", "\xE9", "\xFF", "\x9A", "\xB5", "\xDF",  "\xF7",
    };
    std::string text;
    int pieces = static_cast<int>(random() % 8);
    for (int i = 0; i < pieces; ++i) {
        if (random() % 6 == 0) {
            int run = static_cast<int>(random() % 90);  // beyond the widest limit (80)
            for (int k = 0; k < run; ++k)
                text += static_cast<char>('0' + random() % 10);
        } else {
            text += Pieces[random() % (sizeof Pieces / sizeof Pieces[0])];
        }
    }
    return text;
}

// Bit patterns as people copy them, in either base, with separators, some
// too wide for the width or broken; now and then any text.
std::string RandomClipboard(std::mt19937& random)
{
    if (random() % 4 == 0)
        return RandomText(random);
    bool binary = random() % 3 == 0;
    std::string text = random() % 2 ? (binary ? "0b" : "0x") : "";
    int digits = 1 + static_cast<int>(random() % (binary ? 82 : 22));
    for (int i = 0; i < digits; ++i) {
        if (i > 0 && random() % 5 == 0)
            text += "_' :-"[random() % 5];
        text += binary ? static_cast<char>('0' + random() % 2) : "0123456789abcdefABCDEF"[random() % 22];
    }
    return text;
}

// A script of steps that the companion could run: edits and leaves of the
// fields enabled at the width in force, clicks of any button, the sign box
// while it is enabled.
std::vector<Step> RandomScript(std::mt19937& random, int width, int length)
{
    std::vector<Step> steps;
    for (int i = 0; i < length; ++i) {
        bool floatFields = width >= 32;
        int editCount = floatFields ? 6 : 3;
        switch (random() % 12) {
        case 8:
            steps.push_back({Action::Toggle, FirstBitToggle + static_cast<int>(random() % 80), ""});
            break;
        case 9:
            steps.push_back({Action::Step, random() % 2 ? ButtonStepNext : ButtonStepPrevious, ""});
            break;
        case 10: {
            int field = random() % 4 ? (random() % 2 ? FieldBinary : FieldHex) : Edits[random() % editCount];
            steps.push_back({Action::ClipboardPaste, field, RandomClipboard(random)});
            break;
        }
        case 0: {
            int button = Buttons[random() % 7];
            if (WidthOfButton(button) != 0)
                width = WidthOfButton(button);
            steps.push_back({Action::Click, button, ""});
            break;
        }
        case 1:
            if (floatFields)
                steps.push_back({Action::Sign, FieldSign, ""});
            break;
        case 2:
        case 3: steps.push_back({Action::Leave, Edits[random() % editCount], ""}); break;
        default: steps.push_back({Action::Paste, Edits[random() % editCount], RandomText(random)});
        }
    }
    return steps;
}

std::string Describe(const Step& step)
{
    std::ostringstream out;
    const char* kinds[] = {"click", "sign", "paste", "leave", "toggle", "step", "clipboard paste"};
    out << kinds[static_cast<int>(step.Kind)] << ' ' << step.Id;
    if (step.Kind == Action::Paste || step.Kind == Action::ClipboardPaste) {
        out << " \"";
        for (char c : step.Text) {
            auto byte = static_cast<unsigned char>(c);
            if (byte < 128)
                out << c;
            else
                out << "\\x" << std::hex << static_cast<int>(byte) << std::dec;
        }
        out << '"';
    }
    return out.str();
}

void TakeConverterState(Snapshot* shot)
{
    for (int i = 0; i < 4; ++i)
        shot->Errors[i] = *ErrorFlagOf(ErrorFields[i]);
    std::memcpy(shot->Register, ConverterState.ValueRegister, 10);
}

int LimitWhereSet(int field, int limit)
{
    bool setByWidth = field != FieldExponent && field != FieldMantissa;
    return setByWidth || ConverterState.Width >= 32 ? limit : 0;
}

Snapshot WindowSnapshot()
{
    Snapshot shot{};
    for (int i = 0; i < 6; ++i) {
        char text[1024];  // above every limit and every text the converter writes
        GetWindowTextA(Control(Edits[i]), text, sizeof text);
        shot.Texts[i] = text;
        shot.Limits[i] = LimitWhereSet(Edits[i], TextLimit(Edits[i]));
    }
    shot.Sign = IsChecked(FieldSign);
    TakeConverterState(&shot);
    static char text[ReadingCapacity];
    for (int i = 0; i < ReadingTableCount; ++i) {
        if (int id = ReadingTable[i].Control) {
            text[0] = '\0';  // a reading whose row has not shown yet has no control
            if (HWND control = Control(id))
                GetWindowTextA(control, text, sizeof text);
            shot.Pane[i] = text;
            shot.PaneEnabled[i] = IsEnabled(id);
        }
    }
    shot.StepsEnabled[0] = IsEnabled(ButtonStepNext);
    shot.StepsEnabled[1] = IsEnabled(ButtonStepPrevious);
    for (int bit = 0; bit < BitToggleCount; ++bit)
        shot.Bits[bit] = TileShows(bit) ? BitText(bit) : "-";
    return shot;
}

Snapshot MemorySnapshot()
{
    Snapshot shot{};
    for (int i = 0; i < 6; ++i) {
        shot.Texts[i] = MemoryFieldText(Edits[i]);
        shot.Limits[i] = LimitWhereSet(Edits[i], MemoryFieldLimit(Edits[i]));
    }
    shot.Sign = MemorySignChecked();
    TakeConverterState(&shot);
    for (int i = 0; i < ReadingTableCount; ++i) {
        if (int id = ReadingTable[i].Control) {
            shot.Pane[i] = MemoryFieldText(id);
            shot.PaneEnabled[i] = MemoryControlEnabled(id);
        }
    }
    shot.StepsEnabled[0] = MemoryControlEnabled(ButtonStepNext);
    shot.StepsEnabled[1] = MemoryControlEnabled(ButtonStepPrevious);
    for (int bit = 0; bit < BitToggleCount; ++bit)
        shot.Bits[bit] =
            MemoryControlShown(FirstBitToggle + bit) ? MemoryFieldText(FirstBitToggle + bit) : "-";
    return shot;
}

// The window: a paste replaces the whole text without moving the focus; a
// leave gives the field the focus and then moves it to the hint text, so
// the field's focus-loss handler runs once. (The dialog itself would hand
// the focus on to one of its fields.)
void RunInWindow(const Step& step)
{
    switch (step.Kind) {
    case Action::Toggle:
        // A tile that does not show takes no click.
        if (TileShows(step.Id - FirstBitToggle))
            ClickTile(step.Id - FirstBitToggle);
        break;
    case Action::Click:
    case Action::Sign:
    case Action::Step:
        // A hidden or disabled control takes no click.
        if (IsWindowVisible(Control(step.Id)) && IsWindowEnabled(Control(step.Id)))
            SendMessageA(Control(step.Id), BM_CLICK, 0, 0);
        break;
    case Action::ClipboardPaste:
        if (!IsWindowEnabled(Control(step.Id)))
            break;
        SetClipboardText(step.Text.c_str());
        SendMessageA(Control(step.Id), EM_SETSEL, 0, -1);
        SendMessageA(Control(step.Id), WM_PASTE, 0, 0);
        break;
    case Action::Paste:
        SendMessageA(Control(step.Id), EM_SETSEL, 0, -1);
        SendMessageA(Control(step.Id), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(step.Text.c_str()));
        break;
    case Action::Leave:
        SetFocus(Control(step.Id));
        SetFocus(Control(IDC_HINT));  // a static: the focus rests there, nothing runs
        break;
    }
}

void RunInMemory(const Step& step)
{
    switch (step.Kind) {
    case Action::Click: MemoryClickButton(step.Id); break;
    case Action::Sign: MemoryClickSign(); break;
    case Action::Paste: MemoryUserReplace(step.Id, step.Text.c_str()); break;
    case Action::Leave: MemoryLoseFocus(step.Id); break;
    case Action::Toggle: MemoryToggleBit(step.Id - FirstBitToggle); break;
    case Action::Step: MemoryClickStep(step.Id); break;
    case Action::ClipboardPaste:
        if (MemoryControlEnabled(step.Id))
            MemoryUserPaste(step.Id, step.Text.c_str());
        break;
    }
}

void ExpectSame(const Snapshot& window, const Snapshot& memory, const std::string& where)
{
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(window.Texts[i], memory.Texts[i]) << where << ", text of field " << Edits[i];
        EXPECT_EQ(window.Limits[i], memory.Limits[i]) << where << ", limit of field " << Edits[i];
    }
    EXPECT_EQ(window.Sign, memory.Sign) << where << ", sign box";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(window.Errors[i], memory.Errors[i]) << where << ", error flag of field " << ErrorFields[i];
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(window.Register[i], memory.Register[i]) << where << ", register byte " << i;
    for (int i = 0; i < ReadingTableCount; ++i) {
        EXPECT_EQ(window.Pane[i], memory.Pane[i]) << where << ", pane text " << ReadingTable[i].Name;
        EXPECT_EQ(window.PaneEnabled[i], memory.PaneEnabled[i])
            << where << ", pane control " << ReadingTable[i].Name;
    }
    EXPECT_EQ(window.StepsEnabled[0], memory.StepsEnabled[0]) << where << ", next step";
    EXPECT_EQ(window.StepsEnabled[1], memory.StepsEnabled[1]) << where << ", previous step";
    for (int bit = 0; bit < BitToggleCount; ++bit)
        EXPECT_EQ(window.Bits[bit], memory.Bits[bit]) << where << ", toggle of bit " << bit;
}

TEST(FrontEndAgreement, RandomScriptsGiveTheSameFieldsInTheWindowAndInMemory)
{
    constexpr int Scripts = 40;
    constexpr int StepsPerScript = 50;
    std::mt19937 random(20261207);
    for (int script = 0; script < Scripts; ++script) {
        int width = WidthButtons[script % 5].Width;
        bool big = (script / 5) % 2 != 0;
        std::vector<Step> steps = RandomScript(random, width, StepsPerScript);

        OpenMainDialog(ButtonOfWidth(width), big ? ButtonBig : ButtonLittle, true);
        // The window starts with the focus in a field, the memory with none:
        // park it on the hint first (leaving an untouched field changes
        // nothing).
        SetFocus(Control(IDC_HINT));
        std::vector<Snapshot> window{WindowSnapshot()};
        for (const Step& step : steps) {
            RunInWindow(step);
            window.push_back(WindowSnapshot());
        }
        CloseMainDialog();

        MemoryStartUp(width, big);
        std::vector<Snapshot> memory{MemorySnapshot()};
        for (const Step& step : steps) {
            RunInMemory(step);
            memory.push_back(MemorySnapshot());
        }

        std::string start = "script " + std::to_string(script) + " (" + std::to_string(width) +
            (big ? " bits, big)" : " bits, little)");
        ExpectSame(window[0], memory[0], start + ", start-up");
        for (size_t i = 0; i < steps.size() && !HasFailure(); ++i)
            ExpectSame(window[i + 1], memory[i + 1],
                       start + ", step " + std::to_string(i) + " " + Describe(steps[i]));
        if (HasFailure())
            return;
    }
}

}  // namespace
