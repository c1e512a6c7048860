// Measuring and painting the clock and the logo. Font and bitmap are made for each use and
// released before it returns.
#include "clock_panel.h"

#include "bar_geometry.h"
#include "font_face.h"
#include "resource.h"
#include "scoped_handles.h"
#include "window_instance.h"

namespace {

OwnedGdiObject create_clock_font(int height)
{
    return OwnedGdiObject(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN, FONT_FACE));
}

void paint_logo(HINSTANCE instance, HDC dc, int height)
{
    const OwnedGdiObject logo(LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_LOGO_BAR)));
    const OwnedMemoryDc source(CreateCompatibleDC(dc));
    if (!logo || !source)
        return;
    const Selection selected(source.get(), logo.get());
    StretchBlt(dc, 0, 0, LOGO_WIDTH, height, source.get(), 0, 0, LOGO_WIDTH, LOGO_HEIGHT, SRCCOPY);
}

} // namespace

ClockPanel::ClockPanel() : ClockPanel(std::time(nullptr)) {}

ClockPanel::ClockPanel(std::time_t start) : last_refresh(start)
{
    format_clock_text(start, text);
}

bool ClockPanel::tick()
{
    return tick_at(std::time(nullptr));
}

bool ClockPanel::tick_at(std::time_t now)
{
    if (!clock_is_due(now, last_refresh))
        return false;
    last_refresh = now;
    format_clock_text(now, text);
    return true;
}

void ClockPanel::layout(HWND window, int width, int height)
{
    font_height = clock_font_height(height);
    SIZE extent{};
    {
        const WindowDc dc(window);
        const OwnedGdiObject font = create_clock_font(font_height);
        const Selection selected(dc.get(), font.get());
        GetTextExtentPoint32A(dc.get(), text, lstrlenA(text), &extent);
    }
    const TextOrigin origin = clock_text_origin(width, height, extent.cx, extent.cy);
    text_x = origin.x;
    text_y = origin.y;
    bar_height = height;
    instance = window_instance(window);
}

void ClockPanel::paint(HDC dc) const
{
    SetBkMode(dc, TRANSPARENT);
    {
        const OwnedGdiObject font = create_clock_font(font_height);
        const Selection selected(dc, font.get());
        TextOutA(dc, text_x, text_y, text, lstrlenA(text));
    }
    paint_logo(instance, dc, bar_height);
}
