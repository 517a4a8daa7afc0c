// Centring over an owner in any state, and the COM owner's balance.
#include "framework/Centre.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>

namespace {

RECT RectOf(HWND hwnd)
{
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    return rect;
}

TEST(CentreWindowTest, CentresOverAUsableOwnerElseOverTheWorkAreaAndStaysOnScreen)
{
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    enum Over { kOwner, kWorkArea, kAnywhere };
    const struct { const char* name; int show; int x, y; Over over; } cases[] = {
        {"normal owner", SW_SHOWNOACTIVATE, 150, 120, kOwner},
        {"minimised owner", SW_MINIMIZE, 150, 120, kWorkArea},
        {"hidden owner", SW_HIDE, 150, 120, kWorkArea},
        {"owner at the bottom-right corner", SW_SHOWNOACTIVATE, work.right - 120, work.bottom - 60, kAnywhere},
        {"no owner", -1, 0, 0, kWorkArea},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND owner = c.show < 0 ? nullptr
                                : ::CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW, c.x, c.y, 300, 200,
                                                    nullptr, nullptr, nullptr, nullptr);
        if (owner) ::ShowWindow(owner, c.show);
        HWND window = ::CreateWindowExW(0, L"STATIC", L"Centred", WS_POPUP | WS_CAPTION, 0, 0, 240, 160, owner,
                                        nullptr, nullptr, nullptr);
        fw::CentreWindow(window);

        const RECT own = RectOf(window);
        EXPECT_TRUE(own.left >= work.left && own.top >= work.top && own.right <= work.right && own.bottom <= work.bottom);
        if (c.over != kAnywhere) {
            const RECT reference = c.over == kOwner ? RectOf(owner) : work;
            EXPECT_LE(std::abs((own.left + own.right) - (reference.left + reference.right)), 2);
            EXPECT_LE(std::abs((own.top + own.bottom) - (reference.top + reference.bottom)), 2);
        }
        ::DestroyWindow(window);
        if (owner) ::DestroyWindow(owner);
    }
}

TEST(ScopedOwnersTest, ComIsUninitialisedOnlyAfterASuccessfulInitialisation)
{
    {
        fw::ComInit outer;
        fw::ComInit inner;  // S_FALSE: counted, so balanced as well
        EXPECT_TRUE(outer.Succeeded());
        EXPECT_TRUE(inner.Succeeded());
    }
    // Fully left again: another apartment kind can be entered.
    ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    {
        fw::ComInit refused;  // the thread is in the other apartment kind
        EXPECT_FALSE(refused.Succeeded());
    }
    // Had the refused one uninitialised, this would start afresh with S_OK.
    EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
    ::CoUninitialize();
    ::CoUninitialize();
}

}  // namespace
