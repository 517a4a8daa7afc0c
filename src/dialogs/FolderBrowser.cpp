#include "dialogs/FolderBrowser.h"

#include "framework/Handles.h"

namespace {

// The file-system path of item; empty when it has none (a printer, the network).
std::wstring PathOf(PCIDLIST_ABSOLUTE item)
{
    wchar_t buffer[MAX_PATH] = {};
    if (!item || !::SHGetPathFromIDListW(item, buffer)) return std::wstring();
    return buffer;
}

}  // namespace

CBrowseForFolder::CBrowseForFolder(HWND owner, const std::wstring& title, UINT flags) : title_(title)
{
    info_.hwndOwner = owner;
    info_.pidlRoot = nullptr;
    info_.pszDisplayName = displayName_;
    info_.lpszTitle = title_.c_str();
    info_.ulFlags = flags;
    info_.lpfn = Callback;
    info_.lParam = reinterpret_cast<LPARAM>(this);
}

CBrowseForFolder::~CBrowseForFolder() = default;

bool CBrowseForFolder::Run()
{
    fw::ScopedTaskMem<ITEMIDLIST> chosen(::SHBrowseForFolderW(&info_));
    window_ = nullptr;
    if (!chosen) return false;
    std::wstring path = PathOf(chosen.Get());
    if (path.empty()) return false;
    path_ = path;
    return true;
}

void CBrowseForFolder::OnInit() {}

void CBrowseForFolder::OnSelChanged(PCIDLIST_ABSOLUTE) {}

void CBrowseForFolder::SelectFolder(const std::wstring& folder) const
{
    if (window_) ::SendMessageW(window_, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
}

void CBrowseForFolder::SetStatusText(const std::wstring& text) const
{
    if (window_) ::SendMessageW(window_, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int CALLBACK CBrowseForFolder::Callback(HWND window, UINT message, LPARAM param, LPARAM self)
{
    auto* browser = reinterpret_cast<CBrowseForFolder*>(self);
    if (!browser) return 0;
    browser->window_ = window;
    if (message == BFFM_INITIALIZED)
        browser->OnInit();
    else if (message == BFFM_SELCHANGED)
        browser->OnSelChanged(reinterpret_cast<PCIDLIST_ABSOLUTE>(param));
    return 0;
}

void CSBDestination::OnInit()
{
    SelectFolder(initialFolder_);
    SetStatusText(initialFolder_);
}

void CSBDestination::OnSelChanged(PCIDLIST_ABSOLUTE item)
{
    SetStatusText(PathOf(item));
}

bool BrowseForFolder(HWND owner, std::wstring& path, const std::wstring& title)
{
    CSBDestination browser(owner, title, BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE);
    browser.SetInitialFolder(path);
    if (!browser.Run()) return false;
    path = browser.Path();
    return true;
}
