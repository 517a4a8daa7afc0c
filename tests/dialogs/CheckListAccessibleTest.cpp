// The options page's package list as a screen reader hears it: through the
// system's accessibility library (AccessibleObjectFromWindow), in this process,
// each package's name and folder, whether it is ticked, whether it can be
// changed, and the change the space bar makes.
#include "PageDriver.h"
#include "PageElements.h"
#include "dialogs/SetupOptions.h"
#include "files/source/FileList.h"
#include "files/run/InstallRun.h"
#include "framework/Handles.h"
#include "resources/resource.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

namespace {

VARIANT Child(LONG id)
{
    VARIANT child;
    ::VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible& object, LONG id)
{
    BSTR text = nullptr;
    if (FAILED((object.*get)(Child(id), &text)) || !text) return L"(none)";
    std::wstring result(text, ::SysStringLen(text));
    ::SysFreeString(text);
    return result;
}

LONG State(IAccessible& object, LONG id)
{
    VARIANT state;
    ::VariantInit(&state);
    if (FAILED(object.get_accState(Child(id), &state)) || state.vt != VT_I4) return -1;
    return state.lVal;
}

// What a row says, as a reader would put it together.
struct Heard {
    std::wstring name;
    std::wstring value;
    bool checked;
    bool unavailable;
    bool operator==(const Heard&) const = default;
    friend void PrintTo(const Heard& heard, std::ostream* out)
    {
        *out << testing::PrintToString(heard.name) << " value " << testing::PrintToString(heard.value)
             << (heard.checked ? " checked" : " not checked") << (heard.unavailable ? " unavailable" : "");
    }
};

std::vector<Heard> HearRows(IAccessible& list)
{
    std::vector<Heard> rows;
    LONG count = 0;
    if (FAILED(list.get_accChildCount(&count))) return rows;
    for (LONG id = 1; id <= count; ++id) {
        const LONG state = State(list, id);
        rows.push_back({Text(&IAccessible::get_accName, list, id), Text(&IAccessible::get_accValue, list, id),
                        (state & STATE_SYSTEM_CHECKED) != 0, (state & STATE_SYSTEM_UNAVAILABLE) != 0});
    }
    return rows;
}

// State changes that listeners are told of, while the page's loop runs.
std::vector<LONG> stateChanges;
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD)
{
    if (event == EVENT_OBJECT_STATECHANGE && object == OBJID_CLIENT) stateChanges.push_back(child);
}

class CheckListAccessibleTest : public ::testing::Test {
protected:
    CheckListAccessibleTest() { WriteScript(script, L"[DTBPath]\r\n"); }

    fw::ComInit com;  // as the program has it: the accessibility library marshals the object
    TempDir dir;
    std::wstring script = dir / L"DataSetup.inf";
    ScriptedUi ui;
    InstallRun run{ui};
    // Listed by name: Beta (cannot be changed), Helios, Lumina.
    CIEArray elements = MakeElements({{L"Lumina Leuchten", L"Lumina"}, {L"Helios Licht", L"Helios"},
                                      {L"Beta", L"Beta", kStatusHasOnlineVersion}});
    FileList files;
    std::unique_ptr<CSetupOptions> page;
};

TEST_F(CheckListAccessibleTest, AReaderHearsEachPackageItsFolderItsTickAndTheSpaceBarsChange)
{
    elements[1]->selected = 0;  // Lumina starts without a tick
    page = std::make_unique<CSetupOptions>(ui, run, L"C:\\Orvek", dir.Path(), script, elements, files, nullptr);
    IAccessible* list = nullptr;
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr, OnEvent,
                                           ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    stateChanges.clear();
    const INT_PTR result = RunModal(*page, {
        [&](HWND) {
            ASSERT_EQ(::AccessibleObjectFromWindow(page->list.Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                                   reinterpret_cast<void**>(&list)),
                      S_OK);
            ASSERT_NE(list, nullptr);
            const std::vector<Heard> expected = {
                {L"Beta, C:\\Orvek\\Beta", L"C:\\Orvek\\Beta", true, true},
                {L"Helios Licht, C:\\Orvek\\Helios", L"C:\\Orvek\\Helios", true, false},
                {L"Lumina Leuchten, C:\\Orvek\\Lumina", L"C:\\Orvek\\Lumina", false, false}};
            EXPECT_EQ(HearRows(*list), expected);
            VARIANT role;
            ::VariantInit(&role);
            EXPECT_EQ(list->get_accRole(Child(3), &role), S_OK);
            EXPECT_EQ(role.lVal, ROLE_SYSTEM_CHECKBUTTON);
            ::VariantInit(&role);
            EXPECT_EQ(list->get_accRole(Child(CHILDID_SELF), &role), S_OK);
            EXPECT_EQ(role.lVal, ROLE_SYSTEM_LIST);
            // Lumina selected and focused; the space bar ticks it.
            ::SetFocus(page->list.Handle());
            page->list.SetCurSel(2);
            EXPECT_TRUE(State(*list, 3) & STATE_SYSTEM_SELECTED);
            EXPECT_TRUE(State(*list, 3) & STATE_SYSTEM_FOCUSED);
            VARIANT focus;
            EXPECT_EQ(list->get_accFocus(&focus), S_OK);
            EXPECT_EQ(focus.lVal, 3);
            stateChanges.clear();
            PressKey(page->list.Handle(), VK_SPACE);
        },
        [&](HWND) {
            EXPECT_TRUE(State(*list, 3) & STATE_SYSTEM_CHECKED);
            EXPECT_EQ(stateChanges, std::vector<LONG>{3});
            // The space bar on the row that cannot be changed changes nothing, and says nothing.
            page->list.SetCurSel(0);
            stateChanges.clear();
            PressKey(page->list.Handle(), VK_SPACE);
        },
        [&](HWND) {
            EXPECT_EQ(State(*list, 1) & (STATE_SYSTEM_CHECKED | STATE_SYSTEM_UNAVAILABLE),
                      STATE_SYSTEM_CHECKED | STATE_SYSTEM_UNAVAILABLE);
            EXPECT_TRUE(stateChanges.empty());
            // "---" clears the two that can be changed, and each is told.
            stateChanges.clear();
            SendClick(page->Handle(), IDC_OPTIONS_CLEAR_ALL);
        },
        [&](HWND) {
            EXPECT_EQ(stateChanges, (std::vector<LONG>{2, 3}));
            const std::vector<Heard> heard = HearRows(*list);
            ASSERT_EQ(heard.size(), 3u);
            EXPECT_TRUE(heard[0].checked);
            EXPECT_FALSE(heard[1].checked);
            EXPECT_FALSE(heard[2].checked);
            SendClick(page->Handle(), IDCANCEL);
        }});
    ::UnhookWinEvent(hook);
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_NE(list, nullptr);
    // A reader that holds the object after the page has gone is told so, and
    // nothing reads the rows the page let go.
    LONG count = 0;
    EXPECT_TRUE(FAILED(list->get_accChildCount(&count)));
    EXPECT_EQ(Text(&IAccessible::get_accName, *list, 1), L"(none)");
    list->Release();
}

}  // namespace
