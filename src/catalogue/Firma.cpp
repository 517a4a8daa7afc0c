#include "catalogue/Firma.h"

#include "platform/PathUtil.h"
#include "platform/Profile.h"
#include "platform/ProfileDocument.h"

#include <windows.h>

#include <cstdlib>

namespace {

constexpr DWORD kCurrentLocalDbNameChars = 256;
constexpr wchar_t kCountryListMark[] = L"CountryCodes:";

bool Contains(const std::wstring& text, const std::wstring& part)
{
    return text.find(part) != std::wstring::npos;
}

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

int Collate(const wchar_t* a, int aLength, const wchar_t* b, int bLength)
{
    int result = ::CompareStringW(LOCALE_USER_DEFAULT, 0, a, aLength, b, bLength);
    return result == 0 ? 0 : result - CSTR_EQUAL;
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

// Whether section has an entry key with a value, found as the platform finds
// keys (ASCII case aside), and unlike the key list not cut after 32,000
// characters. A value never holds a line break, so a default of one tells that
// the entry is missing.
bool HasEntry(const ProfileDocument& file, const std::wstring& section, const std::wstring& key)
{
    return file.Get(section, key, L"\n", 2) != L"\n";
}

}  // namespace

bool CFirma::Read(const ProfileDocument& file, const std::wstring& countryCode)
{
    if (id.empty()) return false;
    if (file.Keys(id).empty()) return false;

    const auto text = [&](const std::wstring& key, const std::wstring& def = std::wstring()) {
        return file.Get(id, key, def, kValueBufferChars);
    };
    name = text(L"name");

    dbname = text(L"dbname");
    products = DecimalValue(text(L"products", L"1"));
    if (Contains(dbname, kCountryListMark)) {
        if (CountryListExcludes(dbname, countryCode)) return false;
        const std::wstring valueKey =
            !countryCode.empty() && Contains(dbname, countryCode) ? L"dbname" + countryCode : L"dbname00";
        dbname = text(valueKey);
        const std::wstring countryProducts = text(L"products" + valueKey.substr(6));
        if (!countryProducts.empty()) products = DecimalValue(countryProducts);
    }

    localdbname = text(L"localdbname");
    if (localdbname.empty()) localdbname = dbname;

    dirname = text(L"dirname");
    disc = text(L"disc");
    version = text(L"version");
    plugin = text(L"plugin");
    status = file.GetInt(id, L"status", 0);

    if (status & kStatusInstalled) {
        localpath = text(L"localpath");
        if ((status & (kStatusNeedsPath80 | kStatusNeedsPath100)) && !PathExists(localpath)) return false;
    }
    if (status & kStatusHasOnlineVersion) versiononline = text(L"versiononline");
    return true;
}

bool CFirma::Write(ProfileDocument& adminFile) const
{
    if (id.empty()) return false;

    bool ok = true;
    if (!HasEntry(adminFile, kManufacturersSection, id)) ok = adminFile.Set(kManufacturersSection, id, id);

    if (ok && products != 0) ok = adminFile.Set(id, L"products", FormatNumber(products));
    ok = ok && adminFile.Set(id, L"name", name);
    ok = ok && adminFile.Set(id, L"dbname", dbname);

    if (ok) {
        const std::wstring current = adminFile.Get(id, L"localdbname", std::wstring(), kCurrentLocalDbNameChars);
        if (!current.empty() && (localdbname.empty() || ::lstrcmpiW(localdbname.c_str(), dbname.c_str()) == 0))
            ok = adminFile.Set(id, L"localdbname", L"");
        else if (!localdbname.empty() && localdbname != dbname)
            ok = adminFile.Set(id, L"localdbname", localdbname);
    }

    ok = ok && adminFile.Set(id, L"dirname", dirname);
    ok = ok && adminFile.Set(id, L"disc", disc);
    ok = ok && adminFile.Set(id, L"status", FormatNumber(status));
    ok = ok && adminFile.Set(id, L"localpath", localpath);
    return ok;
}

bool CountryListExcludes(const std::wstring& dbname, const std::wstring& countryCode)
{
    if (!Contains(dbname, kCountryListMark)) return false;
    // "49_ex" holds "49": the exclusion is asked first.
    if (!countryCode.empty() && Contains(dbname, countryCode + L"_ex")) return true;
    if (!countryCode.empty() && Contains(dbname, countryCode)) return false;
    return !Contains(dbname, L"00");
}

bool IsPlainFolderName(const std::wstring& name)
{
    if (name.empty() || name == L"." || name == L"..") return false;
    return name.find_first_of(L"\\/:") == std::wstring::npos;
}

int CompareVersions(const std::wstring& a, const std::wstring& b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const bool aDigit = IsDigit(a[i]);
        if (aDigit != IsDigit(b[j])) break;
        std::size_t iEnd = i;
        std::size_t jEnd = j;
        while (iEnd < a.size() && IsDigit(a[iEnd]) == aDigit) ++iEnd;
        while (jEnd < b.size() && IsDigit(b[jEnd]) == aDigit) ++jEnd;
        if (aDigit) {
            // Numbers: leading zeros aside, the longer run is the larger number.
            std::size_t iSignificant = i;
            std::size_t jSignificant = j;
            while (iSignificant + 1 < iEnd && a[iSignificant] == L'0') ++iSignificant;
            while (jSignificant + 1 < jEnd && b[jSignificant] == L'0') ++jSignificant;
            const std::size_t aDigits = iEnd - iSignificant;
            const std::size_t bDigits = jEnd - jSignificant;
            if (aDigits != bDigits) return aDigits < bDigits ? -1 : 1;
            int order = a.compare(iSignificant, aDigits, b, jSignificant, bDigits);
            if (order != 0) return Sign(order);
        } else {
            int order = Collate(a.c_str() + i, static_cast<int>(iEnd - i), b.c_str() + j, static_cast<int>(jEnd - j));
            if (order != 0) return order;
        }
        i = iEnd;
        j = jEnd;
    }
    // What is left (or runs of different kinds, or equal numbers written
    // differently) is decided by the text order.
    if (i < a.size() && j < b.size()) {
        return Collate(a.c_str() + i, static_cast<int>(a.size() - i), b.c_str() + j, static_cast<int>(b.size() - j));
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return Collate(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()));
}
