// Language numbers (primary language ids) and the country table.
#pragma once

#include <string>

// The 22 supported language numbers in the order they are tested.
extern const int kSupportedLanguages[22];
constexpr int kGermanLanguage = 7;    // built into the program
constexpr int kFallbackLanguage = 9;  // English

bool IsSupportedLanguage(int number);

// Code of the first row whose abbreviation equals abbreviation exactly
// (case-sensitive); 0, the catch-all row, when none matches.
int LookupCountry(const std::wstring& abbreviation);

// True when some row of the country table has this code.
bool IsKnownCountry(int code);

// Defaults from the system: country of the user's locale ("CHE" when the locale
// cannot be asked) and the system's primary language when supported, else 9.
int SystemDefaultCountry();
int SystemDefaultLanguage();
