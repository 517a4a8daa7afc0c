// The check-list boxes at the size the list is shown at. The language library
// (or the program) gives the boxes of 11 pixels and larger variants drawn for
// 100, 125, 150 and 200 %; a size with a variant of its own takes it, any other
// is scaled from the nearest larger one with an averaging filter, so no box is
// left small at a high scale nor blurred where a drawn one exists.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// Pixels (0x00RRGGBB, rows top to bottom) of width x height resampled to
// toWidth x toHeight: each new pixel is the average of the old area it covers.
std::vector<std::uint32_t> ResampleByArea(const std::vector<std::uint32_t>& pixels, int width, int height,
                                          int toWidth, int toHeight);

enum class BoxState { kChecked, kUnchecked, kCheckedGrey };

class CheckBoxPictures {
public:
    // The pixel sizes of the variants, and how far each one's resource id lies
    // from the base box's (resource.h): variant k is id + k * kVariantIdStep.
    static constexpr int kVariantSizes[] = {13, 16, 20, 26};
    static constexpr int kVariantIdStep = 1000;

    // Loads the variants of resources (null: the program) that it has; a box
    // without variants there is taken from the program.
    explicit CheckBoxPictures(HINSTANCE resources);

    // Makes the three boxes size x size pixels (when they are not already).
    void Prepare(const std::vector<HBITMAP>& baseBoxes, int size);
    HBITMAP Box(BoxState state) const { return drawn_[static_cast<int>(state)].Get(); }
    int Size() const { return size_; }

private:
    std::vector<fw::ScopedBitmap> variants_[3];  // per state, in the order of kVariantSizes; may be empty
    fw::ScopedBitmap drawn_[3];
    int size_ = 0;
};
