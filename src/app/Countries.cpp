#include "app/Countries.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

const int kSupportedLanguages[22] = {7, 9, 10, 12, 14, 16, 22, 6, 19, 20, 21,
                                     36, 29, 5, 26, 99, 25, 39, 2, 31, 4, 204};

namespace {

struct Country {
    const wchar_t* abbreviation;
    short code;
};

const Country kCountries[] = {
    {L"ALB", 355}, {L"DZA", 213}, {L"ARG", 54},  {L"ARM", 374}, {L"AUS", 61},  {L"AUT", 43},
    {L"AZE", 994}, {L"BHR", 973}, {L"BLR", 375}, {L"BEL", 32},  {L"BLZ", 501}, {L"BOL", 591},
    {L"BIH", 387}, {L"BRA", 55},  {L"BRN", 673}, {L"BGR", 359}, {L"CAN", 2},   {L"CAR", 1},
    {L"CHL", 56},  {L"COL", 57},  {L"CRI", 506}, {L"HRV", 385}, {L"CZE", 420}, {L"DNK", 45},
    {L"DOM", 1},   {L"ECU", 593}, {L"EGY", 20},  {L"SLV", 503}, {L"EST", 372}, {L"FRO", 298},
    {L"FIN", 358}, {L"FRA", 33},  {L"GEO", 995}, {L"DEU", 49},  {L"GRC", 30},  {L"GTM", 502},
    {L"HND", 504}, {L"HKG", 852}, {L"HUN", 36},  {L"ISL", 354}, {L"IND", 91},  {L"IDN", 62},
    {L"IRN", 981}, {L"IRQ", 964}, {L"IRL", 353}, {L"ISR", 972}, {L"ITA", 39},  {L"JAM", 1},
    {L"JPN", 81},  {L"JOR", 962}, {L"KAZ", 7},   {L"KEN", 254}, {L"KWT", 965}, {L"KGZ", 996},
    {L"LVA", 371}, {L"LBN", 961}, {L"LBY", 218}, {L"LIE", 41},  {L"LTU", 370}, {L"LUX", 352},
    {L"MAC", 853}, {L"MKD", 389}, {L"MYS", 60},  {L"MDV", 960}, {L"MEX", 52},  {L"MCO", 33},
    {L"MNG", 976}, {L"MAR", 212}, {L"NLD", 31},  {L"NZL", 64},  {L"NIC", 505}, {L"NOR", 47},
    {L"OMN", 968}, {L"PAK", 92},  {L"PAN", 507}, {L"PRY", 595}, {L"CHN", 86},  {L"PER", 51},
    {L"PHL", 63},  {L"POL", 48},  {L"PRT", 351}, {L"PRI", 1},   {L"QAT", 974}, {L"ROM", 40},
    {L"RUS", 7},   {L"SAU", 966}, {L"SCG", 381}, {L"SGP", 65},  {L"SVK", 421}, {L"SVN", 386},
    {L"ZAF", 27},  {L"KOR", 82},  {L"ESP", 34},  {L"SWE", 46},  {L"CHE", 41},  {L"SYR", 963},
    {L"TWN", 886}, {L"THA", 66},  {L"TTO", 1},   {L"TUN", 216}, {L"TUR", 90},  {L"ARE", 971},
    {L"UKR", 380}, {L"GBR", 44},  {L"USA", 1},   {L"URY", 598}, {L"UZB", 7},   {L"VEN", 58},
    {L"VNM", 84},  {L"YEM", 967}, {L"ZWE", 263}, {L"$$$", 0},
};
static_assert(std::size(kCountries) == 112, "the country table has 112 rows");

constexpr int kCatchAllCode = 0;

}  // namespace

bool IsSupportedLanguage(int number)
{
    return std::find(std::begin(kSupportedLanguages), std::end(kSupportedLanguages), number) !=
           std::end(kSupportedLanguages);
}

int LookupCountry(const std::wstring& abbreviation)
{
    for (const Country& row : kCountries) {
        if (abbreviation == row.abbreviation) return row.code < 0 ? kCatchAllCode : row.code;
    }
    return kCatchAllCode;
}

bool IsKnownCountry(int code)
{
    return std::any_of(std::begin(kCountries), std::end(kCountries),
                       [code](const Country& row) { return row.code == code; });
}

int SystemDefaultCountry()
{
    wchar_t abbreviation[16] = {};
    if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SABBREVCTRYNAME, abbreviation, 16) < 1)
        return LookupCountry(L"CHE");
    return LookupCountry(abbreviation);
}

int SystemDefaultLanguage()
{
    int primary = ::GetSystemDefaultLangID() & 0x3FF;
    return IsSupportedLanguage(primary) ? primary : kFallbackLanguage;
}
