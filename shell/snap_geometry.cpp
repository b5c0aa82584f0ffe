#include "shell/snap_geometry.h"

namespace {

// Distances are taken in 64 bits: the difference of two 32-bit coordinates
// need not fit 32 bits.
bool WithinSnapDistance(int32_t a, int32_t b)
{
    int64_t d = static_cast<int64_t>(a) - static_cast<int64_t>(b);
    return d > -SnapThreshold && d < SnapThreshold;
}

// A span [lo, lo + size) lies at least partly inside [areaLo, areaHi) when
// its start or its end falls inside.
bool SpanReachesInto(int32_t lo, int32_t size, int32_t areaLo, int32_t areaHi)
{
    int64_t hi = static_cast<int64_t>(lo) + size;
    bool startInside = areaLo <= lo && lo < areaHi;
    bool endInside = areaLo < hi && hi <= areaHi;
    return startInside || endInside;
}

}  // namespace

bool AppendWorkArea(WorkAreaList* list, const SnapRect& area)
{
    if (list->count >= MaxWorkAreas)
        return false;
    list->areas[list->count] = area;
    list->count += 1;
    return true;
}

SnapRect GrabRectangle(const SnapRect& window, int32_t mx, int32_t my)
{
    return SnapRect{window.left - mx, window.top - my, window.right - mx, window.bottom - my};
}

SnapRect SnapPosition(const WorkAreaList& list, const SnapRect& grab, int32_t mx, int32_t my)
{
    const int32_t w = grab.right - grab.left;
    const int32_t h = grab.bottom - grab.top;
    // The natural rectangle: where the window would be without snapping.
    // Every distance and overlap test below is measured on it.
    const int32_t l = grab.left + mx;
    const int32_t t = grab.top + my;
    const int32_t r = grab.right + mx;
    const int32_t b = grab.bottom + my;

    // A candidate keeps the last value computed for it even when its own area
    // rejected it: a later area that snaps only the other direction judges
    // the whole candidate window, this stale coordinate included.
    int32_t x = l;
    int32_t y = t;
    int32_t resultLeft = l;
    int32_t resultTop = t;
    bool verticalSettled = false;
    bool horizontalSettled = false;

    int32_t n = list.count < MaxWorkAreas ? list.count : MaxWorkAreas;
    for (int32_t i = 0; i < n; ++i) {
        const SnapRect& a = list.areas[i];
        bool vertical = false;
        bool horizontal = false;
        if (!verticalSettled && l <= a.right && r >= a.left) {
            if (WithinSnapDistance(t, a.top)) {
                y = a.top;
                vertical = true;
            } else if (WithinSnapDistance(b, a.bottom)) {
                y = a.bottom - h;
                vertical = true;
            }
        }
        if (!horizontalSettled && t <= a.bottom && b >= a.top) {
            if (WithinSnapDistance(l, a.left)) {
                x = a.left;
                horizontal = true;
            } else if (WithinSnapDistance(r, a.right)) {
                x = a.right - w;
                horizontal = true;
            }
        }
        if (!vertical && !horizontal)
            continue;
        // The snapped window must still reach into this area in both
        // directions; an area merely touched from outside does not attract.
        if (!SpanReachesInto(x, w, a.left, a.right) || !SpanReachesInto(y, h, a.top, a.bottom)) {
            continue;
        }
        if (vertical) {
            resultTop = y;
            verticalSettled = true;
        }
        if (horizontal) {
            resultLeft = x;
            horizontalSettled = true;
        }
    }
    return SnapRect{resultLeft, resultTop, resultLeft + w, resultTop + h};
}

SnapRect TitleBarTestRectangle(const SnapRect& reportedTitleBar, bool titleBarInvisible,
                               const SnapRect& window, int32_t captionHeight, int32_t smallIconWidth,
                               int32_t captionButtonWidth)
{
    SnapRect title = reportedTitleBar;
    if (titleBarInvisible) {
        title = window;
        title.bottom = window.top + captionHeight;
        title.left = window.left + smallIconWidth;
    }
    title.right -= captionButtonWidth;
    return title;
}

bool TitleBarInsideSomeArea(const WorkAreaList& list, const SnapRect& title)
{
    int32_t n = list.count < MaxWorkAreas ? list.count : MaxWorkAreas;
    for (int32_t i = 0; i < n; ++i) {
        const SnapRect& a = list.areas[i];
        if (title.left < a.right && title.right > a.left && title.bottom < a.bottom && title.top > a.top) {
            return true;
        }
    }
    return false;
}

SnapRect CenteredRectangle(const SnapRect& window, int32_t screenWidth, int32_t screenHeight)
{
    int32_t h = window.bottom - window.top;
    int32_t w = window.right - window.left;
    if (h > screenHeight)
        h = screenHeight;
    if (w > screenWidth)
        w = screenWidth;
    // Halved by an arithmetic shift; the clamps keep the differences >= 0.
    int32_t top = (screenHeight - h) >> 1;
    int32_t left = (screenWidth - w) >> 1;
    return SnapRect{left, top, left + w, top + h};
}
