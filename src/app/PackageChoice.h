// Which packages of the medium the command line asks for ("manufacturers"/"M"):
// each name matches a package by its id, its folder name or its name, without
// regard to case. The run refuses a name that matches none before it changes
// anything, so a typing error never installs the wrong packages.
#pragma once

#include <set>
#include <string>
#include <vector>

// What a package of the medium answers to.
struct PackageNames {
    std::wstring id;
    std::wstring dirname;
    std::wstring name;
};

struct PackageChoice {
    bool every = true;                  // no list, or "complete"
    std::vector<bool> chosen;           // per package, when not every ("none": all false)
    std::vector<std::wstring> unknown;  // names that match no package, as given
};

// The choice of selection and requests (SetupState: the recorded words and the
// names as given) over packages. A request matches as a whole; one that does
// not and holds blanks is a list of words, each of which must match.
PackageChoice ChoosePackages(const std::set<std::wstring>& selection, const std::vector<std::wstring>& requests,
                             const std::vector<PackageNames>& packages);
