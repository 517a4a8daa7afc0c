#include "files/sections/FileTrees.h"

#include "files/elements/InstElement.h"
#include "files/elements/FileItem.h"
#include "files/sections/FileSection.h"
#include "files/elements/PackageItem.h"

namespace {

constexpr wchar_t kIniSection[] = L"Ini32";
constexpr wchar_t kPrivateSection[] = L"FilesPriv";

CClassItem& NewRoot(CInstElement& element)
{
    element.fileTree = std::make_unique<CClassItem>();
    return *element.fileTree;
}

// The fixed elements close the list; searching from its end never takes a
// package whose folder happens to carry the same name.
CInstElement* FixedElement(const CIEArray& elements, const std::wstring& key)
{
    for (std::size_t i = elements.GetSize(); i > 1; --i)
        if (!elements[i - 1]->packageElement && elements[i - 1]->folderKey == key) return elements[i - 1];
    return nullptr;
}

}  // namespace

bool BuildPackageTree(CInstElement& element)
{
    if (!element.package) return false;
    element.fileTree = std::make_unique<CPackageItem>(element.package->dirname);
    return true;
}

bool BuildFileTrees(const SectionContext& context, const std::wstring& scriptPath, CIEArray& elements,
                    bool adminMode)
{
    const std::wstring iniSection = kIniSection;

    if (CInstElement* priv = FixedElement(elements, kPrivateSection)) {
        CClassItem& root = NewRoot(*priv);
        if (adminMode) {
            if (!ReadFileSection(context, scriptPath, iniSection, root)) return false;
            if (!ReadFileSection(context, scriptPath, kPrivateSection, root)) return false;
        }
    }
    if (elements.GetSize() > 0) {
        CInstElement& program = *elements[0];
        CClassItem& root = NewRoot(program);
        if (!adminMode) {
            if (!ReadFileSection(context, scriptPath, iniSection, root)) return false;
            if (!ReadFileSection(context, scriptPath, kPrivateSection, root)) return false;
        }
        if (!ReadFileSection(context, scriptPath, program.folderKey, root)) return false;
    }
    for (std::size_t i = 1; i < elements.GetSize(); ++i) {
        CInstElement& element = *elements[i];
        if (!element.packageElement) continue;
        if (!BuildPackageTree(element)) NewRoot(element);
    }
    return true;
}
