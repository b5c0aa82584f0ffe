// The inspector pane's layout on the real dialog at every width, at 96 and
// 144 DPI: nothing overlaps or leaves the client area, the rows follow one
// another without an empty band, the bit grid spans the pane, the window
// keeps its top-left corner, and the legend names the roles the bits have.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/field_ids.h"
#include "shell/dpi_layout.h"
#include "shell/inspector_pane.h"
#include "shell/resource.h"
#include "shell/shell_state.h"
#include "tests/windows/dialog_harness.h"
#include "views/reading_table.h"

namespace {

class PaneLayout : public ::testing::Test {
protected:
    void TearDown() override
    {
        CloseMainDialog();
    }
};

RECT ClientRectOf(HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, Dialog(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<HWND> VisibleControls()
{
    std::vector<HWND> controls;
    for (HWND child = GetWindow(Dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child))
            controls.push_back(child);
    }
    return controls;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
        inner.bottom <= outer.bottom;
}

// The template's group boxes hold their option buttons.
bool Holds(HWND box, const RECT& inner)
{
    RECT outer = ClientRectOf(box);
    return (GetWindowLongA(box, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
        GetDlgCtrlID(box) < PaneUnsigned && Inside(inner, outer);
}

void ExpectNothingOverlapsOrLeaves(const char* where)
{
    RECT client;
    GetClientRect(Dialog(), &client);
    const std::vector<HWND> controls = VisibleControls();
    for (size_t i = 0; i < controls.size(); ++i) {
        RECT a = ClientRectOf(controls[i]);
        EXPECT_TRUE(Inside(a, client))
            << where << ": control " << GetDlgCtrlID(controls[i]) << " leaves the client area";
        for (size_t j = i + 1; j < controls.size(); ++j) {
            RECT b = ClientRectOf(controls[j]), both;
            if (!IntersectRect(&both, &a, &b))
                continue;
            EXPECT_TRUE(Holds(controls[i], b) || Holds(controls[j], a))
                << where << ": controls " << GetDlgCtrlID(controls[i]) << " and " << GetDlgCtrlID(controls[j])
                << " overlap";
        }
    }
}

// The pane's rows: the vertical spans its visible controls cover, merged
// where they overlap.
struct Band {
    LONG Top, Bottom;
};

std::vector<Band> PaneBands()
{
    std::vector<Band> bands;
    for (HWND control : VisibleControls()) {
        if (GetDlgCtrlID(control) < PaneUnsigned)
            continue;
        RECT r = ClientRectOf(control);
        bands.push_back({r.top, r.bottom});
    }
    std::sort(bands.begin(), bands.end(), [](const Band& a, const Band& b) { return a.Top < b.Top; });
    std::vector<Band> merged;
    for (const Band& b : bands) {
        if (!merged.empty() && b.Top < merged.back().Bottom)
            merged.back().Bottom = std::max(merged.back().Bottom, b.Bottom);
        else
            merged.push_back(b);
    }
    return merged;
}

// One row of the dialog: the height of its binary field.
LONG RowHeight()
{
    RECT field = ClientRectOf(Control(FieldBinary));
    return field.bottom - field.top;
}

// Between the template's last control and the first row, between rows and
// below the last row at most one row of space.
void ExpectNoEmptyBand(const char* where)
{
    const std::vector<Band> bands = PaneBands();
    ASSERT_FALSE(bands.empty()) << where;
    RECT client;
    GetClientRect(Dialog(), &client);
    LONG above = ClientRectOf(Control(IDC_HINT)).bottom;
    for (const Band& b : bands) {
        EXPECT_LE(b.Top - above, RowHeight()) << where << ": an empty band above y " << b.Top;
        above = b.Bottom;
    }
    EXPECT_LE(client.bottom - above, RowHeight()) << where << ": an empty band at the bottom";
}

// The visible bit tiles span the template's width: from the binary field's
// left edge to its right edge, within a few pixels.
void ExpectGridSpansThePane(const char* where, int width)
{
    LONG left = LONG_MAX, right = LONG_MIN;
    int shown = 0;
    for (int bit = 0; bit < 80; ++bit) {
        if (!TileShows(bit))
            continue;
        RECT r = TileRect(bit);
        MapWindowPoints(BitGrid(), Dialog(), reinterpret_cast<POINT*>(&r), 2);
        left = std::min(left, r.left);
        right = std::max(right, r.right);
        ++shown;
    }
    ASSERT_EQ(shown, width) << where;
    RECT field = ClientRectOf(Control(FieldBinary));
    EXPECT_NEAR(left, field.left, 3) << where;
    EXPECT_NEAR(right, field.right, 3) << where;
}

TEST_F(PaneLayout, EveryWidthFillsThePaneWithoutGapsAtBothDpis)
{
    const struct {
        int button, width;
    } widths[] = {{ButtonWidth8, 8},   {ButtonWidth16, 16}, {ButtonWidth32, 32},
                  {ButtonWidth64, 64}, {ButtonWidth80, 80}, {ButtonWidth32, 32}};
    const int dpis[] = {96, 144};
    for (int dpi : dpis) {
        OpenMainDialog(ButtonWidth80, ButtonLittle, true);
        ASSERT_EQ(DpiLayoutState.Dpi, 96) << "the tests' prefix runs at 96 DPI";
        if (dpi != 96) {
            RECT window;
            GetWindowRect(Dialog(), &window);
            RECT suggested = {window.left, window.top,
                              window.left + MulDiv(window.right - window.left, dpi, 96),
                              window.top + MulDiv(window.bottom - window.top, dpi, 96)};
            SendMessageA(Dialog(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
            PumpMessages();
        }
        RECT start;
        GetWindowRect(Dialog(), &start);
        for (const auto& w : widths) {
            ClickButton(w.button);
            char where[32];  // "80 bits at 144 DPI"
            wsprintfA(where, "%d bits at %d DPI", w.width, dpi);
            ExpectNothingOverlapsOrLeaves(where);
            ExpectNoEmptyBand(where);
            ExpectGridSpansThePane(where, w.width);
            RECT now;
            GetWindowRect(Dialog(), &now);
            EXPECT_EQ(now.left, start.left) << where;
            EXPECT_EQ(now.top, start.top) << where;
        }
        CloseMainDialog();
    }
}

// The legend's text, which names its roles for screen readers, lists the
// roles the width's format gives its bits: the x87 format's explicit
// integer bit, the bits above a narrower format as ignored.
TEST_F(PaneLayout, LegendNamesTheRolesOfTheFormat)
{
    const struct {
        int button;
        const char* format;  // null: the width's own
        const char* legend;
    } cases[] = {
        {ButtonWidth8, nullptr, "sign, exponent, fraction"},
        {ButtonWidth8, "e2m1fn", "sign, exponent, fraction, ignored"},
        {ButtonWidth16, "e5m2", "sign, exponent, fraction, ignored"},
        {ButtonWidth32, nullptr, "sign, exponent, fraction"},
        {ButtonWidth80, nullptr, "sign, exponent, integer bit, fraction"},
    };
    for (const auto& c : cases) {
        OpenMainDialog(c.button, ButtonLittle, true);
        if (c.format) {
            HWND list = Control(PaneFormat);
            LRESULT index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(c.format));
            ASSERT_GE(index, 0) << c.format;
            SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
            SendMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(PaneFormat, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
            PumpMessages();
        }
        EXPECT_EQ(ControlText(PaneLegendId), c.legend) << (c.format ? c.format : "default");
        EXPECT_TRUE(IsWindowVisible(Control(PaneLegendId)));
        CloseMainDialog();
    }
}

}  // namespace

// The pane's controls are made where the layout puts them, in their tab
// order after the template's: each label right before its control (which
// names it for screen readers and takes its access key), the grid first,
// the steps in reading order. A row first shown later (half and bfloat16
// at 16 bits) takes the same place as when it shows from the start.
TEST_F(PaneLayout, ControlsFollowTheTemplateInTabOrder)
{
    const struct {
        const char* how;
        int startWidth;
    } cases[] = {{"shown at start", ButtonWidth16}, {"made later", ButtonWidth32}};
    std::vector<int> first;
    for (const auto& c : cases) {
        OpenMainDialog(c.startWidth, ButtonLittle, true);
        ClickButton(ButtonWidth16);
        std::vector<int> order;
        for (HWND child = GetWindow(Dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            order.push_back(GetDlgCtrlID(child));
        CloseMainDialog();
        auto at = [&](int id) { return std::find(order.begin(), order.end(), id) - order.begin(); };
        std::vector<std::pair<int, int>> pairs = {{ButtonStepPrevious, ButtonStepNext}};
        for (const ReadingRow& row : ReadingTable) {
            if (row.Control && row.LabelControl)
                pairs.push_back({row.LabelControl, row.Control});
        }
        for (int n = 0; n < 6; ++n)
            pairs.push_back({IDC_ENTRY_LABEL_FIRST + n, PaneFormat + n});
        for (const auto& [label, control] : pairs) {
            ASSERT_LT(at(control), static_cast<long>(order.size())) << control << ", " << c.how;
            EXPECT_EQ(at(label) + 1, at(control)) << label << " right before " << control << ", " << c.how;
        }
        EXPECT_LT(at(ButtonWidth80), at(IDC_BIT_GRID)) << "the pane after the template";
        EXPECT_LT(at(IDC_BIT_GRID), at(LabelUnsigned));
        EXPECT_LT(at(ButtonStepNext), at(PaneFormat)) << "the steps before the value entry";
        EXPECT_LT(at(PaneFlags), at(PaneBytes)) << "the bytes last";
        if (first.empty())
            first = order;
        else
            EXPECT_EQ(order, first) << c.how;
    }
}
