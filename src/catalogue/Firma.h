// One manufacturer data package: its record in a catalogue (ovkdata.inf) or in
// the administration file (orvekAdmin.ini).
#pragma once

#include <string>

class ProfileDocument;

// Bits of CFirma::status.
constexpr int kStatusInstalled = 0x0002;       // localpath is read and written
constexpr int kStatusHasOnlineVersion = 0x0004;
constexpr int kStatus08 = 0x0008;
constexpr int kStatus10 = 0x0010;
constexpr int kStatus40 = 0x0040;
constexpr int kStatusNeedsPath80 = 0x0080;     // dropped when localpath is missing
constexpr int kStatusNeedsPath100 = 0x0100;    // dropped when localpath is missing
constexpr int kStatusChanged = 0x8000;         // in memory only: Save writes the record

// Section names and sizes shared by the catalogue readers and writers.
inline constexpr wchar_t kManufacturersSection[] = L"manufacturers";
constexpr unsigned kIdLength = 3;
constexpr unsigned kValueBufferChars = 512;   // longest value 511 characters

class CFirma {
public:
    CFirma() = default;
    virtual ~CFirma() = default;
    CFirma(const CFirma&) = default;
    CFirma& operator=(const CFirma&) = default;

    // Fills the record from its section (named by id) in file. countryCode is a
    // two-character code or empty for none. False: the record is to be dropped
    // (no section, not for this country, or its required localpath is gone).
    // Every other record is kept as it stands, whatever its dirname: a record
    // dropped here would be taken for unknown and overwritten by a merge.
    bool Read(const ProfileDocument& file, const std::wstring& countryCode);

    // Stores the record in the administration document (in memory; the caller
    // saves it). False when id is empty (nothing written) or when a value could
    // not be stored as it would read back.
    bool Write(ProfileDocument& adminFile) const;

    void CopyFrom(const CFirma& other) { *this = other; }

    std::wstring id;           // at most 3 characters; identity, case-sensitive
    int products = 0;
    std::wstring name;
    std::wstring localpath;
    std::wstring basepath;     // set by the loader, never stored
    std::wstring dbname;
    std::wstring plugin;
    std::wstring localdbname;
    std::wstring dirname;      // a folder name; checked where it becomes part of a path
    std::wstring disc;
    std::wstring version;
    std::wstring versiononline;
    int status = 0;
};

// True when dbname is a country list ("CountryCodes: 41 49_ex 00") that does not
// offer the package in countryCode (two characters; empty for none): the
// country is excluded ("49_ex"), or neither listed nor covered by "00".
bool CountryListExcludes(const std::wstring& dbname, const std::wstring& countryCode);

// True when name can be used as one folder below another: not empty, not "." or
// "..", and without "\", "/" or ":".
bool IsPlainFolderName(const std::wstring& name);

// Catalogue version order: runs of digits compare as numbers, the rest with the
// user locale's collation. Negative, 0 or positive like CompareStringW - 2.
int CompareVersions(const std::wstring& a, const std::wstring& b);
