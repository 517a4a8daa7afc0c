#include "catalogue/FirmenArray.h"

#include "platform/PathUtil.h"
#include "platform/Profile.h"

#include <cwchar>
#include <unordered_map>

void CFirmenArray::Load(const std::wstring& file, const std::wstring& basePath, const std::wstring& code)
{
    if (AdminDocument::SamePath(file, adminFile)) {
        Load(Admin(), basePath, code);
        return;
    }
    // A missing or unreadable file reads as an empty catalogue.
    ProfileDocument document;
    document.Load(file);
    Load(document, basePath, code);
}

void CFirmenArray::Load(const ProfileDocument& file, const std::wstring& basePath, const std::wstring& code)
{
    records_.clear();
    for (const std::wstring& key : file.Keys(kManufacturersSection)) {
        auto record = std::make_unique<CFirma>();
        // Only the first three characters of an entry name the package.
        record->id = file.Get(kManufacturersSection, key, std::wstring(), kIdLength + 1);
        if (!record->Read(file, code)) continue;
        if (!basePath.empty()) record->basepath = basePath;
        records_.push_back(std::move(record));
    }
}

void CFirmenArray::LoadCatalogue(const std::wstring& folder, int country, std::vector<LeftOutPackage>* leftOut)
{
    wchar_t code[16];
    std::swprintf(code, 16, L"%02d", country);
    ProfileDocument file;
    file.Load(JoinPath(folder, kCatalogueFileName));
    Load(file, std::wstring(), code);
    if (leftOut) {
        leftOut->clear();
        // The packages of the list that the country leaves out (Load dropped them).
        for (const std::wstring& key : file.Keys(kManufacturersSection)) {
            const std::wstring id = file.Get(kManufacturersSection, key, std::wstring(), kIdLength + 1);
            if (id.empty() || file.Keys(id).empty() ||
                !CountryListExcludes(file.Get(id, L"dbname", std::wstring(), kValueBufferChars), code))
                continue;
            leftOut->push_back({LeftOutPackage::Why::Country, id,
                                file.Get(id, L"name", std::wstring(), kValueBufferChars),
                                file.Get(id, L"dirname", std::wstring(), kValueBufferChars)});
        }
    }
    // An offered package is copied into, and cleaned in, a folder of its own
    // below the installation: a dirname that is not one plain name would put it
    // into the base folder itself or outside it.
    std::vector<std::unique_ptr<CFirma>> offered;
    for (std::unique_ptr<CFirma>& record : records_) {
        if (IsPlainFolderName(record->dirname))
            offered.push_back(std::move(record));
        else if (leftOut)
            leftOut->push_back({LeftOutPackage::Why::FolderName, record->id, record->name, record->dirname});
    }
    records_ = std::move(offered);
}

CFirma* CFirmenArray::Find(const std::wstring& id) const
{
    for (const auto& record : records_)
        if (record->id == id) return record.get();
    return nullptr;
}

CFirmenArray::Merge CFirmenArray::Refresh()
{
    if (adminFile.empty() && !LocateAdminFile(false)) return {Merge::Result::NoAdminFile, 0};

    ReadBasePath();
    ReadCountryAndLanguage();
    ProfileDocument& admin = Admin();
    defaultPath = admin.Get(L"basepath", L"defpath", std::wstring(), MAX_PATH);
    bool ok = true;
    if (defaultPath.empty() && !adminFolder.empty()) {
        defaultPath = adminFolder;
        ok = admin.Set(L"basepath", L"defpath", defaultPath);
    }

    Load(admin, dataBasePath, std::wstring());
    if (ok && localCatalogueExists) {
        CFirmenArray catalogue;
        catalogue.Load(localCatalogue, std::wstring(), countryCode);

        // Find for every catalogue record, without a search through the list each time.
        std::unordered_map<std::wstring, CFirma*> knownById;
        knownById.reserve(records_.size() + catalogue.GetSize());
        for (const auto& record : records_) knownById.emplace(record->id, record.get());

        // A new package's record is taken from the catalogue, not copied: a
        // catalogue of thousands of packages is held once.
        std::vector<std::unique_ptr<CFirma>> offeredRecords = catalogue.TakeAll();
        for (std::size_t i = 0; ok && i < offeredRecords.size(); ++i) {
            CFirma& offered = *offeredRecords[i];
            // Never offered, so never merged: its folder name would lead elsewhere.
            if (!IsPlainFolderName(offered.dirname)) continue;
            // Never installed here, so never merged: the file would name another folder.
            if (!ProfileWritesExactly(offered.dirname, admin.Encoding())) continue;
            const auto found = knownById.find(offered.id);
            if (found != knownById.end()) {
                CFirma* known = found->second;
                if (CompareVersions(offered.version, known->version) <= 0) continue;
                // A newer catalogue record; what the user has installed stays: where
                // it is installed and what the product learnt online.
                offered.status = known->status;
                offered.localpath = known->localpath;
                if (known->status & kStatusInstalled) offered.dirname = known->dirname;
                if (known->status & kStatusHasOnlineVersion) offered.versiononline = known->versiononline;
                offered.basepath = known->basepath;
                ok = offered.Write(admin);
                known->CopyFrom(offered);
            } else {
                std::unique_ptr<CFirma> added = std::move(offeredRecords[i]);
                added->status = (added->status & ~(kStatusInstalled | kStatus10)) | kStatus40 | kStatus08;
                added->localpath.clear();
                ok = added->Write(admin);
                knownById.emplace(added->id, added.get());
                records_.push_back(std::move(added));
            }
        }
    }
    // One write for the whole merge: a stopped run leaves the old file or the new one.
    // A value the file would not read back is refused without a Win32 error.
    if (!ok) {
        admin_.Discard();
        return {Merge::Result::NotWritten, ERROR_INVALID_DATA};
    }
    if (const Win32Result committed = admin_.Commit(); !committed) return {Merge::Result::NotWritten, committed.error};
    return {};
}

Win32Result CFirmenArray::Save()
{
    if (adminFile.empty()) return Win32Result::Failed(ERROR_FILE_NOT_FOUND);
    if (const DWORD error = ProfileWriteError(adminFile)) return Win32Result::Failed(error);
    ProfileDocument& admin = Admin();
    bool ok = admin.Set(L"basepath", L"path", dataBasePath);
    std::vector<CFirma*> written;
    for (const auto& record : records_) {
        if (!ok) break;
        if (!(record->status & kStatusChanged)) continue;
        record->status &= ~kStatusChanged;
        written.push_back(record.get());
        ok = record->Write(admin);
    }
    // A value the file would not read back is refused without a Win32 error.
    const Win32Result result = ok ? admin_.Commit() : Win32Result::Failed(ERROR_INVALID_DATA);
    if (!result) {
        admin_.Discard();
        for (CFirma* record : written) record->status |= kStatusChanged;  // still to be written
    }
    return result;
}
