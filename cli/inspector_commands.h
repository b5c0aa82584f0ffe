#pragma once
// Script commands of the window's inspector: "toggle N" (bit N),
// "step next|previous" and "paste FIELD TEXT" (a paste as people copy bit
// patterns; "edit" stays the plain replace). Each takes the text after the
// command's word and returns CompanionOk, or CompanionBad with a short
// reason in *reason.

int CompanionToggle(const char* rest, const char** reason);
int CompanionStep(const char* rest, const char** reason);
int CompanionPaste(const char* rest, const char** reason);
