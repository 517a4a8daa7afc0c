// boxreader.exe OUTFILE [BUTTON] [TIMEOUT_MS]: the user in end-to-end tests. Watches
// for message boxes and dialogs of other programs on the desktop, appends each
// one's caption and text to OUTFILE (UTF-8: "caption=...\ntext=...\n\n"; the text
// of a dialog is its static texts, joined by " | ") and answers it with BUTTON (a
// command id, default IDOK; 0 answers nothing, so a test can wait for a box). Ends
// when OUTFILE.stop exists or after TIMEOUT_MS (default 120000). Dialogs without
// the BUTTON (the progress dialog) are passed by.
// Further arguments CAPTION=ACTIONS answer the dialog of that caption instead:
// ACTIONS is a comma list of "space:ID" (the space key to control ID) and "ID"
// (a click on button ID), done in order.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string Utf8(const std::wstring& text)
{
    if (text.empty()) return std::string();
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

// Without a message to the window: a busy program is never waited for.
std::wstring WindowText(HWND hwnd)
{
    wchar_t buffer[4096] = {};
    ::InternalGetWindowText(hwnd, buffer, 4096);
    return buffer;
}

struct Search {
    std::set<HWND>* seen;
    const std::map<std::wstring, std::wstring>* scripted;
    int button;
    HWND found = nullptr;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t cls[64] = {};
    ::GetClassNameW(hwnd, cls, 64);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    // A question: a message box once its text is there (in static 0xFFFF), a dialog
    // with the answer's button, or a page with a script; not the progress dialog,
    // nor a box half built (shown and enabled once the program has filled it).
    HWND text = ::GetDlgItem(hwnd, 0xFFFF);
    if (std::wstring(cls) == L"#32770" && pid != ::GetCurrentProcessId() && ::IsWindowVisible(hwnd) &&
        ::IsWindowEnabled(hwnd) && !search->seen->count(hwnd) &&
        ((text && !WindowText(text).empty()) || (search->button && ::GetDlgItem(hwnd, search->button)) ||
         search->scripted->count(WindowText(hwnd)))) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A message box's text sits in a static control with id 0xFFFF; a dialog's in its statics.
std::wstring DialogText(HWND dialog)
{
    if (HWND text = ::GetDlgItem(dialog, 0xFFFF)) return WindowText(text);
    std::wstring joined;
    for (HWND part = ::GetWindow(dialog, GW_CHILD); part; part = ::GetWindow(part, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        ::GetClassNameW(part, cls, 32);
        const std::wstring text = WindowText(part);
        if (std::wstring(cls) != L"Static" || text.empty()) continue;
        if (!joined.empty()) joined += L" | ";
        joined += text;
    }
    return joined;
}

// Keys and clicks as the user gives them, through the dialog's own message queue.
void Act(HWND dialog, const std::wstring& actions)
{
    std::wstringstream list(actions);
    std::wstring action;
    while (std::getline(list, action, L',')) {
        if (action.rfind(L"space:", 0) == 0) {
            HWND control = ::GetDlgItem(dialog, _wtoi(action.c_str() + 6));
            ::SetFocus(control);
            ::PostMessageW(control, WM_KEYDOWN, VK_SPACE, 0x00390001);
            ::PostMessageW(control, WM_KEYUP, VK_SPACE, 0xC0390001);
        } else if (HWND button = ::GetDlgItem(dialog, _wtoi(action.c_str()))) {
            ::PostMessageW(button, BM_CLICK, 0, 0);
        }
        // No pause: posted to one thread, the actions are served in the order given.
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    const std::wstring out = argv[1];
    const int button = argc > 2 ? _wtoi(argv[2]) : IDOK;
    const DWORD timeout = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 120000;
    const std::wstring stop = out + L".stop";
    std::map<std::wstring, std::wstring> scripted;  // caption -> actions
    for (int i = 4; i < argc; ++i) {
        const std::wstring pair = argv[i];
        const size_t equals = pair.find(L'=');
        if (equals != std::wstring::npos) scripted[pair.substr(0, equals)] = pair.substr(equals + 1);
    }
    std::set<HWND> seen;  // answered and still shown
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeout && ::GetFileAttributesW(stop.c_str()) == INVALID_FILE_ATTRIBUTES) {
        // A box gone from the screen is forgotten: its handle may come back for the next question.
        std::erase_if(seen, [](HWND box) { return !::IsWindow(box) || !::IsWindowVisible(box); });
        Search search{&seen, &scripted, button};
        ::EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (!search.found) {
            ::Sleep(50);
            continue;
        }
        HWND box = search.found;
        const auto script = scripted.find(WindowText(box));
        seen.insert(box);
        const std::string record = "caption=" + Utf8(WindowText(box)) + "\ntext=" +
                                   Utf8(DialogText(box)) + "\n\n";
        if (FILE* file = _wfopen(out.c_str(), L"ab")) {
            std::fwrite(record.data(), 1, record.size(), file);
            std::fclose(file);
        }
        if (script != scripted.end()) {
            Act(box, script->second);
        } else if (button) {
            // The box's own button, so a box without that button falls back to its default.
            HWND item = ::GetDlgItem(box, button);
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(item ? button : IDOK, BN_CLICKED),
                           reinterpret_cast<LPARAM>(item));
        }
    }
    return 0;
}
