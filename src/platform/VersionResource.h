// Checks of a version resource's bytes before the version library is let near
// them. The library copies and walks what a file's headers claim without
// asking whether the file holds it: a resource that claims more than the file
// has faults inside the library. Both checks are pure functions of a buffer
// and its size, computed in 64 bits.
#pragma once

#include <cstdint>

enum class ImageVersion {
    NotImage,   // no PE image ("MZ" without "PE\0\0", NE files): left to the library's own reads
    NoVersion,  // a sound PE image without a version resource
    Valid,      // every version resource lies inside the file, its lengths agree
    Malformed,  // headers, sections, resource directory or a version block disagree with the file
};

// What the bytes of a whole file (PE32 or PE32+) say about its version
// resources: every one of them (any name, any language; the library may pick
// any) must lie inside the file with a sound version block.
ImageVersion CheckImageVersion(const void* file, uint64_t size);

// The block GetFileVersionInfoW filled (size: the buffer's size) can be given
// to VerQueryValueW: its length within the buffer, its key ("VS_VERSION_INFO",
// wide, or narrow as 16-bit files have it) ended inside it, the fixed record
// inside it with its signature.
bool VersionBlockSound(const void* block, uint64_t size);

// The most GetFileVersionInfoSizeW may answer for a file of fileSize bytes:
// the library asks for room for the resource and its converted copy, never
// more than a few times the file.
uint64_t VersionInfoSizeCap(uint64_t fileSize);
