#include "dialogs/ProgressDlg.h"

#include "framework/Centre.h"
#include "framework/Dialog.h"
#include "platform/SystemLibrary.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <shlwapi.h>

std::wstring CompactPath(const std::wstring& path, unsigned maxChars)
{
    if (maxChars + 1 > MAX_PATH) maxChars = MAX_PATH - 1;
    if (maxChars < 4 || path.size() <= maxChars) return path.substr(0, maxChars);
    // The platform call takes at most MAX_PATH characters; longer paths keep their end.
    if (path.size() >= MAX_PATH) return L"..." + path.substr(path.size() - (maxChars - 3));
    wchar_t buffer[MAX_PATH] = {};
    if (!::PathCompactPathExW(buffer, path.c_str(), maxChars + 1, 0)) return L"..." + path.substr(path.size() - (maxChars - 3));
    return buffer;
}

CProgressDlg::CProgressDlg(HINSTANCE resources, HWND owner) : fw::Dialog(resources, IDD_PROGRESS, owner) {}

bool CProgressDlg::Create()
{
    InitCommonControlClasses(ICC_PROGRESS_CLASS);
    if (!CreateModeless()) return false;
    created_ = true;
    fw::CentreWindow(Handle(), ::GetDesktopWindow());
    ::SendMessageW(Item(IDC_PROGRESS_BAR), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    ::ShowWindow(Handle(), SW_SHOW);
    return true;
}

void CProgressDlg::Destroy()
{
    if (Handle()) EndDialog(IDCANCEL);
}

int CProgressDlg::SetStep(int size)
{
    const int previous = stepSize;
    stepSize = size;
    return previous;
}

void CProgressDlg::ShowNames(const std::wstring& source, const std::wstring& dest)
{
    source_ = source;
    dest_ = dest;
    namesPending_ = true;
    if (!Handle()) return;
    const DWORD now = Now();
    if (namesShown_ && now - namesShownAt_ < kNamesInterval) return;
    TakeNames();
    SetItemText(IDC_PROGRESS_SOURCE, sourceText);
    SetItemText(IDC_PROGRESS_DEST, destText);
    namesShown_ = true;
    namesShownAt_ = now;
}

void CProgressDlg::TakeNames()
{
    if (!namesPending_) return;
    sourceText = CompactPath(source_);
    destText = CompactPath(dest_);
    namesPending_ = false;
}

int CProgressDlg::Step()
{
    position += stepSize;
    if (position > total) position = total;
    // As MulDiv: 64-bit intermediate, rounded to the nearest; a total of 0 shows 0.
    int percent = 0;
    if (total > 0) percent = ::MulDiv(100, position, total);
    ShowPercent(percent);
    return position;
}

void CProgressDlg::ShowPercent(int percent)
{
    if (percent == lastPercent) return;
    lastPercent = percent;
    percentText = std::to_wstring(percent) + L" %";
    TakeNames();
    if (!Handle()) return;
    DoDataExchange(false);
    namesShown_ = true;
    namesShownAt_ = Now();
    ::SendMessageW(Item(IDC_PROGRESS_BAR), PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    if (!fw::PumpWaitingMessages()) keepGoing = false;
}

bool CProgressDlg::OnInitDialog()
{
    DoDataExchange(false);
    return true;
}

bool CProgressDlg::DoDataExchange(bool save)
{
    if (save) {
        percentText = ItemText(IDC_PROGRESS_PERCENT);
        sourceText = ItemText(IDC_PROGRESS_SOURCE);
        destText = ItemText(IDC_PROGRESS_DEST);
    } else {
        SetItemText(IDC_PROGRESS_PERCENT, percentText);
        SetItemText(IDC_PROGRESS_SOURCE, sourceText);
        SetItemText(IDC_PROGRESS_DEST, destText);
    }
    return true;
}

void CProgressDlg::OnCancel()
{
    keepGoing = false;
    EndDialog(IDCANCEL);
}
