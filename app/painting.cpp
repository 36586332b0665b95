#include "app/painting.h"

#include "app/gdi_holders.h"

void paint_main_window(HDC dc, const RECT& clip) {
    const GdiObject<HBRUSH> face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    FillRect(dc, &clip, face.get());
}

void paint_notice_label(HDC dc, const RECT& clip, const RECT& client, const char* text) {
    RECT area;
    if (!IntersectRect(&area, &clip, &client)) return;
    const GdiObject<HRGN> region(CreateRectRgnIndirect(&area));
    SelectClipRgn(dc, region.get());
    {
        const GdiObject<HBRUSH> face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
        FillRgn(dc, region.get(), face.get());
    }
    if (text[0] != '\0') {
        const Selection font(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        RECT bounds = client;
        DrawTextA(dc, text, -1, &bounds, DT_NOCLIP | DT_WORDBREAK | DT_VCENTER);
    }
    SelectClipRgn(dc, nullptr);
}
