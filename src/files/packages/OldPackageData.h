// Data of an earlier installation in a package's folder: is there any, may it
// go, and its removal before the package is copied again.
#pragma once

#include "files/run/InstallUi.h"
#include "files/elements/PackageOutcome.h"

#include <string>

class InstallRun;

// The category folders of a package whose files count as old data, in the order
// they are looked at and removed.
inline constexpr const wchar_t* kOldDataCategories[] = {L"cad", L"dtb", L"geo", L"lvk", L"pic", L"sym", L"att"};

// True when a category folder of folder holds, at any depth, a regular file
// other than a ".mdb" or ".rdb" database (those are kept by the product across
// updates). A folder path shorter than 4 characters holds none. When true and
// parent is given, it receives the folder without its trailing backslashes and
// its last component: the folder the package folders share.
bool HasOldPackageData(const std::wstring& folder, std::wstring* parent = nullptr);

// The first folder link (junction, symbolic link) on the way to a package's
// folder or one of its category folders: from the installation folder down, or
// for a package placed elsewhere from the folder chosen for it (folder's
// parent) down. Empty when there is none. With run, what the run already knows
// of the folders on the way is not looked at again; there, when given: the
// package folder was found.
std::wstring PackageFolderLink(const std::wstring& folder, const std::wstring& installDir, InstallRun* run = nullptr,
                               bool* there = nullptr);

// Removes the category folders of folder, its "_uninst.inf" and the package's
// own info file (the folder's name with ".inf"); everything else stays. A folder
// that is not one plain folder name below an absolute folder (empty, relative,
// a drive or share root, a name of "." or "..", or 5 characters or fewer) is
// left alone, and so is a folder that is itself a folder link. Goes on past a
// failure; empty when everything went, else what could not be removed (the
// first path, with its Win32 error).
std::wstring RemoveOldPackageData(const std::wstring& folder);

// The replace-old-data decision over the packages of one package step, owned by
// the caller for that step.
struct ReplaceOldDataDecision {
    bool alwaysReplace = false; // nobody is asked: old data is replaced (an administrator's option)
    std::wstring parentFolder;  // parent of the last package asked about
    bool dontAskAgain = false;  // the check box of the last question
    bool lastAnswer = false;    // yes: replace
    int passThrough = 0;        // given to the question as its hide flag
};

// May the package be installed into folder? With a folder link on the way to
// it (PackageFolderLink, below installDir): no, the user is told and the run
// refused, nothing asked or deleted. Without old data: yes, nothing asked.
// Otherwise the user is asked (unless a "for all" answer was given for a package
// in the same parent folder, or the decision always replaces), and on yes the
// old data is removed first; what could not be removed is told to the setup
// log. refusal (when given) receives the refusal of a folder link.
bool ConfirmReplaceOldData(InstallUi& ui, InstallRun& run, ReplaceOldDataDecision& decision,
                           const std::wstring& packageName, const std::wstring& folder, const std::wstring& installDir,
                           PackageOutcome* refusal = nullptr);
