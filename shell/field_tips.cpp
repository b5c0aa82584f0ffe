#include "shell/field_tips.h"

#include <commctrl.h>

#include "shell/shell_state.h"

namespace {

FieldTipRecord LastTip;

// Copies at most FieldTipCapacity - 1 characters and a NUL.
void CopyTipText(char* to, const char* from)
{
    lstrcpynA(to, from, FieldTipCapacity);
}

}  // namespace

void ShowFieldTip(int field, const char* title, const char* text)
{
    LastTip.Field = field;
    CopyTipText(LastTip.Title, title);
    CopyTipText(LastTip.Text, text);
    // The balloon takes wide strings only.
    WCHAR wideTitle[FieldTipCapacity];
    WCHAR wideText[FieldTipCapacity];
    MultiByteToWideChar(CP_ACP, 0, LastTip.Title, -1, wideTitle, FieldTipCapacity);
    MultiByteToWideChar(CP_ACP, 0, LastTip.Text, -1, wideText, FieldTipCapacity);
    EDITBALLOONTIP tip = {};
    tip.cbStruct = sizeof tip;
    tip.pszTitle = wideTitle;
    tip.pszText = wideText;
    tip.ttiIcon = TTI_WARNING;
    SendMessageW(GetDlgItem(ShellState.Dialog, field), EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
}

const FieldTipRecord& LastFieldTip()
{
    return LastTip;
}

void ForgetFieldTip()
{
    LastTip.Field = 0;
    LastTip.Title[0] = '\0';
    LastTip.Text[0] = '\0';
}
