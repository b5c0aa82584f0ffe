#include "shell/system_menu.h"

#include "shell/copy_and_history.h"
#include "shell/inspector_pane.h"
#include "shell/resource.h"
#include "shell/shell_state.h"
#include "shell/transparency.h"
#include "shell/transparency_steps.h"

namespace {

// An item: a command, a popup made when the menu is built, or a separator.
struct SystemMenuItem {
    UINT Command;  // 0 for a popup or a separator
    const char* Text;  // null for a separator
    HMENU (*MakePopup)();  // a popup's items, or null
    bool (*Offered)();  // null: always there
    bool (*Checked)();  // null: never checked at start
};

bool InspectorShown()
{
    return PaneState.Shown != 0;
}

// Detached from menu 102, so that destroying menu 102 leaves it alone.
HMENU TakeTransparencyPopup()
{
    HMENU popup = GetSubMenu(ShellState.TransparencyMenu, 0);
    RemoveMenu(ShellState.TransparencyMenu, 0, MF_BYPOSITION);
    return popup;
}

bool TransparencyOffered()
{
    return TranslucencyAvailable() && GetSubMenu(ShellState.TransparencyMenu, 0) != nullptr;
}

// "Always on top" starts unchecked: the saved state is applied later, as a
// user's choice would be.
const SystemMenuItem SystemMenuItems[] = {
    {AlwaysOnTopCommand, "Always on top", nullptr, nullptr, nullptr},
    {0, "Transparency", TakeTransparencyPopup, TransparencyOffered, nullptr},
    {0, nullptr, nullptr, nullptr, nullptr},
    {IDM_INSPECTOR, "Inspector", nullptr, nullptr, InspectorShown},
    {0, "Copy as", CopyAsPopup, nullptr, nullptr},
    {IDM_HISTORY_BACK, "Back\tAlt+Left", nullptr, nullptr, nullptr},
    {IDM_HISTORY_FORWARD, "Forward\tAlt+Right", nullptr, nullptr, nullptr},
    {0, nullptr, nullptr, nullptr, nullptr},
};

void InsertItem(HMENU menu, UINT position, const SystemMenuItem& item)
{
    if (!item.Text) {
        InsertMenuA(menu, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        return;
    }
    if (item.MakePopup) {
        InsertMenuA(menu, position, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(item.MakePopup()),
                    item.Text);
        return;
    }
    UINT checked = item.Checked && item.Checked() ? MF_CHECKED : MF_UNCHECKED;
    InsertMenuA(menu, position, MF_BYPOSITION | MF_STRING | checked, item.Command, item.Text);
}

}  // namespace

void BuildSystemMenu(HWND dialog)
{
    HMENU menu = GetSystemMenu(dialog, FALSE);
    ShellState.SystemMenu = menu;
    UINT position = 0;
    for (const SystemMenuItem& item : SystemMenuItems) {
        if (!item.Offered || item.Offered())
            InsertItem(menu, position++, item);
    }
}
