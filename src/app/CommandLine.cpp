#include "app/CommandLine.h"

#include "app/Countries.h"
#include "app/SetupState.h"
#include "platform/PathUtil.h"

namespace {

// The text after the first ':' when text starts with prefix and has at least one
// character after that colon.
bool ValueAfterColon(const std::wstring& text, wchar_t prefix, std::wstring& value)
{
    if (text.empty() || text[0] != prefix) return false;
    size_t colon = text.find(L':');
    if (colon == std::wstring::npos || colon + 1 >= text.size()) return false;
    value = text.substr(colon + 1);
    return true;
}


}  // namespace

void OvkSetupCmdLineInfo::ParseParam(const std::wstring& text, bool isOption, bool /*isLast*/)
{
    const bool wantedInstallPath = expectInstallPath;
    const bool wantedManufacturers = expectManufacturers;
    const bool wantedLogPath = expectLogPath;
    expectInstallPath = false;
    expectManufacturers = false;
    expectLogPath = false;

    if (isOption) {
        std::wstring value;
        if (ValueAfterColon(text, L'L', value)) {
            state_.commandLanguage = DecimalValue(value);
        } else if (ValueAfterColon(text, L'C', value)) {
            state_.commandCountry = LookupCountry(value);
        } else if (text == L"silent" || text == L"S") {
            state_.silent = true;
        } else if (text == L"reinstall" || text == L"F") {
            state_.reinstall = true;
        } else if (text == L"installpath" || text == L"P") {
            expectInstallPath = true;
        } else if (text == L"manufacturers" || text == L"M") {
            expectManufacturers = true;
            state_.manufacturersGiven = true;
        } else if (text == L"quiet" || text == L"Q") {
            state_.quiet = true;
            state_.silent = true;
        } else if (text == L"replacedata" || text == L"R") {
            state_.replaceOldData = true;
        } else if (text == L"log") {
            expectLogPath = true;
        } else if (text == L"check") {
            state_.check = true;
        } else if (text == L"?" || text == L"help") {
            state_.help = true;
        }
        // Other options mean nothing to this program.
        return;
    }

    if (wantedInstallPath) {
        std::wstring path = text;
        if (path.size() > 3 && path.back() == L'\\') path.pop_back();
        state_.commandInstallPath = path;
    } else if (wantedManufacturers) {
        AddManufacturers(text);
    } else if (wantedLogPath) {
        state_.logPath = text;
    }
    // Other plain arguments mean nothing to this program.
}

void OvkSetupCmdLineInfo::AddManufacturers(const std::wstring& text)
{
    // The words are those of a split at ",", ";" and blanks; a part between
    // "," and ";" is also kept whole as a request, since package names hold blanks.
    auto& selection = state_.manufacturerSelection;
    auto& requests = state_.manufacturerRequests;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t start = text.find_first_not_of(L",; ", pos);
        if (start == std::wstring::npos) break;
        size_t end = text.find_first_of(L",;", start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring part = text.substr(start, end - start);
        part.erase(part.find_last_not_of(L' ') + 1);
        pos = end;
        for (size_t word = 0; word < part.size();) {
            size_t wordEnd = part.find(L' ', word);
            if (wordEnd == std::wstring::npos) wordEnd = part.size();
            const std::wstring token = part.substr(word, wordEnd - word);
            word = part.find_first_not_of(L' ', wordEnd);
            if (word == std::wstring::npos) word = part.size();
            if (token == L"complete" || token == L"none") {
                selection.clear();
                selection.insert(token);
                requests.clear();
                return;
            }
            selection.insert(token);
        }
        requests.push_back(part);
    }
}
