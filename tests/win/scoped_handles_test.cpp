// The ownership kit releases every handle exactly once, and painting built on it leaves no GDI
// object behind. Wine reports no GDI object counts, so the paint test leans on the size of
// its handle table instead (about 65,500 objects a process): after 10,000 paints, a paint that
// leaked even one object leaves no room for the 60,000 objects the test then makes.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "clock_panel.h"
#include "fake_windows.h"
#include "resource.h"
#include "scoped_handles.h"

namespace {

std::vector<int> released;

struct CountingTraits {
    using Handle = int;
    static void release(Handle handle) { released.push_back(handle); }
};
using Counted = Owned<CountingTraits>;

TEST(Owned, ReleasesEachHandleOnce)
{
    released.clear();
    {
        Counted first(1);
        Counted second(std::move(first));
        EXPECT_FALSE(first);
        Counted third(3);
        third = std::move(second);
        EXPECT_EQ(released, std::vector<int>{3});
        third.reset(4);
        EXPECT_EQ(released, (std::vector<int>{3, 1}));
        Counted empty;
        empty.reset();
    }
    EXPECT_EQ(released, (std::vector<int>{3, 1, 4}));
}

// A failed CreateFile is no file to close, and null is not the failure value of a file.
TEST(Owned, FilesAreNoneAtInvalidHandleValue)
{
    EXPECT_EQ(OwnedFile().get(), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(OwnedFile(CreateFileA("C:\\no such folder\\f", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    EXPECT_TRUE(OwnedFile(CreateFileA("NUL", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
}

TEST(Selection, PutsThePreviousObjectBack)
{
    const OwnedMemoryDc dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_FONT);
    {
        const OwnedGdiObject font(CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
        const Selection selected(dc.get(), font.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), font.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), before);
}

ClockPanel* painted_clock = nullptr;

LRESULT CALLBACK clock_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_PAINT) {
        const PaintScope paint(window);
        painted_clock->paint(paint.get());
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

TEST(ClockPainting, LeavesNoGdiObjectBehind)
{
    HWND window = create_window("TestClockPaint", clock_window_proc, "", WS_POPUP | WS_VISIBLE, 0, {0, 700, 1024, 728});
    ASSERT_TRUE(window);
    ClockPanel clock;
    painted_clock = &clock;
    clock.layout(window, 1024, 28);

    // The logo must be there to be painted at all.
    ASSERT_TRUE(OwnedGdiObject(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_LOGO_BAR))));
    for (int i = 0; i < 10000; ++i) {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
    }
    std::vector<OwnedGdiObject> fonts;
    for (int i = 0; i < 60000; ++i) {
        fonts.emplace_back(CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
        ASSERT_TRUE(fonts.back()) << "GDI handles ran out after " << i << " fonts";
    }
    DestroyWindow(window);
}

} // namespace
