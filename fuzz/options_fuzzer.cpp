// Runs the companion on random command lines as its main() does, with the
// output and the complaints thrown away, and checks what must hold: the
// exit status is one of 0 to 3, and a command line the options refuse
// ends in bad usage (2). Each argument is a block of its own, so that
// reading past one is caught by AddressSanitizer.
//
// Input: the arguments separated by NULs (at most 16); after two NULs in a
// row, the text standard input holds for --script and --each.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/companion.h"
#include "cli/companion_main.h"
#include "cli/options.h"
#include "fuzz/fuzz_check.h"

namespace {

constexpr int MaxArguments = 16;

FILE* const Sink = std::fopen("/dev/null", "w");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    // The command line ends at the first pair of NULs.
    size_t end = 0;
    while (end < size && !(text[end] == '\0' && end + 1 < size && text[end + 1] == '\0'))
        ++end;
    char* argv[MaxArguments + 2] = {};
    int argc = 0;
    static const char Program[] = "dexolin-cli";
    argv[argc] = static_cast<char*>(std::malloc(sizeof Program));
    std::memcpy(argv[argc++], Program, sizeof Program);
    for (size_t start = 0; start < end && argc <= MaxArguments;) {
        const void* nul = std::memchr(text + start, '\0', end - start);
        size_t length =
            nul ? static_cast<size_t>(static_cast<const char*>(nul) - (text + start)) : end - start;
        char* argument = static_cast<char*>(std::malloc(length + 1));
        std::memcpy(argument, text + start, length);
        argument[length] = '\0';
        argv[argc++] = argument;
        start += length + 1;
    }
    size_t inputStart = end + 2 < size ? end + 2 : size;
    // fmemopen takes no empty buffer: an empty input is an empty file.
    static char input[4096];
    size_t inputLength = size - inputStart < sizeof input ? size - inputStart : sizeof input;
    std::memcpy(input, text + inputStart, inputLength);
    FILE* in = inputLength == 0 ? std::fopen("/dev/null", "r") : fmemopen(input, inputLength, "r");

    CompanionOptions options;
    bool refused = ReadCompanionOptions(argc, argv, &options) != nullptr;
    int status = RunCompanion(argc, argv, in, Sink, Sink);
    FUZZ_CHECK(status >= CompanionOk && status <= CompanionUnwritten);
    if (refused)
        FUZZ_CHECK(status == CompanionBad);
    std::fclose(in);
    for (int i = 0; i < argc; ++i)
        std::free(argv[i]);
    return 0;
}
