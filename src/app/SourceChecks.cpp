// What the run finds on the medium, told before it goes on: a source folder
// that is not there, a package catalogue that is missing or offers nothing.
// A data DVD that installs no package must not end as if it had installed.
#include "app/Sequencer.h"

#include "app/SetupLog.h"
#include "app/SetupState.h"
#include "catalogue/FirmenArray.h"
#include "dialogs/SetupUi.h"
#include "files/ElementList.h"
#include "platform/PathUtil.h"
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
    const std::size_t packages = PackageCount(state_.elements);
    if (packages > 0) {
        log_.Write(L"package catalogue " + catalogue + L": " + std::to_wstring(packages) + L" packages offered");
        return true;
    }
    if (!PathExists(catalogue)) {
        log_.Write(L"no package catalogue " + catalogue + L": no package is offered");
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
