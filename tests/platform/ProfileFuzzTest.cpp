// Mutated profile files, made from a fixed seed: the document's parser reads
// each from a buffer that ends right before an inaccessible page, reads still
// agree with the platform's profile functions, and a save writes the lines the
// platform writes and keeps the others.
#include "platform/ProfileDocument.h"
#include "platform/ProfileReads.h"
#include "support/PlatformProfile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Rng {
    unsigned state;
    unsigned Below(std::size_t n)
    {
        state = state * 1664525u + 1013904223u;
        return n ? static_cast<unsigned>((state >> 8) % n) : 0;
    }
};

// The bytes placed so that the first byte after them is on a PAGE_NOACCESS page.
struct GuardedBytes {
    explicit GuardedBytes(const std::string& bytes)
    {
        const std::size_t page = 4096, pages = (bytes.size() + page - 1) / page;
        base = static_cast<char*>(::VirtualAlloc(nullptr, (pages + 1) * page, MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        guarded = base && ::VirtualProtect(base + pages * page, page, PAGE_NOACCESS, &old);
        data = base + pages * page - bytes.size();
        if (guarded) std::memcpy(data, bytes.data(), bytes.size());
    }
    ~GuardedBytes() { ::VirtualFree(base, 0, MEM_RELEASE); }
    char* base = nullptr;
    char* data = nullptr;
    bool guarded = false;
};

std::string Mutate(std::string bytes, Rng& rng)
{
    static const std::string kMarks[] = {"\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF", "\xEF\xBB", "\xFF",
                                         std::string("\xFF\xFE\0\0", 4), std::string("\0\0\xFE\xFF", 4)};
    static const char* const kLongLines[] = {"long=", "[", ""};
    for (unsigned steps = 1 + rng.Below(3); steps > 0; --steps) {
        const std::size_t at = rng.Below(bytes.size() + 1);
        const std::size_t lineStart = at == 0 ? 0 : bytes.find_last_of('\n', at - 1) + 1;
        const std::size_t lineEnd = std::min(bytes.find('\n', at), bytes.size());
        const unsigned kind = rng.Below(3);
        switch (rng.Below(8)) {
        case 0:  // random bytes
            for (unsigned n = 1 + rng.Below(8); n > 0 && !bytes.empty(); --n)
                bytes[rng.Below(bytes.size())] = static_cast<char>(rng.Below(256));
            break;
        case 1:
            for (unsigned n = 1 + rng.Below(16); n > 0; --n) bytes.insert(at, 1, static_cast<char>(rng.Below(256)));
            break;
        case 2:  // a line cut off, or the file
            bytes.erase(at, kind ? lineEnd - at : std::string::npos);
            break;
        case 3:
            bytes.insert(at, 1 + kind, '\0');
            break;
        case 4:
            bytes.insert(lineStart, kLongLines[kind] + std::string(100000, 'x') + (kind == 1 ? "]\r\n" : "\r\n"));
            break;
        case 5:
            bytes.insert(kind ? at : 0, kMarks[rng.Below(7)]);
            break;
        case 6:  // line ends of another kind
            if (lineEnd < bytes.size()) bytes.replace(lineEnd, 1, kind ? "\r" : "\n\n\r");
            break;
        default:
            bytes.insert(lineStart, bytes.substr(lineStart, lineEnd - lineStart) + "\n");
            break;
        }
    }
    return bytes;
}

// Old files stay in the platform's cache between reads instead of being parsed again.
void Age(const std::wstring& file)
{
    HANDLE handle = ::CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const FILETIME old{0, 0x01D00000};
    ::SetFileTime(handle, nullptr, nullptr, &old);
    ::CloseHandle(handle);
}

TEST(ProfileFuzz, MutatedFilesReadAndWriteAsThePlatform)
{
    const std::string admin =
        "[basepath]\r\npath=C:\\Orvek\\Daten\r\n[Land]\r\nCountry=49\r\n; Pakete\r\n[manufacturers]\r\nA01=A01\r\n"
        "B02=B02x\r\n[A01]\r\nname=M\xFCller Leuchten\r\ndbname00=\"db A\"\r\nstatus=0x8002\r\n"
        "[B02]\r\n  name = 'Stra\xDF" "e' \r\nstatus= 2\r\nnoeq line\r\n[b02]\r\nname=dup\r\n";
    std::wstring wide;
    DecodeProfileText(admin.data(), admin.size(), wide);
    const std::string seeds[] = {admin, EncodeProfileText(wide, ProfileEncoding::Utf16Le),
                                 EncodeProfileText(wide, ProfileEncoding::Utf8)};
    static const wchar_t* const kValues[] = {L"1", L"C:\\Daten\\Neu", L"  Stra\u00DFe  ", L"\"q\"", L"", L"\u20AC x\t"};
    const std::vector<std::wstring> names{L"", L"noeq line"};
    const std::vector<DWORD> buffers{512};  // short buffers and numbers: the table's business
    Rng rng{20240607u};
    TempDir dir;
    int compared = 0;
    for (int i = 0; i < 2000 && !HasFailure(); ++i) {
        SCOPED_TRACE(i);
        const std::string bytes = Mutate(seeds[i % 3], rng);
        GuardedBytes guarded(bytes);
        ASSERT_TRUE(guarded.guarded);
        ASSERT_TRUE(i > 0 || ::IsBadReadPtr(guarded.data + bytes.size(), 1));  // the guard works
        ProfileDocument doc;
        ASSERT_TRUE(doc.Parse(guarded.data, bytes.size()));
        // What the platform reads one byte past an odd-length UTF-16 file varies from run to run.
        if (bytes.size() % 2 && (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0)) continue;

        const std::wstring platformFile = dir / L"platform.ini", documentFile = dir / L"document.ini";
        ForgetProfile(platformFile);
        ASSERT_TRUE(WriteBytes(platformFile, bytes) && WriteBytes(documentFile, bytes));
        Age(platformFile);
        EXPECT_EQ(Transcript(&doc, L"", doc, bytes, names, buffers, false),
                  Transcript(nullptr, platformFile, doc, bytes, names, buffers, false));

        // A changed key, a new key and a new section, through both.
        std::vector<std::wstring> sections = SectionNames(bytes);
        const std::wstring section = sections.empty() ? L"basepath" : sections[rng.Below(sections.size())];
        std::vector<std::wstring> keys = doc.Keys(section);
        ProfileDocument onDisk;
        ASSERT_TRUE(onDisk.Load(documentFile));
        for (const auto& [s, k] : {std::pair{section, keys.empty() ? L"path" : keys[rng.Below(keys.size())]},
                                   std::pair{section, L"neu" + std::to_wstring(i)},
                                   std::pair{L"Paket" + std::to_wstring(i), std::wstring(L"status")}}) {
            const wchar_t* value = kValues[rng.Below(6)];
            EXPECT_TRUE(onDisk.Set(s, k, value));
            EXPECT_TRUE(WriteProfileText(platformFile, s, k, value));
            ForgetProfile(platformFile);
        }
        ASSERT_TRUE(onDisk.Save());
        const LineChanges changed = ChangedLines(bytes, ReadBytes(documentFile));
        EXPECT_EQ(NotWrittenByPlatform(changed.written, ReadBytes(platformFile)), L"");
        EXPECT_LE(changed.removed, 3u);
        // The file written reads as the document did, and as the platform's
        // file unless the platform's write lost something (a sample: the
        // platform is slow).
        const bool differs = PlatformWriteChangesMeaning(bytes);
        if (differs || i % 4 == 0) {
            ForgetProfile(documentFile);
            Age(documentFile);
            const std::string saved = ReadBytes(documentFile);
            const std::wstring reads = Transcript(nullptr, documentFile, onDisk, saved, names, buffers, false);
            EXPECT_EQ(Transcript(&onDisk, L"", onDisk, saved, names, buffers, false), reads);
            if (!differs) {
                EXPECT_EQ(reads, Transcript(nullptr, platformFile, onDisk, saved, names, buffers, false));
            }
        }
        ++compared;
    }
    EXPECT_GT(compared, 1500);
}

}  // namespace
