#pragma once
// Script commands of the window's inspector: "toggle N" (bit N),
// "step next|previous" and "paste FIELD TEXT" (a paste as people copy bit
// patterns; "edit" stays the plain replace).

// Runs the command when it is one of these: returns true and sets *status
// (CompanionOk, or CompanionBad with a short reason in *reason). Returns
// false for any other command.
bool CompanionRunInspectorCommand(const char* command, const char* rest, int* status, const char** reason);
