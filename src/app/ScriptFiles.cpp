#include "app/ScriptFiles.h"

std::wstring ReadSourcePath(const std::wstring&) { return {}; }
bool SourceRootFromSetupDir(const std::wstring&, std::wstring& root) { root.clear(); return false; }
bool ResolveSourceDir(const std::wstring&, std::wstring& sourceDir) { sourceDir.clear(); return false; }
std::wstring ReadIniName(const std::wstring&, const std::wstring&) { return {}; }
int ReadDotNetFx(const std::wstring&, const std::wstring&) { return 0; }
int ReadAdminCountry(const std::wstring&, int current) { return current; }
