#include "dialogs/DotNetFrameworkDlg.h"

#include "dialogs/MessageFormat.h"
#include "framework/Strings.h"
#include "resources/resource.h"

#include <windows.h>

DotNetFrameworkDlg::DotNetFrameworkDlg(HINSTANCE resources, const std::wstring& versionText,
                                       const std::wstring& downloadUrl, HWND parent)
    : fw::Dialog(resources, IDD_DOTNET_FRAMEWORK, parent), versionText_(versionText), downloadUrl_(downloadUrl)
{
}

bool DotNetFrameworkDlg::OnInitDialog()
{
    const std::wstring title = FormatMessageText(fw::LoadStr(resources_, IDS_DOTNET_MISSING_TITLE), versionText_);
    ::SetWindowTextW(Handle(), title.c_str());
    SetItemText(IDC_DOTNET_TEXT, FormatMessageText(fw::LoadStr(resources_, IDS_DOTNET_MISSING_TEXT), versionText_));
    SetItemText(IDC_DOTNET_URL, downloadUrl_);
    return true;
}
