#pragma once
#include <cstdint>

// The arithmetic of window snapping and placement, apart from any window
// manager call so that it can be checked on any platform. Coordinates are
// screen pixels; right and bottom are exclusive.

struct SnapRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// A distance below this many pixels (0 to 9) snaps an edge; 10 or more does not.
constexpr int32_t SnapThreshold = 10;

// The most monitors whose work areas take part; later ones are ignored.
constexpr int32_t MaxWorkAreas = 16;

struct WorkAreaList {
    int32_t count;  // valid entries, 0 to MaxWorkAreas
    SnapRect areas[MaxWorkAreas];  // 16 work areas in enumeration order; the cap bounds the snapping loop
};

// Appends area when the list has room and returns true; returns false, and
// leaves the list alone, when it already holds MaxWorkAreas entries.
bool AppendWorkArea(WorkAreaList* list, const SnapRect& area);

// The window rectangle at the start of a move relative to the cursor
// (mx, my), so that the window can follow the cursor at the grab offset.
SnapRect GrabRectangle(const SnapRect& window, int32_t mx, int32_t my);

// Where the window goes for the cursor (mx, my): the grab rectangle moved to
// the cursor, with each of its edges laid onto the like edge of a work area
// closer than SnapThreshold. The first accepted snap per direction (vertical,
// horizontal) in list order wins; the size is always the grab size.
SnapRect SnapPosition(const WorkAreaList& list, const SnapRect& grab, int32_t mx, int32_t my);

// The part of the title bar that must be on some screen for a saved position
// to be kept: the reported title bar, or, when the system reports it
// invisible, the caption strip of the window without its small icon; in both
// cases without the width of one caption button at the right.
SnapRect TitleBarTestRectangle(const SnapRect& reportedTitleBar, bool titleBarInvisible,
                               const SnapRect& window, int32_t captionHeight, int32_t smallIconWidth,
                               int32_t captionButtonWidth);

// True when title overlaps some work area of the list from side to side
// (its left edge left of the area's right edge and its right edge right of
// the area's left edge) and lies strictly between the area's top and bottom
// edges; touching an edge from outside is not enough.
bool TitleBarInsideSomeArea(const WorkAreaList& list, const SnapRect& title);

// window moved to the centre of a screen of the given size; a window larger
// than the screen in a direction is taken as screen-sized there, so it lands
// at 0 in that direction. The returned size is the clamped size.
SnapRect CenteredRectangle(const SnapRect& window, int32_t screenWidth, int32_t screenHeight);
