#include "catalogue/FirmenArray.h"

#include "platform/PathUtil.h"
#include "platform/Profile.h"

#include <cwchar>

std::unique_ptr<CFirma> CFirmenArray::RemoveAt(std::size_t index)
{
    std::unique_ptr<CFirma> record = std::move(records_[index]);
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
    return record;
}

void CFirmenArray::Load(const std::wstring& file, const std::wstring& basePath, const std::wstring& code)
{
    records_.clear();
    for (const std::wstring& key : ReadProfileKeys(file, kManufacturersSection, kKeyListBufferChars)) {
        auto record = std::make_unique<CFirma>();
        // Only the first three characters of an entry name the package.
        record->id = ReadProfileText(file, kManufacturersSection, key, kIdLength + 1);
        if (!record->Read(file, code)) continue;
        if (!basePath.empty()) record->basepath = basePath;
        records_.push_back(std::move(record));
    }
}

void CFirmenArray::LoadCatalogue(const std::wstring& folder, int country)
{
    wchar_t code[16];
    std::swprintf(code, 16, L"%02d", country);
    Load(JoinPath(folder, kCatalogueFileName), std::wstring(), code);
    // An element of the run gets its own folder: a record without a folder name
    // of its own would be copied into (and cleaned in) the base folder itself.
    for (std::size_t i = records_.size(); i-- > 0;) {
        if (records_[i]->dirname.empty()) records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

CFirma* CFirmenArray::Find(const std::wstring& id) const
{
    for (const auto& record : records_)
        if (record->id == id) return record.get();
    return nullptr;
}

int CFirmenArray::Refresh()
{
    if (adminFile.empty() && !LocateAdminFile(false)) return 10000;

    ReadBasePath();
    ReadCountryAndLanguage();
    defaultPath = ReadProfileText(adminFile, L"basepath", L"defpath", MAX_PATH);
    if (defaultPath.empty() && !adminFolder.empty()) {
        defaultPath = adminFolder;
        if (!WriteProfileText(adminFile, L"basepath", L"defpath", defaultPath)) return -1;
    }

    Load(adminFile, dataBasePath, std::wstring());
    if (!localCatalogueExists) return 0;

    CFirmenArray catalogue;
    catalogue.Load(localCatalogue, std::wstring(), countryCode);
    for (std::size_t i = 0; i < catalogue.GetSize(); ++i) {
        CFirma& offered = *catalogue[i];
        CFirma* known = Find(offered.id);
        if (known) {
            if (CompareVersions(offered.version, known->version) <= 0) continue;
            // A newer catalogue record; what the user has installed stays: where
            // it is installed and what the product learnt online.
            offered.status = known->status;
            offered.localpath = known->localpath;
            if (known->status & kStatusInstalled) offered.dirname = known->dirname;
            if (known->status & kStatusHasOnlineVersion) offered.versiononline = known->versiononline;
            offered.basepath = known->basepath;
            if (!offered.Write(adminFile)) return -1;
            known->CopyFrom(offered);
        } else {
            auto added = std::make_unique<CFirma>(offered);
            added->status = (added->status & ~(kStatusInstalled | kStatus10)) | kStatus40 | kStatus08;
            added->localpath.clear();
            if (!added->Write(adminFile)) return -1;
            records_.push_back(std::move(added));
        }
    }
    return 0;
}

bool CFirmenArray::Save()
{
    if (adminFile.empty() || !ProfileFileWritable(adminFile)) return false;
    if (!WriteProfileText(adminFile, L"basepath", L"path", dataBasePath)) return false;
    for (const auto& record : records_) {
        if (!(record->status & kStatusChanged)) continue;
        record->status &= ~kStatusChanged;
        if (!record->Write(adminFile)) {
            record->status |= kStatusChanged;  // still to be written
            return false;
        }
    }
    return true;
}
