#include "PageDriver.h"

#include "framework/Handles.h"
#include "support/TempDir.h"

#include <utility>

namespace {

struct Drive {
    fw::Dialog* dialog;
    std::vector<PageStep> steps;
    size_t next = 0;
    int idleTicks = 0;
    bool leftOpen = false;
};
thread_local Drive* driving = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = driving ? driving->dialog->Handle() : nullptr;
    if (!dialog || !::IsWindowVisible(dialog)) return;
    if (driving->next < driving->steps.size()) {
        PageStep step = driving->steps[driving->next++];
        step(dialog);
    } else if (++driving->idleTicks == 5) {
        driving->leftOpen = true;
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

}  // namespace

INT_PTR RunModal(fw::Dialog& dialog, std::vector<PageStep> steps)
{
    Drive drive{&dialog, std::move(steps)};
    Drive* previous = std::exchange(driving, &drive);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, Tick);
    const INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, timer);
    driving = previous;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {}
    return drive.leftOpen ? kLeftOpen : result;
}

void ClickRow(HWND list, int index, bool twice)
{
    RECT row{};
    ::SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM(row.left + 40, (row.top + row.bottom) / 2);
    for (UINT down : {UINT(WM_LBUTTONDOWN), UINT(twice ? WM_LBUTTONDBLCLK : 0)}) {
        if (!down) break;
        ::SendMessageW(list, down, MK_LBUTTON, at);
        ::SendMessageW(list, WM_LBUTTONUP, 0, at);
    }
}

void PressKey(HWND window, UINT key)
{
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessageW(window, WM_KEYDOWN, key, 1 | scan);
    ::PostMessageW(window, WM_KEYUP, key, 1 | scan | 0xC0000000);
}

void SendClick(HWND dialog, int id)
{
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

std::vector<COLORREF> ClientPixels(HWND window, const RECT& area)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    std::vector<COLORREF> pixels;
    HDC dc = ::GetDC(window);  // not owned: released below
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) pixels.push_back(::GetPixel(dc, x, y));
    ::ReleaseDC(window, dc);
    return pixels;
}

bool SaveScreenshot(HWND window, const std::wstring& name)
{
    // Painted now, and read from the window's own device context: the picture is what
    // the window drew, whenever the display gets to show it.
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = rect.right - rect.left;
    info.biHeight = rect.bottom - rect.top;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(info.biWidth) * 3 + 3) & ~3u;
    std::string pixels(static_cast<size_t>(stride) * info.biHeight, '\0');
    HDC own = ::GetWindowDC(window);  // not owned: released below
    fw::ScopedMemoryDC memory(::CreateCompatibleDC(own));
    fw::ScopedBitmap bitmap(::CreateCompatibleBitmap(own, info.biWidth, info.biHeight));
    bool copied = false;
    if (memory && bitmap) {
        fw::SelectGuard select(memory.Get(), bitmap.Get());
        copied = ::BitBlt(memory.Get(), 0, 0, info.biWidth, info.biHeight, own, 0, 0, SRCCOPY);
    }
    copied = copied && ::GetDIBits(own, bitmap.Get(), 0, info.biHeight, pixels.data(),
                                   reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == info.biHeight;
    ::ReleaseDC(window, own);
    if (!copied) return false;

    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(file) + sizeof(info)};
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    wchar_t program[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring folder = program;
    folder = folder.substr(0, folder.find_last_of(L'\\')) + L"\\screenshots";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return WriteBytes(folder + L"\\" + name + L".bmp", bytes + pixels);
}

wchar_t MissingDrive()
{
    int i = 'Q' - 'A';
    while (i < 25 && (::GetLogicalDrives() & (1u << i))) ++i;
    return static_cast<wchar_t>(L'A' + i);
}

void WriteScript(const std::wstring& path, const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    WriteBytes(path, bytes);
}
