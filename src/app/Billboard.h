// The billboard slideshow: pictures listed in section "Billboard" of the setup
// script, each with its own display time, read into memory once.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <string>
#include <vector>

// Where the pieces of a packed device-independent bitmap lie, once checked.
struct DibLayout {
    const BITMAPINFO* info = nullptr;  // header: 12-byte core, 40-byte info, or its 108/124-byte successors
    const void* bits = nullptr;        // pixel data
    int width = 0;
    int height = 0;                    // rows, always positive
};

// Checks a packed bitmap (header, colour table, pixels; no file header) of size
// bytes: header size 12, 40, 108 or 124, sane dimensions and bit count, colour
// masks of 16 and 32 bits (behind a 40-byte header, inside the larger ones) each
// one run of bits and apart, colour table and pixel data (and a 124-byte header's
// colour profile) inside the block. Run-length coded pixels (RLE8 with 8 bits, RLE4
// with 4 bits, bottom-up) count with their stated size, which must not be 0.
// False for anything that would be read out of bounds.
bool DibLayoutOf(const void* data, size_t size, DibLayout& layout);

// Stretches a packed bitmap of size bytes over target, as the backdrop shows it.
// False, and nothing drawn, when DibLayoutOf refuses the block.
bool PaintDib(HDC dc, const void* dib, size_t size, const RECT& target);

// Reads a bitmap file into movable memory without its 14-byte file header. The
// result is empty when the file is not a consistent bitmap; false when it cannot be opened.
bool ReadPictureFile(const std::wstring& path, fw::ScopedGlobal& picture);

class Billboard {
public:
    static constexpr int kDefaultDuration = 1000;
    static constexpr int kTickMs = 1000;

    // Reads the entries of section "Billboard" of scriptPath; pictureFolder ends
    // with a backslash. Entries whose file cannot be opened are skipped.
    void Load(const std::wstring& pictureFolder, const std::wstring& scriptPath);

    size_t Count() const { return pictures_.size(); }
    int Current() const { return current_; }
    int Elapsed() const { return elapsed_; }
    int Duration(size_t index) const { return durations_[index]; }
    bool HasPicture(size_t index) const { return pictures_[index].Valid(); }
    // The picture on show; null for none or an empty entry. Not owned by the caller.
    HGLOBAL Shown() const;

    // One timer tick; true when another picture is due (the window repaints).
    bool Tick();

private:
    std::vector<fw::ScopedGlobal> pictures_;
    std::vector<int> durations_;
    int current_ = -1;  // -1: no slideshow
    int elapsed_ = 0;
};
