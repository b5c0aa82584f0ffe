// dexolin-cli: drives the converter from the command line or a script; the
// forms and the exit statuses are in CompanionUsage (cli/options.cpp).
#include <cstdio>

#include "cli/companion_main.h"

int main(int argc, char** argv)
{
    return RunCompanion(argc, argv, stdin, stdout, stderr);
}
