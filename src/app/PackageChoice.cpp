#include "app/PackageChoice.h"

#include "platform/PathUtil.h"

#include <windows.h>

namespace {

bool SameNoCase(const std::wstring& a, const std::wstring& b)
{
    return !a.empty() && SameName(a, b);
}

// Marks the packages name matches; false when it matches none.
bool Mark(const std::wstring& name, const std::vector<PackageNames>& packages, std::vector<bool>& chosen)
{
    bool found = false;
    for (std::size_t i = 0; i < packages.size(); ++i) {
        const PackageNames& package = packages[i];
        if (SameNoCase(name, package.id) || SameNoCase(name, package.dirname) || SameNoCase(name, package.name)) {
            chosen[i] = true;
            found = true;
        }
    }
    return found;
}

}  // namespace

PackageChoice ChoosePackages(const std::set<std::wstring>& selection, const std::vector<std::wstring>& requests,
                             const std::vector<PackageNames>& packages)
{
    PackageChoice choice;
    choice.every = selection.empty() || selection.count(L"complete") > 0;
    choice.chosen.assign(packages.size(), false);
    for (const std::wstring& request : requests) {
        if (Mark(request, packages, choice.chosen)) continue;
        if (request.find(L' ') == std::wstring::npos) {
            choice.unknown.push_back(request);
            continue;
        }
        for (std::size_t start = 0; start < request.size();) {
            std::size_t end = request.find(L' ', start);
            if (end == std::wstring::npos) end = request.size();
            const std::wstring word = request.substr(start, end - start);
            if (!word.empty() && !Mark(word, packages, choice.chosen)) choice.unknown.push_back(word);
            start = end + 1;
        }
    }
    return choice;
}
