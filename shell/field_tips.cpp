#include "shell/field_tips.h"

#include <commctrl.h>

#include "core/number_text.h"
#include "shell/shell_state.h"

namespace {

FieldTipRecord LastTip;

// Where the edit control shows no balloon of its own (Wine's does not), a
// tracking balloon of the program's, under the field, closed by the next
// key or click in the window, by a timer, or when the window closes.
HWND OwnBalloon;
UINT_PTR BalloonTimer;  // the timer that closes it, 0 for none
constexpr UINT BalloonMilliseconds = 6000;

// Copies at most FieldTipCapacity - 1 characters and a NUL.
void CopyTipText(char* to, const char* from)
{
    WriteTextBounded(to, from, FieldTipCapacity);
}

TTTOOLINFOW BalloonTool(HWND field, WCHAR* text)
{
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND;
    tool.hwnd = ShellState.Dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(field);
    tool.lpszText = text;
    return tool;
}

void CALLBACK CloseBalloonLater(HWND, UINT, UINT_PTR, DWORD)
{
    HideFieldTip();
}

void ShowOwnBalloon(HWND field, WCHAR* title, WCHAR* text)
{
    HideFieldTip();
    OwnBalloon = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_NOPREFIX | TTS_BALLOON | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                 ShellState.Dialog, nullptr, nullptr, nullptr);
    if (!OwnBalloon)
        return;
    TTTOOLINFOW tool = BalloonTool(field, text);
    SendMessageW(OwnBalloon, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(OwnBalloon, TTM_SETMAXTIPWIDTH, 0, 300);
    SendMessageW(OwnBalloon, TTM_SETTITLEW, TTI_WARNING, reinterpret_cast<LPARAM>(title));
    RECT place;
    GetWindowRect(field, &place);
    SendMessageW(OwnBalloon, TTM_TRACKPOSITION, 0, MAKELPARAM((place.left + place.right) / 2, place.bottom));
    SendMessageW(OwnBalloon, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    BalloonTimer = SetTimer(nullptr, 0, BalloonMilliseconds, CloseBalloonLater);
}

}  // namespace

void ShowFieldTip(int field, const char* title, const char* text)
{
    LastTip.Field = field;
    CopyTipText(LastTip.Title, title);
    CopyTipText(LastTip.Text, text);
    // The balloons take wide strings only.
    WCHAR wideTitle[FieldTipCapacity];
    WCHAR wideText[FieldTipCapacity];
    MultiByteToWideChar(CP_ACP, 0, LastTip.Title, -1, wideTitle, FieldTipCapacity);
    MultiByteToWideChar(CP_ACP, 0, LastTip.Text, -1, wideText, FieldTipCapacity);
    EDITBALLOONTIP tip = {};
    tip.cbStruct = sizeof tip;
    tip.pszTitle = wideTitle;
    tip.pszText = wideText;
    tip.ttiIcon = TTI_WARNING;
    HWND control = DialogItem(field);
    LastTip.Shown = SendMessageW(control, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip)) != FALSE;
    if (!LastTip.Shown) {
        ShowOwnBalloon(control, wideTitle, wideText);
        LastTip.Shown = OwnBalloon && IsWindowVisible(OwnBalloon);
    }
}

void HideFieldTip()
{
    if (!OwnBalloon)
        return;
    if (BalloonTimer)
        KillTimer(nullptr, BalloonTimer);
    BalloonTimer = 0;
    DestroyWindow(OwnBalloon);
    OwnBalloon = nullptr;
}

const FieldTipRecord& LastFieldTip()
{
    return LastTip;
}

void ForgetFieldTip()
{
    LastTip.Field = 0;
    LastTip.Shown = false;
    LastTip.Title[0] = '\0';
    LastTip.Text[0] = '\0';
}
