#pragma once
// Runs the built dexolin-cli (its path is DEXOLIN_CLI) through the shell.
#include <cstdio>
#include <string>
#include <sys/wait.h>

struct CliRun {
    std::string output;
    int status;
};

// Runs the companion with the arguments (single-quoted by the caller where
// needed) and input on standard input (printf %b escapes such as \n are
// expanded); stderr joins the output, before any redirection among the
// arguments. status is -1 when it did not exit.
inline CliRun RunCli(const std::string& arguments, const std::string& input = "")
{
    std::string command = "printf '%b' '" + input + "' | '" DEXOLIN_CLI "' 2>&1 " + arguments;
    CliRun run{"", -1};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, n);
    int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}
