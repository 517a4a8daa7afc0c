// The package list with its administration context: which administration file,
// which data base path, which country.
#pragma once

#include "catalogue/AdminDocument.h"
#include "catalogue/Firma.h"
#include "platform/Win32Error.h"

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

inline constexpr wchar_t kAdminFileName[] = L"orvekAdmin.ini";
// The administration file of the installation in installDir: "obj\orvekAdmin.ini" there.
std::wstring AdminFileIn(const std::wstring& installDir);
inline constexpr wchar_t kCatalogueFileName[] = L"ovkdata.inf";

// A package of a catalogue that is not offered, and why.
struct LeftOutPackage {
    enum class Why {
        Country,     // its country list leaves this country out
        FolderName,  // its dirname is not one plain folder name
    };
    Why why = Why::Country;
    std::wstring id;
    std::wstring name;
    std::wstring dirname;
};

class CFirmenArray {
public:
    CFirmenArray() = default;
    CFirmenArray(const CFirmenArray&) = delete;
    CFirmenArray& operator=(const CFirmenArray&) = delete;

    // --- The list (owns its records) ---
    std::size_t GetSize() const { return records_.size(); }
    CFirma* GetAt(std::size_t index) const { return records_[index].get(); }
    CFirma* operator[](std::size_t index) const { return records_[index].get(); }
    void Add(std::unique_ptr<CFirma> record) { records_.push_back(std::move(record)); }
    // Hands every record over in list order; the list is empty afterwards.
    std::vector<std::unique_ptr<CFirma>> TakeAll() { return std::exchange(records_, {}); }
    void RemoveAll() { records_.clear(); }

    // Replaces the contents with the records of file. basePath (when not empty)
    // becomes each record's basepath; countryCode empty means none. The
    // administration file is read from its document in memory.
    void Load(const std::wstring& file, const std::wstring& basePath, const std::wstring& countryCode);
    void Load(const ProfileDocument& file, const std::wstring& basePath, const std::wstring& countryCode);
    // Load of folder\ovkdata.inf, no base path, country formatted "%02d"; a
    // package whose dirname is not one plain folder name is not offered.
    // leftOut (when given) receives, in catalogue order, the packages that
    // are there but not offered: for the country or for their folder name.
    void LoadCatalogue(const std::wstring& folder, int country, std::vector<LeftOutPackage>* leftOut = nullptr);
    // First record whose id equals id exactly; null when none.
    CFirma* Find(const std::wstring& id) const;
    // What Refresh did.
    struct Merge {
        enum class Result {
            Merged,
            NoAdminFile,  // none is found
            NotWritten,   // it could not be written (error); it holds what it held before
        };
        Result result = Result::Merged;
        unsigned long error = 0;
    };
    // Merges the local catalogue into the known records of the administration
    // file, and writes the file once. A catalogue package whose dirname is not
    // one plain folder name is left out.
    Merge Refresh();
    // Writes the data base path and every changed record, in one write of the
    // file. Failed when the file could not be written: it is then as it was, and
    // every changed record is still marked as changed.
    Win32Result Save();

    // --- The administration context ---
    // Finds the administration file through win.ini section ORVEK, else beside
    // the setup program; create makes a new one ("[basepath]") when none exists.
    // True only when an existing file was found.
    bool LocateAdminFile(bool create);
    bool SetAdminFile(const std::wstring& path);
    bool ReadBasePath();
    // Failed when the file could not be written.
    Win32Result SetBasePath(const std::wstring& folder);
    bool ReadCountryAndLanguage();

    std::wstring adminFolder;
    std::wstring defaultPath;
    std::wstring dataBasePath;
    std::wstring countryCode;
    std::wstring surfaceLanguage;
    std::wstring adminFile;
    bool localCatalogueExists = false;
    std::wstring localCatalogue;

    // The setup program's folder used by LocateAdminFile; empty means the running
    // program's folder (tests set it).
    std::wstring programFolder;
private:
    // The administration file as it stands, or as the running operation changes it.
    ProfileDocument& Admin() { return admin_.For(adminFile); }

    std::vector<std::unique_ptr<CFirma>> records_;
    AdminDocument admin_;
};
