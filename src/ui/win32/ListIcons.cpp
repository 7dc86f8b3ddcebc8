#include "ui/win32/ListIcons.h"

namespace {
struct Badge {
    COLORREF colour;
    const wchar_t* letter;
};
// Index 0 is never shown; a coloured tile with a letter for each other.
constexpr Badge kBadges[] = {{RGB(255, 255, 255), L""},   {RGB(46, 117, 182), L"G"}, {RGB(84, 160, 72), L"S"},
                             {RGB(196, 138, 26), L"C"},    {RGB(150, 75, 160), L"P"}, {RGB(190, 60, 60), L"R"},
                             {RGB(70, 70, 90), L"PS"},     {RGB(200, 40, 40), L"64"}, {RGB(130, 60, 110), L"P+"}};
}  // namespace

ListIcons::ListIcons(double scale) {
    const int size = static_cast<int>(16 * scale);
    images_ = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 8, 0);
    HDC screen = GetDC(nullptr);
    HDC canvas = CreateCompatibleDC(screen);
    HFONT font = CreateFontW(-static_cast<int>(9 * scale), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                             CLEARTYPE_QUALITY, 0, L"Tahoma");
    for (const Badge& badge : kBadges) {
        HBITMAP tile = CreateCompatibleBitmap(screen, size, size);
        HGDIOBJ oldBitmap = SelectObject(canvas, tile);
        RECT area{0, 0, size, size};
        FillRect(canvas, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        HBRUSH fill = CreateSolidBrush(badge.colour);
        RECT inner{1, 1, size - 1, size - 1};
        FillRect(canvas, &inner, fill);
        DeleteObject(fill);
        HGDIOBJ oldFont = SelectObject(canvas, font);
        SetBkMode(canvas, TRANSPARENT);
        SetTextColor(canvas, RGB(255, 255, 255));
        DrawTextW(canvas, badge.letter, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(canvas, oldFont);
        SelectObject(canvas, oldBitmap);
        ImageList_AddMasked(images_, tile, RGB(255, 255, 255));
        DeleteObject(tile);
    }
    DeleteObject(font);
    DeleteDC(canvas);
    ReleaseDC(nullptr, screen);
}

ListIcons::~ListIcons() { ImageList_Destroy(images_); }
