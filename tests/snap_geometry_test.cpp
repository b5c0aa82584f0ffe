#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>

#include "shell/snap_geometry.h"

// Found by argument-dependent lookup, so it lives beside SnapRect.
static std::ostream& operator<<(std::ostream& os, const SnapRect& r)
{
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

bool Same(const SnapRect& a, const SnapRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

WorkAreaList Areas(std::initializer_list<SnapRect> areas)
{
    WorkAreaList list{};
    for (const SnapRect& a : areas)
        EXPECT_TRUE(AppendWorkArea(&list, a));
    return list;
}

// The window was grabbed 37 pixels right of its left edge and 11 below its
// top, like a click into the caption; the cursor is then placed so that the
// natural (unsnapped) position is (naturalLeft, naturalTop).
constexpr int32_t GrabX = 37;
constexpr int32_t GrabY = 11;

SnapRect Drag(const WorkAreaList& list, int32_t width, int32_t height, int32_t naturalLeft,
              int32_t naturalTop)
{
    const int32_t startLeft = 400;
    const int32_t startTop = 300;
    SnapRect window{startLeft, startTop, startLeft + width, startTop + height};
    SnapRect grab = GrabRectangle(window, startLeft + GrabX, startTop + GrabY);
    return SnapPosition(list, grab, naturalLeft + GrabX, naturalTop + GrabY);
}

struct DragCase {
    const char* what;
    int32_t naturalLeft, naturalTop;
    int32_t left, top;  // expected position; the size never changes
};

constexpr int32_t W = 300;
constexpr int32_t H = 200;

void RunDrags(const WorkAreaList& list, const DragCase* cases, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const DragCase& c = cases[i];
        SnapRect got = Drag(list, W, H, c.naturalLeft, c.naturalTop);
        SnapRect want{c.left, c.top, c.left + W, c.top + H};
        EXPECT_TRUE(Same(got, want)) << c.what << ": natural (" << c.naturalLeft << ", " << c.naturalTop
                                     << ") gave " << got << ", expected " << want;
    }
}

// One monitor with a taskbar at the bottom.
const SnapRect Primary{0, 0, 1920, 1040};

TEST(SnapPosition, OneMonitorEdgesSnapBelowTenPixels)
{
    const DragCase cases[] = {
        // what                     natural       expected
        {"top 9 below", 500, 9, 500, 0},
        {"top 10 below", 500, 10, 500, 10},
        {"top 9 above", 500, -9, 500, 0},
        {"top 10 above", 500, -10, 500, -10},
        {"top on edge", 500, 0, 500, 0},
        {"bottom 9 above", 500, 831, 500, 840},
        {"bottom 10 above", 500, 830, 500, 830},
        {"bottom 9 below", 500, 849, 500, 840},
        {"bottom 10 below", 500, 850, 500, 850},
        {"left 9 right of", 9, 500, 0, 500},
        {"left 10 right of", 10, 500, 10, 500},
        {"left 9 left of", -9, 500, 0, 500},
        {"left 10 left of", -10, 500, -10, 500},
        {"right 9 inside", 1611, 500, 1620, 500},
        {"right 10 inside", 1610, 500, 1610, 500},
        {"right 9 outside", 1629, 500, 1620, 500},
        {"right 10 outside", 1630, 500, 1630, 500},
        {"top-left corner", 5, 7, 0, 0},
        {"bottom-right corner", 1615, 835, 1620, 840},
        {"top-right corner", 1625, -3, 1620, 0},
        {"middle of the screen", 800, 400, 800, 400},
    };
    RunDrags(Areas({Primary}), cases, std::size(cases));
}

TEST(SnapPosition, OnlyLikeEdgesAttract)
{
    const DragCase cases[] = {
        {"window bottom at area top", 500, -203, 500, -203},
        {"window top at area bottom", 500, 1043, 500, 1043},
        {"window right at area left", -303, 500, -303, 500},
        {"window left at area right", 1917, 500, 1917, 500},
    };
    RunDrags(Areas({Primary}), cases, std::size(cases));
}

TEST(SnapPosition, DraggingPastAnEdgeFreesTheWindow)
{
    // One drag towards and across the left edge: held at the edge while the
    // natural position is within 9 pixels, free again from 10 pixels on.
    const DragCase cases[] = {
        {"approaching", 12, 500, 12, 500},  {"caught", 8, 500, 0, 500},
        {"on the edge", 0, 500, 0, 500},    {"pushed 5 past", -5, 500, 0, 500},
        {"pushed 9 past", -9, 500, 0, 500}, {"released", -10, 500, -10, 500},
        {"far past", -60, 500, -60, 500},
    };
    RunDrags(Areas({Primary}), cases, std::size(cases));
}

TEST(SnapPosition, TopIsTriedBeforeBottomAndLeftBeforeRight)
{
    // An area only 5 pixels taller and wider than the window: both opposite
    // edges are within reach, the top and the left edge win.
    WorkAreaList list = Areas({{100, 100, 100 + W + 5, 100 + H + 5}});
    const DragCase cases[] = {
        {"top and bottom near", 200, 103, 200, 100},
        {"left and right near", 103, 150, 100, 150},
        {"all four near", 104, 104, 100, 100},
    };
    RunDrags(list, cases, std::size(cases));
}

TEST(SnapPosition, NegativeCoordinatesLeftOfAndAbovePrimary)
{
    WorkAreaList list = Areas({Primary, {-1280, -200, 0, 824}});
    const DragCase cases[] = {
        {"left and top of left monitor", -1275, -193, -1280, -200},
        {"right edge of left monitor", -305, 300, -300, 300},
        {"bottom of left monitor", -900, 620, -900, 624},
        {"primary left edge wins first", 4, 300, 0, 300},
        {"unsnapped between", -700, 300, -700, 300},
    };
    RunDrags(list, cases, std::size(cases));
}

TEST(SnapPosition, SeamOfTwoMonitorsSnapsToTheOneThatFits)
{
    // B is right of A, shorter, so their bottom edges differ by 56 pixels.
    WorkAreaList list = Areas({{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}});
    const DragCase cases[] = {
        {"straddling, near B's bottom", 1700, 830, 1700, 824},
        {"straddling, near A's bottom", 1700, 885, 1700, 880},
        {"B's left edge on A's right", 1925, 400, 1920, 400},
    };
    RunDrags(list, cases, std::size(cases));
}

TEST(SnapPosition, VerticalFromOneMonitorHorizontalFromAnother)
{
    // B is right of A and lower by 200 pixels. The window straddles the seam,
    // its top near B's top and its right edge near A's right edge.
    const SnapRect a{0, 0, 1920, 1080};
    const SnapRect b{1920, 200, 3200, 1224};
    const DragCase bFirst[] = {
        {"top from B, right from A", 1625, 205, 1620, 200},
    };
    RunDrags(Areas({b, a}), bFirst, std::size(bFirst));
    // In the other order A's snap comes first and leaves the window entirely
    // on A, so B's top edge no longer attracts it.
    const DragCase aFirst[] = {
        {"right from A only", 1625, 205, 1620, 205},
    };
    RunDrags(Areas({a, b}), aFirst, std::size(aFirst));
}

TEST(SnapPosition, TouchingAnAreaFromOutsideIsRejected)
{
    // The window's left edge lies on the area's right edge and its top is
    // 5 pixels below the area's top: the top edge is in reach, but the snapped
    // window would not reach into the area.
    WorkAreaList list = Areas({{0, 0, 1000, 800}});
    const DragCase cases[] = {
        {"left edge on area's right edge", 1000, 5, 1000, 5},
        {"one pixel inside", 999, 5, 999, 0},
        {"top edge on area's bottom edge", 500, 800, 500, 800},
    };
    RunDrags(list, cases, std::size(cases));
}

TEST(SnapPosition, RejectedCandidateStaysForLaterAreas)
{
    // A offers the top edge (y 0) but is only touched from outside, so it is
    // rejected. B then offers its left edge only; the window it would accept
    // is judged with A's stale y 0, which ends where B begins: rejected too.
    const SnapRect a{0, 0, 1000, 800};
    const SnapRect b{1005, 200, 2005, 1000};
    const DragCase withA[] = {
        {"stale y from A", 1000, 5, 1000, 5},
    };
    RunDrags(Areas({a, b}), withA, std::size(withA));
    const DragCase onlyB[] = {
        {"B alone accepts", 1000, 5, 1005, 5},
    };
    RunDrags(Areas({b}), onlyB, std::size(onlyB));
}

TEST(SnapPosition, FirstAcceptedSnapPerDirectionWins)
{
    // Two overlapping areas whose left edges are 4 pixels apart: the window
    // is in reach of both; the first in list order decides.
    const SnapRect a{0, 0, 1920, 1080};
    const SnapRect b{4, 0, 1920, 1080};
    const DragCase aFirst[] = {{"A first", 2, 500, 0, 500}};
    const DragCase bFirst[] = {{"B first", 2, 500, 4, 500}};
    RunDrags(Areas({a, b}), aFirst, std::size(aFirst));
    RunDrags(Areas({b, a}), bFirst, std::size(bFirst));
}

TEST(SnapPosition, NoAreasFollowsTheCursor)
{
    WorkAreaList list{};
    const DragCase cases[] = {
        {"near 0,0", 3, 4, 3, 4},
        {"far away", -5000, 9000, -5000, 9000},
    };
    RunDrags(list, cases, std::size(cases));
}

TEST(SnapPosition, KeepsTheSizeOfTheMoveStart)
{
    WorkAreaList list = Areas({Primary});
    SnapRect window{100, 50, 517, 283};
    SnapRect grab = GrabRectangle(window, 130, 60);
    EXPECT_TRUE(Same(grab, SnapRect{-30, -10, 387, 223})) << grab;
    SnapRect got = SnapPosition(list, grab, 34, 13);
    EXPECT_TRUE(Same(got, SnapRect{0, 0, 417, 233})) << got;
    got = SnapPosition(list, grab, 830, 510);
    EXPECT_TRUE(Same(got, SnapRect{800, 500, 1217, 733})) << got;
}

TEST(WorkAreaList, HoldsAtMostSixteenAreas)
{
    WorkAreaList list{};
    // Seventeen monitors in a row, each 1000 pixels wide.
    for (int32_t i = 0; i < 17; ++i) {
        bool added = AppendWorkArea(&list, SnapRect{i * 1000, 0, i * 1000 + 1000, 800});
        EXPECT_EQ(added, i < 16) << "monitor " << i;
    }
    ASSERT_EQ(list.count, 16);
    EXPECT_EQ(list.areas[15].left, 15000);
    // The 16th monitor still attracts, the 17th does not.
    SnapRect inSixteenth = Drag(list, W, H, 15004, 300);
    EXPECT_EQ(inSixteenth.left, 15000) << inSixteenth;
    SnapRect inSeventeenth = Drag(list, W, H, 16004, 5);
    EXPECT_EQ(inSeventeenth.left, 16004) << inSeventeenth;
    EXPECT_EQ(inSeventeenth.top, 5) << inSeventeenth;
}

TEST(TitleBarTestRectangle, ReportedOrBuiltFromTheWindow)
{
    const SnapRect window{100, 40, 500, 300};
    const SnapRect reported{104, 44, 496, 63};
    SnapRect visible = TitleBarTestRectangle(reported, false, window, 19, 16, 18);
    EXPECT_TRUE(Same(visible, SnapRect{104, 44, 478, 63})) << visible;
    SnapRect invisible = TitleBarTestRectangle(reported, true, window, 19, 16, 18);
    EXPECT_TRUE(Same(invisible, SnapRect{116, 40, 482, 59})) << invisible;
}

TEST(TitleBarInsideSomeArea, StrictOnEveryEdge)
{
    WorkAreaList list = Areas({Primary});
    struct Case {
        SnapRect title;
        bool inside;
    } const cases[] = {
        {{100, 1, 400, 20}, true},
        {{100, 0, 400, 20}, false},  // top on the area's top edge
        {{100, 1, 400, 1039}, true},
        {{100, 1, 400, 1040}, false},  // bottom on the area's bottom edge
        {{-300, 1, 1, 20}, true},  // one pixel of width on screen
        {{-300, 1, 0, 20}, false},  // right edge on the area's left edge
        {{1919, 1, 2300, 20}, true},
        {{1920, 1, 2300, 20}, false},  // left edge on the area's right edge
        {{-31000, -31000, -30600, -30980}, false},
        {{32000, 32000, 32400, 32020}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TitleBarInsideSomeArea(list, c.title), c.inside) << c.title;
    }
}

TEST(TitleBarInsideSomeArea, AnyOfSeveralAreasAndNone)
{
    WorkAreaList list = Areas({Primary, {-1280, -200, 0, 824}, {1920, 0, 3200, 1024}});
    EXPECT_TRUE(TitleBarInsideSomeArea(list, SnapRect{-900, -150, -500, -130}));
    EXPECT_TRUE(TitleBarInsideSomeArea(list, SnapRect{2500, 1000, 2900, 1020}));
    EXPECT_FALSE(TitleBarInsideSomeArea(list, SnapRect{2500, 1010, 2900, 1030}));
    EXPECT_FALSE(TitleBarInsideSomeArea(list, SnapRect{-900, -250, -500, -230}));
    WorkAreaList none{};
    EXPECT_FALSE(TitleBarInsideSomeArea(none, SnapRect{100, 100, 400, 120}));
}

TEST(TitleBarInsideSomeArea, WindowSnappedToTheTopFailsWhenTitleBarIsInvisible)
{
    // The strip built from the window rectangle starts at the window's top;
    // a window saved snapped to the work area's top is therefore not kept.
    WorkAreaList list = Areas({Primary});
    const SnapRect window{300, 0, 700, 200};
    SnapRect strip = TitleBarTestRectangle(SnapRect{}, true, window, 19, 16, 18);
    EXPECT_FALSE(TitleBarInsideSomeArea(list, strip)) << strip;
    const SnapRect lower{300, 1, 700, 201};
    strip = TitleBarTestRectangle(SnapRect{}, true, lower, 19, 16, 18);
    EXPECT_TRUE(TitleBarInsideSomeArea(list, strip)) << strip;
}

TEST(CenteredRectangle, CentresAndClampsToTheScreen)
{
    struct Case {
        SnapRect window;
        int32_t sw, sh;
        SnapRect want;
    } const cases[] = {
        {{5000, 5000, 5400, 5300}, 1920, 1080, {760, 390, 1160, 690}},
        {{-32768, -32768, -32368, -32468}, 1921, 1081, {760, 390, 1160, 690}},
        {{0, 0, 401, 301}, 1920, 1080, {759, 389, 1160, 690}},
        {{10, 10, 2010, 1210}, 1920, 1080, {0, 0, 1920, 1080}},
        {{10, 10, 2010, 310}, 1920, 1080, {0, 390, 1920, 690}},
        {{10, 10, 410, 1210}, 1920, 1080, {760, 0, 1160, 1080}},
    };
    for (const Case& c : cases) {
        SnapRect got = CenteredRectangle(c.window, c.sw, c.sh);
        EXPECT_TRUE(Same(got, c.want))
            << c.window << " on " << c.sw << "x" << c.sh << " gave " << got << ", expected " << c.want;
    }
}

}  // namespace
