#include "ui/win32/ListIcons.h"

#include "app/win32/Handles.h"

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
    const WindowDc screen(nullptr);
    const UniqueMemoryDc canvas(CreateCompatibleDC(screen.get()));
    const UniqueGdi<HFONT> font(CreateFontW(-static_cast<int>(9 * scale), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                            DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Tahoma"));
    for (const Badge& badge : kBadges) {
        const UniqueGdi<HBITMAP> tile(CreateCompatibleBitmap(screen.get(), size, size));
        {
            const Selection bitmap(canvas.get(), tile.get());
            RECT area{0, 0, size, size};
            FillRect(canvas.get(), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            const UniqueGdi<HBRUSH> fill(CreateSolidBrush(badge.colour));
            RECT inner{1, 1, size - 1, size - 1};
            FillRect(canvas.get(), &inner, fill.get());
            const Selection letters(canvas.get(), font.get());
            SetBkMode(canvas.get(), TRANSPARENT);
            SetTextColor(canvas.get(), RGB(255, 255, 255));
            DrawTextW(canvas.get(), badge.letter, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        // Drawn into, then taken out of the canvas before the list copies it.
        ImageList_AddMasked(images_, tile.get(), RGB(255, 255, 255));
    }
}

ListIcons::~ListIcons() { ImageList_Destroy(images_); }
