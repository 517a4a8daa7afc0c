// The billboard slideshow: pictures listed in section "Billboard" of the setup
// script, each with its own display time. Only the picture on show is held, at
// the size the backdrop draws it.
#pragma once

#include "app/BillboardPicture.h"
#include "app/DibLayout.h"
#include "framework/Handles.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// The pictures' folder beside the program.
inline constexpr wchar_t kBillboardFolder[] = L"billboard\\";

class Billboard {
public:
    static constexpr int kDefaultDuration = 1000;
    static constexpr int kTickMs = 1000;

    // Reads the entries of section "Billboard" of scriptPath; pictureFolder ends
    // with a backslash. Entries whose file cannot be opened are skipped; one that
    // is not a consistent bitmap stays as an empty picture. The first picture is
    // read at drawn's size.
    void Load(const std::wstring& pictureFolder, const std::wstring& scriptPath, SIZE drawn);

    // The entries of section "Billboard" of scriptPath as Load finds them: each
    // picture's path and how its file was found. Empty when the script cannot be read.
    static std::vector<std::pair<std::wstring, PictureCheck>> Entries(const std::wstring& pictureFolder,
                                                                      const std::wstring& scriptPath);

    size_t Count() const { return entries_.size(); }
    int Current() const { return current_; }
    int Elapsed() const { return elapsed_; }
    int Duration(size_t index) const { return entries_[index].duration; }
    bool HasPicture(size_t index) const { return entries_[index].usable; }
    // The picture on show as a packed bitmap of the drawn size; null for none or
    // an empty entry. Not owned by the caller; valid until the next Tick.
    HGLOBAL Shown() const { return shown_.Get(); }

    // One timer tick; true when another picture is due (the window repaints).
    bool Tick();

private:
    struct Entry {
        std::wstring path;
        int duration = kDefaultDuration;
        bool usable = false;
    };
    void Show(int index);

    std::vector<Entry> entries_;
    SIZE drawn_{};
    fw::ScopedGlobal shown_;
    int current_ = -1;  // -1: no slideshow
    int elapsed_ = 0;
};
