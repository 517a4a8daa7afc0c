// What the run finds on the medium, told before it goes on: a source folder
// that is not there, a package catalogue that is missing or offers nothing.
// A data DVD that installs no package must not end as if it had installed.
#include "app/Sequencer.h"

#include "app/SetupLog.h"
#include "app/SetupState.h"
#include "catalogue/FirmenArray.h"
#include "dialogs/SetupUi.h"
#include "files/elements/ElementList.h"
#include "files/elements/InstElement.h"
#include "files/engine/Refusals.h"
#include "platform/PathUtil.h"
#include "platform/ReadableFile.h"
#include "resources/resource.h"

bool Sequencer::SourceFolderThere()
{
    if (FolderExists(state_.sourceDir)) return true;
    ui_.MessageId(IDS_INSERT_ORIGINAL_DVD, MB_ICONERROR | MB_OK);
    End(EarlyEnd::Failed, L"no installation source: " + state_.sourceDir + L" is no folder");
    return false;
}

bool Sequencer::TellCatalogue()
{
    const std::wstring catalogue = JoinPath(JoinPath(state_.sourceDir, L"data"), kCatalogueFileName);
    // A catalogue that cannot be read is no empty medium: its packages would
    // silently not be offered. One that is a folder offers nothing (below).
    const FileRead read = ReadableFile(catalogue);
    if (read.found == FileFound::Unreadable) {
        const std::wstring text = L"the package catalogue " + catalogue + L" cannot be read" + ErrorSuffix(read.error);
        Fail(text);
        return false;
    }
    const std::size_t packages = PackageCount(state_.elements);
    std::size_t otherCountries = 0;
    for (const LeftOutPackage& package : leftOut_) {
        if (package.why == LeftOutPackage::Why::Country) {
            ++otherCountries;
            continue;
        }
        log_.Write(L"package " + package.name + L" (" + package.id + L") is not offered: its folder name \"" +
                   package.dirname + L"\" is not one plain folder name");
    }
    const ElementFolderNames names(state_.scriptFile);
    for (std::size_t i = 1; i <= packages; ++i) {
        const CInstElement& element = *state_.elements[i];
        const std::wstring refused = names.Refused(element.folderKey);
        if (!refused.empty())
            log_.Write(L"package " + element.displayName + L": its folder name \"" + refused +
                       L"\" in [DTBPath] is not one plain folder name (of at most 79 characters): it goes into the "
                       L"folder " + element.folderKey);
    }
    const std::wstring country = L"country " + std::to_wstring(state_.country);
    if (packages > 0) {
        const std::wstring others =
            otherCountries == 0 ? std::wstring()
                                : L" (" + std::to_wstring(otherCountries) + L" not offered for " + country + L")";
        log_.Write(L"package catalogue " + catalogue + L": " + std::to_wstring(packages) + L" packages offered" + others);
        return true;
    }
    if (read.found == FileFound::Missing) {
        log_.Write(L"no package catalogue " + catalogue + L": no package is offered");
        return true;
    }
    // A readable catalogue whose packages are all for other countries (or not
    // offered for their folder names) offers nothing here, as meant: the
    // program's own files are still installed.
    if (!leftOut_.empty()) {
        log_.Write(L"package catalogue " + catalogue + L": no package is offered for " + country + L" (" +
                   std::to_wstring(leftOut_.size()) + L" packages left out)");
        return true;
    }
    // Empty, not text the profile functions read, or without a package in its
    // [manufacturers] section: the medium is damaged or not the one meant.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    const bool empty = ::GetFileAttributesExW(catalogue.c_str(), GetFileExInfoStandard, &data) &&
                       !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.nFileSizeLow == 0 &&
                       data.nFileSizeHigh == 0;
    const std::wstring why = L"the package catalogue " + catalogue +
                             (empty ? L" is empty" : L" offers no package (no package in a readable [manufacturers] section)");
    log_.Write(why);
    if (!state_.silent) return true;  // the options page shows the empty list
    End(EarlyEnd::Failed, why);
    return false;
}

void Sequencer::RefuseWhatCannotBeInstalled()
{
    // Named with /M, such a package already ended the run (KnowPackageNames).
    if (choice_.every) {
        for (const LeftOutPackage& package : leftOut_)
            if (package.why == LeftOutPackage::Why::FolderName)
                run_.Refuse(L"package " + package.name + L": its folder name \"" + package.dirname +
                            L"\" is not one plain folder name: not installed");
    }
    const CIEArray& elements = state_.elements;
    const ElementFolderNames names(state_.scriptFile);
    for (std::size_t i = 1; i <= PackageCount(elements); ++i) {
        const CInstElement& element = *elements[i];
        if (!element.selected) continue;
        const std::wstring refused = names.Refused(element.folderKey);
        if (!refused.empty())
            run_.Refuse(L"package " + element.displayName + L": its folder name \"" + refused +
                        L"\" in [DTBPath] is not taken: installed into the folder " + element.folderKey);
    }
}
