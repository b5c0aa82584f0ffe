// The window and the in-memory fields (the companion's front end) driven by
// the same random edit scripts: after every step both must show the same
// texts, error flags, sign box, limits and register. The window is the real
// dialog from the real resources; a paste is EM_REPLACESEL over the whole
// text, so the edit control itself cuts it at its limit and turns letters
// into capitals.
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

namespace {

enum class Action { Click, Sign, Paste, Leave };

struct Step {
    Action Kind;
    int Id;  // the button or field
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

// A script of steps that the companion could run: edits and leaves of the
// fields enabled at the width in force, clicks of any button, the sign box
// while it is enabled.
std::vector<Step> RandomScript(std::mt19937& random, int width, int length)
{
    std::vector<Step> steps;
    for (int i = 0; i < length; ++i) {
        bool floatFields = width >= 32;
        int editCount = floatFields ? 6 : 3;
        switch (random() % 8) {
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
    const char* kinds[] = {"click", "sign", "paste", "leave"};
    out << kinds[static_cast<int>(step.Kind)] << ' ' << step.Id;
    if (step.Kind == Action::Paste) {
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
    return shot;
}

// The window: a paste replaces the whole text without moving the focus; a
// leave gives the field the focus and then moves it to the hint text, so
// the field's focus-loss handler runs once. (The dialog itself would hand
// the focus on to one of its fields.)
void RunInWindow(const Step& step)
{
    switch (step.Kind) {
    case Action::Click:
    case Action::Sign: SendMessageA(Control(step.Id), BM_CLICK, 0, 0); break;
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

        OpenMainDialog(ButtonOfWidth(width), big ? ButtonBig : ButtonLittle);
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
