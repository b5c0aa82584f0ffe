#pragma once
// Script commands of the window's inspector: "toggle N" (bit N),
// "step next|previous", "paste FIELD TEXT" (a paste as people copy bit
// patterns; "edit" stays the plain replace) and "format NAME|default" (the
// float format of the width's readings, steps and bit roles). Each takes the text after the
// command's word and returns CompanionOk, or CompanionBad with a short
// reason in *reason.

int CompanionToggle(const char* rest, const char** reason);
int CompanionStep(const char* rest, const char** reason);
int CompanionPaste(const char* rest, const char** reason);
int CompanionFormat(const char* rest, const char** reason);

// "paste-bytes le|be TEXT": the width's bytes in memory order
// (views/byte_run.h), little-endian or big-endian.
int CompanionPasteBytes(const char* rest, const char** reason);

// "back" and "forward": the values settled before and after the one shown
// last (converter/value_history.h).
int CompanionGoBack(const char* rest, const char** reason);
int CompanionGoForward(const char* rest, const char** reason);
