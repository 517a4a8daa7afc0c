#include "platform/Registry.h"

LONG RegistryKey::Open(HKEY, const std::wstring&, REGSAM) { return ERROR_FILE_NOT_FOUND; }
void RegistryKey::Close() {}
std::wstring ReadStringValue(const RegistryKey&, const std::wstring&, const std::wstring& def) { return def; }
bool RegistryValue(const std::wstring&, const std::wstring&, std::wstring& text) { text.clear(); return false; }
std::wstring ProgramFilesDir() { return L"c:\\"; }
