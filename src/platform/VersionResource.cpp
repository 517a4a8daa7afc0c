#include "platform/VersionResource.h"

#include <cstring>

namespace {

uint32_t Read32(const uint8_t* p) { uint32_t v; std::memcpy(&v, p, 4); return v; }
uint16_t Read16(const uint8_t* p) { uint16_t v; std::memcpy(&v, p, 2); return v; }

constexpr uint64_t kDosHeader = 64, kNewHeaderAt = 0x3C;
constexpr uint64_t kFileHeader = 20, kSection = 40, kDirectory = 16, kEntry = 8, kDataEntry = 16;
constexpr uint16_t kPe32 = 0x10B, kPe32Plus = 0x20B;
constexpr uint32_t kResourceDirectory = 2, kRtVersion = 16;
constexpr uint32_t kHighBit = 0x80000000u;
constexpr uint64_t kFixedInfo = 52;  // sizeof(VS_FIXEDFILEINFO)
constexpr uint32_t kFixedSignature = 0xFEEF04BD;
// Far above the few entries a real file has (one name, a language or two); a
// directory that points back at itself repeatedly cannot make the check slow.
constexpr uint64_t kMaxVersionEntries = 4096;
// The version library's buffer: the resource (its length is 16 bits) and the
// converted copy it appends. Slack for a compressed file, a cap for all.
constexpr uint64_t kInfoSlack = 64 * 1024, kMaxInfoSize = 4 * 1024 * 1024;

constexpr char kKey[] = "VS_VERSION_INFO";  // with its terminator: 16 characters

uint64_t Align4(uint64_t n) { return (n + 3) & ~uint64_t{3}; }

// The PE image as the library reads a file mapped as data: sections by their
// raw data, addresses through the first section that holds them. An address
// inside the headers is read there as a file offset instead: no linker puts
// resources there, so such an address is refused.
struct Image {
    const uint8_t* bytes;
    uint64_t size;
    uint64_t headers;
    uint64_t sectionTable;
    uint32_t sections;

    // The file offset of rva, when [rva, rva + length) lies in one section's raw
    // data and inside the file; also the end of that section's data in the file.
    bool Map(uint64_t rva, uint64_t length, uint64_t& offset, uint64_t& sectionEnd) const
    {
        if (rva < headers) return false;
        for (uint32_t i = 0; i < sections; ++i) {
            const uint8_t* s = bytes + sectionTable + i * kSection;
            const uint64_t virtualSize = Read32(s + 8), address = Read32(s + 12), raw = Read32(s + 16),
                           at = Read32(s + 20);
            if (rva < address || rva >= address + raw) continue;
            // Inside the section as the file holds it and as an image loader maps it.
            const uint64_t extent = virtualSize && virtualSize < raw ? virtualSize : raw;
            sectionEnd = at + extent < size ? at + extent : size;
            offset = at + (rva - address);
            return offset + length <= sectionEnd;
        }
        return false;
    }
};

bool KeyIs(const uint8_t* key, bool narrow)
{
    for (uint64_t i = 0; i < sizeof kKey; ++i) {
        const unsigned c = narrow ? key[i] : Read16(key + 2 * i);
        if (c != static_cast<unsigned char>(kKey[i])) return false;
    }
    return true;
}

// The resource tree below the root: every RT_VERSION entry, every name and
// every language under it, to a data entry whose block is sound. Fixed depth,
// so a directory entry that leads back up is just a wrong kind of entry.
class ResourceTree {
public:
    ResourceTree(const Image& image, uint64_t root, uint64_t end) : image_(image), root_(root), end_(end) {}

    ImageVersion Check()
    {
        uint64_t count = 0;
        if (!Directory(0, count)) return ImageVersion::Malformed;
        bool found = false;
        for (uint64_t i = 0; i < count; ++i) {
            const uint8_t* entry = Entry(0, i);
            if (Read32(entry) != kRtVersion) continue;  // a named type has the high bit set
            found = true;
            if (!Names(Read32(entry + 4))) return ImageVersion::Malformed;
        }
        return found ? ImageVersion::Valid : ImageVersion::NoVersion;
    }

private:
    // A directory at rel from the root, its entries inside the section.
    bool Directory(uint64_t rel, uint64_t& count) const
    {
        const uint64_t at = root_ + rel;
        if (at + kDirectory > end_) return false;
        count = uint64_t{Read16(image_.bytes + at + 12)} + Read16(image_.bytes + at + 14);
        return at + kDirectory + count * kEntry <= end_;
    }
    const uint8_t* Entry(uint64_t rel, uint64_t i) const
    {
        return image_.bytes + root_ + rel + kDirectory + i * kEntry;
    }
    bool Counted(uint64_t count)
    {
        visited_ += count;
        return visited_ <= kMaxVersionEntries;
    }

    bool Names(uint32_t target)
    {
        uint64_t count = 0;
        if (!(target & kHighBit) || !Directory(target & ~kHighBit, count) || !Counted(count)) return false;
        for (uint64_t i = 0; i < count; ++i)
            if (!Languages(Read32(Entry(target & ~kHighBit, i) + 4))) return false;
        return true;
    }

    bool Languages(uint32_t target)
    {
        uint64_t count = 0;
        if (!(target & kHighBit) || !Directory(target & ~kHighBit, count) || !Counted(count)) return false;
        for (uint64_t i = 0; i < count; ++i) {
            const uint32_t data = Read32(Entry(target & ~kHighBit, i) + 4);
            if ((data & kHighBit) || !Data(data)) return false;
        }
        return true;
    }

    bool Data(uint32_t rel) const
    {
        const uint64_t at = root_ + rel;
        if (at + kDataEntry > end_) return false;
        uint64_t offset = 0, sectionEnd = 0;
        const uint64_t length = Read32(image_.bytes + at + 4);
        return image_.Map(Read32(image_.bytes + at), length, offset, sectionEnd) &&
               VersionBlockSound(image_.bytes + offset, length);
    }

    const Image& image_;
    uint64_t root_, end_;
    uint64_t visited_ = 0;
};

}  // namespace

ImageVersion CheckImageVersion(const void* file, uint64_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(file);
    if (!bytes || size < kDosHeader || bytes[0] != 'M' || bytes[1] != 'Z') return ImageVersion::NotImage;
    const uint64_t pe = Read32(bytes + kNewHeaderAt);
    if (pe + 4 > size || std::memcmp(bytes + pe, "PE\0\0", 4) != 0) return ImageVersion::NotImage;

    const uint64_t header = pe + 4, optional = header + kFileHeader;
    if (optional > size) return ImageVersion::Malformed;
    const uint32_t sections = Read16(bytes + header + 2);
    const uint64_t optionalSize = Read16(bytes + header + 16);
    if (optional + optionalSize > size || optionalSize < 2) return ImageVersion::Malformed;
    const uint16_t magic = Read16(bytes + optional);
    if (magic != kPe32 && magic != kPe32Plus) return ImageVersion::Malformed;
    const uint64_t countAt = magic == kPe32 ? 92 : 108, directoriesAt = countAt + 4;
    if (countAt + 4 > optionalSize) return ImageVersion::Malformed;
    if (Read32(bytes + optional + countAt) <= kResourceDirectory) return ImageVersion::NoVersion;
    const uint64_t resourceAt = directoriesAt + kResourceDirectory * 8;
    if (resourceAt + 8 > optionalSize) return ImageVersion::Malformed;
    constexpr uint64_t kHeadersSizeAt = 60;  // SizeOfHeaders, the same place in both kinds
    const Image image{bytes, size, Read32(bytes + optional + kHeadersSizeAt), optional + optionalSize, sections};
    if (image.sectionTable + sections * kSection > size) return ImageVersion::Malformed;
    // The headers cover the section table, and the sections follow them in rising
    // order, as every linker writes them: the version library leaves the file open
    // behind it on a section placed over the headers.
    if (image.headers < image.sectionTable + sections * kSection) return ImageVersion::Malformed;
    for (uint32_t i = 0, last = 0; i < sections; ++i) {
        const uint32_t address = Read32(bytes + image.sectionTable + i * kSection + 12);
        if (address < image.headers || (i > 0 && address <= last)) return ImageVersion::Malformed;
        last = address;
    }

    const uint32_t rootRva = Read32(bytes + optional + resourceAt);
    if (rootRva == 0 || Read32(bytes + optional + resourceAt + 4) == 0) return ImageVersion::NoVersion;
    uint64_t root = 0, end = 0;
    if (!image.Map(rootRva, kDirectory, root, end)) return ImageVersion::Malformed;
    return ResourceTree(image, root, end).Check();
}

bool VersionBlockSound(const void* block, uint64_t size)
{
    const auto* p = static_cast<const uint8_t*>(block);
    if (!p || size < 6) return false;
    const uint64_t length = Read16(p), valueLength = Read16(p + 2);
    if (length > size) return false;
    // 16-bit files have no type word: their narrow key starts where the type would be,
    // which is how the library tells them apart.
    const bool narrow = p[4] >= ' ';
    const uint64_t keyAt = narrow ? 4 : 6;
    const uint64_t keyEnd = keyAt + sizeof kKey * (narrow ? 1 : 2);
    if (keyEnd > length || !KeyIs(p + keyAt, narrow)) return false;
    const uint64_t valueAt = Align4(keyEnd);
    if (valueLength < kFixedInfo || valueAt + valueLength > length) return false;
    return Read32(p + valueAt) == kFixedSignature;
}

uint64_t VersionInfoSizeCap(uint64_t fileSize)
{
    if (fileSize >= kMaxInfoSize) return kMaxInfoSize;
    const uint64_t cap = fileSize * 4 + kInfoSlack;
    return cap < kMaxInfoSize ? cap : kMaxInfoSize;
}
