// The files a run writes besides what it installs: their names, and where
// they lie in the installation folder.
#pragma once

#include "platform/PathUtil.h"

#include <string>

// The copy log, the uninstaller's run log, and a package's own log in its folder.
inline constexpr wchar_t kCopyLogName[] = L"update.log";
inline constexpr wchar_t kRunLogName[] = L".UNINST.INF";
inline constexpr wchar_t kPackageLogName[] = L"_uninst.inf";

inline std::wstring CopyLogPath(const std::wstring& installDir) { return JoinPath(installDir, kCopyLogName); }
inline std::wstring RunLogPath(const std::wstring& installDir) { return JoinPath(installDir, kRunLogName); }
