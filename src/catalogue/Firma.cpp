#include "catalogue/Firma.h"

bool CFirma::Read(const std::wstring&, const std::wstring&)
{
    return false;
}

bool CFirma::Write(const std::wstring&) const
{
    return false;
}

bool IsPlainFolderName(const std::wstring& name)
{
    if (name.empty() || name == L"." || name == L"..") return false;
    return name.find_first_of(L"\\/:") == std::wstring::npos;
}

int CompareVersions(const std::wstring& a, const std::wstring& b)
{
    return a.compare(b);
}
