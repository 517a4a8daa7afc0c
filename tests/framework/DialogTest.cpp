// The dialog base on a real display: binding the object to its window, the
// messages reflected to attached controls, and the values returned directly.
#include "TestDialog.h"
#include "framework/Handles.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// Ends the modal loop with IDCANCEL once it runs, and records what it saw on the way.
class ClosingDialog : public TestDialog {
public:
    using TestDialog::TestDialog;
    bool OnInitDialog() override
    {
        boundAtInit = FromHandle(Handle()) == this;
        measuredBeforeInit = list.measured;
        ::PostMessageW(Handle(), WM_COMMAND, IDCANCEL, 0);
        return TestDialog::OnInitDialog();
    }
    bool boundAtInit = false;
    int measuredBeforeInit = 0;
};

TEST(DialogBindingTest, ModalDialogIsBoundWhileRunningAndUnboundAfterwards)
{
    DialogTemplate t = PageTemplate();
    ClosingDialog dlg(t.Get());
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(dlg.boundAtInit);
    // The fixed-height list was measured by its object while the dialog was being created.
    EXPECT_GE(dlg.measuredBeforeInit, 1);
    EXPECT_EQ(dlg.Handle(), nullptr);
    EXPECT_EQ(dlg.list.Handle(), nullptr);
}

TEST(DialogBindingTest, ModelessDialogUnbindsHoweverItsWindowGoes)
{
    struct Case { const char* name; DWORD style; bool byOwner; };
    const Case cases[] = {
        {"destroyed itself", WS_POPUP | WS_CAPTION, false},
        {"owned popup, owner destroyed", WS_POPUP | WS_CAPTION, true},
        {"child, parent destroyed", WS_CHILD | DS_CONTROL, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND owner = ::CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400,
                                       300, nullptr, nullptr, nullptr, nullptr);
        DialogTemplate t = PageTemplate(c.style);
        auto dlg = std::make_unique<TestDialog>(t.Get(), owner);
        ASSERT_TRUE(dlg->CreateModeless());
        HWND hwnd = dlg->Handle();
        EXPECT_EQ(fw::Dialog::FromHandle(hwnd), dlg.get());
        EXPECT_EQ(dlg->list.Handle(), dlg->Item(IDC_LIST));

        ::DestroyWindow(c.byOwner ? owner : hwnd);
        EXPECT_FALSE(::IsWindow(hwnd));
        EXPECT_EQ(dlg->Handle(), nullptr);
        EXPECT_EQ(dlg->number.Handle(), nullptr);
        fw::PumpWaitingMessages();  // the loops no longer route to the dead window
        dlg.reset();  // nothing left to destroy
        ::DestroyWindow(owner);
    }
}

TEST(DialogBindingTest, ObjectGoingFirstTakesItsWindowAndControlsOutliveIt)
{
    DialogTemplate t = PageTemplate();
    auto dlg = std::make_unique<TestDialog>(t.Get());
    fw::Button outside;
    ASSERT_TRUE(dlg->CreateModeless());
    ASSERT_TRUE(outside.Attach(*dlg, IDC_CHECK));
    HWND hwnd = dlg->Handle();
    dlg.reset();
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(outside.Handle(), nullptr);  // and its destructor has no dialog to reach
}

// What a hook sees before the window procedure runs: the object the watched
// window's WM_DESTROY would reach.
HWND watchedWindow = nullptr;
bool destroySeen = false;
fw::Window* boundAtDestroy = nullptr;

LRESULT CALLBACK WatchDestroy(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == watchedWindow && sent->message == WM_DESTROY) {
        destroySeen = true;
        boundAtDestroy = fw::Window::FromHandle(sent->hwnd);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The derived object is gone when the base destroys the window: its messages
// must not reach what is left of it.
TEST(WindowBindingTest, ObjectGoingFirstUnbindsBeforeItsWindowIsDestroyed)
{
    auto frame = std::make_unique<fw::FrameWindow>();
    ASSERT_TRUE(frame->Create(L"Bound", WS_OVERLAPPEDWINDOW));
    watchedWindow = frame->Handle();
    EXPECT_EQ(fw::Window::FromHandle(watchedWindow), frame.get());
    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, WatchDestroy, nullptr, ::GetCurrentThreadId());
    ASSERT_TRUE(hook);
    frame.reset();
    ::UnhookWindowsHookEx(hook);
    EXPECT_TRUE(destroySeen);
    EXPECT_EQ(boundAtDestroy, nullptr);
    EXPECT_FALSE(::IsWindow(watchedWindow));
}

class ReflectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.CreateModeless());
        ::ShowWindow(dlg.Handle(), SW_SHOW);
    }
    LRESULT SendToDialog(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::SendMessageW(dlg.Handle(), message, wParam, lParam);
    }

    DialogTemplate t = PageTemplate();
    TestDialog dlg{t.Get()};
};

TEST_F(ReflectionTest, OwnerDrawListIsMeasuredAndDrawnByItsObject)
{
    EXPECT_EQ(::SendMessageW(dlg.list.Handle(), LB_GETITEMHEIGHT, 0, 0), 18);
    dlg.list.drawn.clear();
    dlg.list.Invalidate(true);
    ::UpdateWindow(dlg.list.Handle());
    fw::PumpWaitingMessages();
    for (UINT row : {0u, 1u, 2u})
        EXPECT_NE(std::find(dlg.list.drawn.begin(), dlg.list.drawn.end(), row), dlg.list.drawn.end()) << row;
}

TEST_F(ReflectionTest, ClickReachesTheAttachedButtonElseTheDialog)
{
    const auto buttonCommands = [&] {
        return std::count_if(dlg.commands.begin(), dlg.commands.end(),
                             [](const auto& command) { return command.first == IDC_BUTTON; });
    };
    dlg.button.Send(BM_CLICK);
    EXPECT_EQ(dlg.button.clicks, 1);
    EXPECT_EQ(buttonCommands(), 0);

    HWND buttonWindow = dlg.button.Handle();
    dlg.button.Detach();
    ::SendMessageW(buttonWindow, BM_CLICK, 0, 0);
    EXPECT_EQ(dlg.button.clicks, 1);
    ASSERT_EQ(buttonCommands(), 1);
    EXPECT_EQ(dlg.commands.back(), std::make_pair(int(IDC_BUTTON), int(BN_CLICKED)));
    EXPECT_EQ(dlg.lastControl, buttonWindow);
}

TEST_F(ReflectionTest, ColoursAndComparisonsComeBackAsTheValueItself)
{
    fw::WindowDC dc(dlg.Handle());
    const WPARAM dcParam = reinterpret_cast<WPARAM>(dc.Get());
    EXPECT_EQ(SendToDialog(WM_CTLCOLOREDIT, dcParam, reinterpret_cast<LPARAM>(dlg.number.Handle())),
              reinterpret_cast<LRESULT>(dlg.number.brush));
    EXPECT_EQ(SendToDialog(WM_CTLCOLORSTATIC, dcParam, reinterpret_cast<LPARAM>(dlg.Item(IDC_LABEL))),
              reinterpret_cast<LRESULT>(dlg.staticBrush));

    const struct { ULONG_PTR first, second; LRESULT order; } orders[] = {{1, 2, -1}, {2, 2, 0}, {3, 2, 1}};
    for (const auto& o : orders) {
        COMPAREITEMSTRUCT item{ODT_LISTBOX, IDC_LIST, dlg.list.Handle(), 0, o.first, 1, o.second, 0};
        EXPECT_EQ(SendToDialog(WM_COMPAREITEM, IDC_LIST, reinterpret_cast<LPARAM>(&item)), o.order) << o.first;
    }
    EXPECT_EQ(SendToDialog(WM_VKEYTOITEM, MAKEWPARAM(VK_DOWN, 0), reinterpret_cast<LPARAM>(dlg.list.Handle())), -2);
    // Everything else goes through DWLP_MSGRESULT.
    EXPECT_EQ(SendToDialog(WM_APP, 0, 0), 42);
}

}  // namespace
