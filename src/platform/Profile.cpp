#include "platform/Profile.h"

std::wstring ReadProfileText(const std::wstring&, const std::wstring&, const std::wstring&, DWORD, const std::wstring& def) { return def; }
int ReadProfileNumber(const std::wstring&, const std::wstring&, const std::wstring&, int def) { return def; }
std::vector<std::wstring> ReadProfileKeys(const std::wstring&, const std::wstring&, DWORD) { return {}; }
bool WriteProfileText(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&) { return false; }
std::wstring ReadWindowsProfileText(const std::wstring&, const std::wstring&, DWORD) { return {}; }
std::wstring FormatNumber(int value) { return std::to_wstring(value); }
