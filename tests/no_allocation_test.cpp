// Edits and refreshes make no heap allocation: every allocation the process
// makes while the converter works is counted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "converter/paste_bytes.h"
#include "converter/value_history.h"
#include "core/converter_state.h"
#include "core/field_ids.h"
#include "memory/memory_fields.h"
#include "views/byte_run.h"
#include "views/copy_forms.h"

// The replaced operators below allocate with malloc and release with free,
// which g++ cannot see across the replacement.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
bool Counting = false;
long Allocations = 0;

void Note()
{
    if (Counting)
        ++Allocations;
}
}  // namespace

void* operator new(std::size_t size)
{
    Note();
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
    return operator new(size);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

#if defined(__GLIBC__)
// C allocations too (snprintf and friends could allocate behind the scenes).
extern "C" void* __libc_malloc(std::size_t);
extern "C" void* __libc_calloc(std::size_t, std::size_t);
extern "C" void* __libc_realloc(void*, std::size_t);
extern "C" void* malloc(std::size_t size)
{
    Note();
    return __libc_malloc(size);
}
extern "C" void* calloc(std::size_t n, std::size_t size)
{
    Note();
    return __libc_calloc(n, size);
}
extern "C" void* realloc(void* p, std::size_t size)
{
    Note();
    return __libc_realloc(p, size);
}
#endif

namespace {

// Texts typed into every field: valid, invalid, out of range, special words.
const char* const Samples[] = {
    "",
    "1",
    "-1",
    "101",
    "ff",
    "12a",
    "-604462909807314587353088",
    "99999999999999999999999999",
    "1.5",
    "-0.1",
    "1e4932",
    "1e-4940",
    "1.INF",
    "-1.IND",
    "1.QNaN#5",
    "1.SNaN#123456789",
    "16384",
    "-16383",
    "1.9999999999999999999",
    "0.5",
    "x",
    "\xFF\x80",
};

TEST(NoAllocation, EditsInEveryFieldAndWidth)
{
    MemoryStartUp(32, false);
    Allocations = 0;
    Counting = true;
    const int widths[] = {ButtonWidth8, ButtonWidth16, ButtonWidth32, ButtonWidth64, ButtonWidth80};
    for (int big = 0; big < 2; ++big) {
        MemoryClickButton(big ? ButtonBig : ButtonLittle);
        for (int width : widths) {
            MemoryClickButton(width);
            for (int field = FieldBinary; field <= FieldMantissa; ++field) {
                if (!MemoryControlEnabled(field))
                    continue;
                for (const char* text : Samples) {
                    MemoryUserReplace(field, text);
                    MemoryLoseFocus(field);
                }
            }
            if (MemoryControlEnabled(FieldSign))
                MemoryClickSign();
        }
    }
    Counting = false;
    EXPECT_EQ(Allocations, 0);
}

TEST(NoAllocation, BytesFormsAndTheHistory)
{
    MemoryStartUp(32, false);
    Allocations = 0;
    Counting = true;
    const int widths[] = {ButtonWidth8, ButtonWidth16, ButtonWidth32, ButtonWidth64, ButtonWidth80};
    for (int width : widths) {
        MemoryClickButton(width);
        uint8_t bytes[ByteRunCapacity];
        char problem[ByteRunProblemCapacity];
        if (ReadByteRun("{0x01, 0x00, 0x00, 0x80, 0x3F, 0xC0, 0xFF, 0x7F, 0xFF, 0x7F}", ConverterState.Width,
                        bytes, problem) ||
            ReadByteRun("01 00 80", ConverterState.Width, bytes, problem))
            OnPasteBytes(bytes, ConverterState.Width / 8, true);
        char text[CopyFormCapacity];
        for (CopyForm form : CopyForms)
            WriteCopyForm(text, form, *ChosenFormatOf(ConverterState.Width), ConverterState.ValueRegister,
                          ConverterState.Width);
    }
    while (OnHistoryBack()) { }
    while (OnHistoryForward()) { }
    Counting = false;
    EXPECT_EQ(Allocations, 0);
}

TEST(NoAllocation, TheCounterSeesAnAllocation)
{
    Allocations = 0;
    Counting = true;
    void* volatile p = std::malloc(16);
    int* q = new int(3);
    Counting = false;
    std::free(p);
    delete q;
    EXPECT_GE(Allocations, 1);
}

}  // namespace
