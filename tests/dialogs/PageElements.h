// Install element lists as the run builds them: the program, the packages, then
// the fixed elements (the pages know those by position only).
#pragma once

#include "files/elements/ElementList.h"
#include "files/elements/FileItem.h"
#include "files/elements/InstElement.h"

#include <initializer_list>
#include <memory>
#include <string>

struct TestPackage {
    const wchar_t* name;
    const wchar_t* dirname;
    int status = 0;
};

inline CIEArray MakeElements(std::initializer_list<TestPackage> packages = {})
{
    CIEArray elements;
    auto add = [&elements](const std::wstring& name, const std::wstring& key, int selected) -> CInstElement& {
        auto element = std::make_unique<CInstElement>();
        element->displayName = name;
        element->folderKey = key;
        element->selected = selected;
        return *elements[elements.Add(std::move(element))];
    };
    add(L"ORVEK Applikation", L"Files", 1);
    for (const TestPackage& package : packages) {
        CInstElement& element = add(package.name, package.dirname, 1);
        element.package = std::make_unique<CFirma>();
        element.package->name = package.name;
        element.package->dirname = package.dirname;
        element.package->status = package.status;
        element.packageElement = 1;
    }
    for (std::size_t i = 1; i <= kFixedElementCount; ++i) add(L"Fixed", L"Fixed" + std::to_wstring(i), 0);
    return elements;
}

// One file of size bytes.
inline void GiveFiles(CInstElement& element, uint64_t bytes)
{
    element.fileTree = std::make_unique<CClassItem>();
    element.fileTree->Add(std::make_unique<CFileItem>(L"data.bin", bytes));
}
