#include "catalogue/AppData.h"

bool AppDataFolder(std::wstring& folder, bool, bool) { folder.clear(); return false; }
bool DataFolder(std::wstring& folder, bool) { folder.clear(); return false; }
bool MachineAdminFile(std::wstring& path) { path.clear(); return false; }

std::wstring JoinFolder(const std::wstring& a, const std::wstring& b)
{
    if (b.empty()) return a;
    if (a.empty()) return b;
    std::wstring joined = a;
    bool aEnds = joined.back() == L'\\';
    bool bBegins = b.front() == L'\\';
    if (aEnds && bBegins) joined.append(b, 1, std::wstring::npos);
    else if (!aEnds && !bBegins) joined += L'\\' + b;
    else joined += b;
    return joined;
}
