#pragma once
#include <windows.h>

// Refused or cut input explained where it happened: a balloon tip on the
// edit field (EM_SHOWBALLOONTIP), as Windows' own number fields do. The
// tip closes by itself when the user types or the field loses the focus.

// Shows title and text (ANSI, each at most FieldTipCapacity - 1
// characters; longer is cut) on the dialog's control id.
constexpr int FieldTipCapacity = 256;
void ShowFieldTip(int field, const char* title, const char* text);

// Closes a balloon the program showed itself (where the edit control shows
// none); the edit control closes its own.
void HideFieldTip();

// The last tip shown, for the window's tests: the field (0 for none), its
// title and its text.
struct FieldTipRecord {
    int Field;
    bool Shown;  // the edit control showed the balloon
    char Title[FieldTipCapacity];
    char Text[FieldTipCapacity];
};
const FieldTipRecord& LastFieldTip();
void ForgetFieldTip();
