#include "catalogue/FirmenArray.h"

std::unique_ptr<CFirma> CFirmenArray::RemoveAt(std::size_t index)
{
    std::unique_ptr<CFirma> record = std::move(records_[index]);
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
    return record;
}

void CFirmenArray::Load(const std::wstring&, const std::wstring&, const std::wstring&) { records_.clear(); }
void CFirmenArray::LoadCatalogue(const std::wstring&, int) { records_.clear(); }
CFirma* CFirmenArray::Find(const std::wstring& id) const
{
    for (const auto& record : records_)
        if (record->id == id) return record.get();
    return nullptr;
}
int CFirmenArray::Refresh() { return 10000; }
bool CFirmenArray::Save() { return false; }
bool CFirmenArray::LocateAdminFile(bool) { return false; }
bool CFirmenArray::SetAdminFile(const std::wstring& path) { adminFile = path; return true; }
bool CFirmenArray::ReadBasePath() { return false; }
bool CFirmenArray::SetBasePath(const std::wstring& folder) { dataBasePath = folder; return false; }
bool CFirmenArray::ReadCountryAndLanguage() { return false; }
