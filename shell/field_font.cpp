#include "shell/field_font.h"

#include "core/field_ids.h"
#include "shell/optional_user32.h"

namespace {

// Each edit's longest text (its limit at 80 bits; the float field's fixed
// limit) and the characters it can show.
struct FieldText {
    int Field;
    int Length;
    const char* Characters;
};

const FieldText WidestTexts[] = {
    {FieldBinary, 80, "01"},
    {FieldDecimal, 25, "-0123456789"},
    {FieldHex, 20, "0123456789ABCDEF"},
    {FieldFloat, 28, "-+.#0123456789eINFDQaS"},
    {FieldExponent, 6, "-0123456789"},
    {FieldMantissa, 21, ".0123456789"},
};

// Below this height a smaller font would no longer be legible; the fields
// then keep it even if a text is cut.
constexpr int SmallestHeight = 6;

HFONT CreateFieldFont(int height)
{
    return CreateFontA(-height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_DONTCARE,
                       FieldFontFace);
}

void SetFieldFont(HWND dialog, HFONT font)
{
    for (const FieldText& text : WidestTexts)
        SendDlgItemMessageA(dialog, text.Field, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
}

bool HasRequestedFace(HFONT font)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return lstrcmpiA(face, FieldFontFace) == 0;
}

// Width in pixels of text.Length of the widest of its characters.
int WidestTextWidth(HDC dc, const FieldText& text)
{
    int widest = 0;
    for (const char* c = text.Characters; *c; ++c) {
        SIZE size = {};
        GetTextExtentPoint32A(dc, c, 1, &size);
        if (size.cx > widest)
            widest = size.cx;
    }
    return widest * text.Length;
}

}  // namespace

int WindowDpi(HWND window)
{
    if (OptionalUser32.GetDpiForWindow && window) {
        UINT dpi = OptionalUser32.GetDpiForWindow(window);
        if (dpi != 0)
            return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

bool FieldTextsFit(HWND dialog)
{
    for (const FieldText& text : WidestTexts) {
        HWND edit = GetDlgItem(dialog, text.Field);
        RECT area = {};
        SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        HDC dc = GetDC(edit);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)));
        int width = WidestTextWidth(dc, text);
        SelectObject(dc, old);
        ReleaseDC(edit, dc);
        if (width > area.right - area.left)
            return false;
    }
    return true;
}

HFONT ApplyFieldFont(HWND dialog, int dpi)
{
    int height = MulDiv(12, dpi, 96);
    HFONT font = CreateFieldFont(height);
    SetFieldFont(dialog, font);
    // With the real face the fields were made for it: nothing to fit.
    if (HasRequestedFace(font))
        return font;
    while (!FieldTextsFit(dialog) && height > SmallestHeight) {
        HFONT smaller = CreateFieldFont(--height);
        SetFieldFont(dialog, smaller);
        DeleteObject(font);
        font = smaller;
    }
    return font;
}
