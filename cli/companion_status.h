#pragma once
// What a companion command returns; the one-shot form's value is also the
// program's exit status.

enum CompanionStatus {
    CompanionOk = 0,  // done, no error flag
    CompanionFlagged = 1,  // done, an error flag was set (one-shot form)
    CompanionBad = 2,  // bad usage or a command that cannot run
    CompanionUnwritten = 3,  // standard output could not be written
};
