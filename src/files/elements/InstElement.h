// The install elements of a run: the program, the packages of the medium and the
// fixed components, each with its folder key, choice, destination and files.
#pragma once

#include "catalogue/Firma.h"
#include "files/elements/FileItem.h"
#include "files/elements/PackageOutcome.h"

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class CInstElement {
public:
    CInstElement() = default;
    // A fixed element from its static entry; the texts are converted with the
    // thread's ANSI code page.
    CInstElement(const char* displayNameAnsi, const char* folderKeyAnsi, int selectedFlag);
    virtual ~CInstElement() = default;   // deletes the file tree and the package
    CInstElement(const CInstElement&) = delete;
    CInstElement& operator=(const CInstElement&) = delete;

    std::wstring displayName;
    std::wstring folderKey;               // file-section and folder name (package: dirname)
    int selected = 0;
    std::unique_ptr<CFirma> package;      // owned; null for other elements
    std::wstring destination;
    int packageElement = 0;
    std::unique_ptr<CClassItem> fileTree;  // owned; null until built
    // Set by the copy: every file of the element went in or was already in
    // place. A package is recorded as installed only then.
    bool filesInPlace = false;
    // What became of it, set by the step that decided it; the run's summary
    // and exit code are made from it.
    PackageOutcome outcome;
};

class CIEArray {
public:
    CIEArray() = default;
    CIEArray(const CIEArray&) = delete;
    CIEArray& operator=(const CIEArray&) = delete;
    CIEArray(CIEArray&&) = default;
    CIEArray& operator=(CIEArray&&) = default;

    std::size_t GetSize() const { return elements_.size(); }
    CInstElement* GetAt(std::size_t index) const { return elements_[index].get(); }
    CInstElement* operator[](std::size_t index) const { return elements_[index].get(); }
    // Returns the index of the new element.
    std::size_t Add(std::unique_ptr<CInstElement> element);
    // Deletes every element.
    void RemoveAll() { elements_.clear(); }

private:
    std::vector<std::unique_ptr<CInstElement>> elements_;
};

// The folder name of folderKey: the value of that key in section DTBPath of
// scriptFile when it is one plain folder name of at most 79 characters, else
// folderKey itself.
std::wstring ElementFolderName(const std::wstring& scriptFile, const std::wstring& folderKey);
// The DTBPath value of folderKey that ElementFolderName does not take (a path,
// "..", or longer than 79 characters), whole; empty when there is none or it
// is taken.
std::wstring RefusedFolderName(const std::wstring& scriptFile, const std::wstring& folderKey);

// element.destination := the folder name joined to baseFolder.
void SetElementDestination(CInstElement& element, const std::wstring& baseFolder,
                           const std::wstring& scriptFile);

// The folder names of a data script for many elements: its section DTBPath
// is listed once, and only a key it holds is read (a read is an open of the
// script). Answers as ElementFolderName.
class ElementFolderNames {
public:
    explicit ElementFolderNames(const std::wstring& scriptFile);
    std::wstring Of(const std::wstring& folderKey) const;
    // As RefusedFolderName.
    std::wstring Refused(const std::wstring& folderKey) const;

private:
    std::wstring scriptFile_;
    std::unordered_set<std::wstring> keys_;  // FileNameKey of each key of DTBPath
};

void SetElementDestination(CInstElement& element, const std::wstring& baseFolder, const ElementFolderNames& names);
