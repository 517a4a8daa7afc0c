// A test library's bytes and the places of its version resource, found as a
// reader of the file would: the block by its key, the resource root by its one
// type entry (RT_VERSION, leading to the directory right behind the root), the
// data entry by the block's length, the language entry by the data entry.
#pragma once

#include "FilesFixture.h"

#include <cstdint>
#include <cstring>
#include <string>

struct CraftedDll {
    std::string bytes;
    size_t pe = 0, root = 0, entry = 0, language = 0, block = std::string::npos;

    explicit CraftedDll(const wchar_t* name = L"ver2001.dll") : bytes(ReadBytes(VersionDll(name)))
    {
        const std::u16string key = u"VS_VERSION_INFO";
        const size_t at = bytes.find(std::string(reinterpret_cast<const char*>(key.data()), key.size() * 2));
        root = bytes.find(std::string("\x10\0\0\0\x18\0\0\x80", 8));
        if (at == std::string::npos || root == std::string::npos) return;  // a library without version
        block = at - 6;
        root -= 16;
        pe = Get32(0x3C);
        for (entry = root; entry < block && Get32(entry + 4) != Get16(block); entry += 4) {}
        for (language = root; language < entry && Get32(language + 4) != entry - root; language += 4) {}
    }
    bool Found() const { return block < bytes.size() && root < block && entry < block && language < entry; }

    uint32_t Get32(size_t at) const { uint32_t v = 0; std::memcpy(&v, &bytes[at], 4); return v; }
    uint16_t Get16(size_t at) const { uint16_t v = 0; std::memcpy(&v, &bytes[at], 2); return v; }
    CraftedDll& Put32(size_t at, uint32_t v) { std::memcpy(&bytes[at], &v, 4); return *this; }
    CraftedDll& Put16(size_t at, uint16_t v) { std::memcpy(&bytes[at], &v, 2); return *this; }
    // The resource data directory of the optional header (PE32 or PE32+).
    size_t ResourceDirectory() const { return pe + 24 + (Get16(pe + 24) == 0x20B ? 112 : 96) + 16; }
};
