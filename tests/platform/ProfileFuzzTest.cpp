// Mutated profile files, made from a fixed seed: the document's parser reads
// each from a buffer that ends right before an inaccessible page, and reads and
// writes still agree with the platform's profile functions.
#include "platform/ProfileDocument.h"
#include "platform/ProfileReads.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr int kFiles = 2000;

struct Rng {
    unsigned state;
    unsigned Below(std::size_t n)
    {
        state = state * 1664525u + 1013904223u;
        return n ? static_cast<unsigned>((state >> 8) % n) : 0;
    }
};

// The bytes placed so that the first byte after them is on a PAGE_NOACCESS page.
class GuardedBytes {
public:
    explicit GuardedBytes(const std::string& bytes)
    {
        SYSTEM_INFO system;
        ::GetSystemInfo(&system);
        const std::size_t page = system.dwPageSize;
        const std::size_t pages = (bytes.size() + page - 1) / page;
        base_ = static_cast<char*>(::VirtualAlloc(nullptr, (pages + 1) * page, MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        guarded_ = base_ && ::VirtualProtect(base_ + pages * page, page, PAGE_NOACCESS, &old);
        data_ = base_ ? base_ + pages * page - bytes.size() : nullptr;
        if (data_) std::memcpy(data_, bytes.data(), bytes.size());
    }
    ~GuardedBytes() { ::VirtualFree(base_, 0, MEM_RELEASE); }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;
    const char* Data() const { return data_; }
    bool Guarded() const { return guarded_; }

private:
    char* base_ = nullptr;
    char* data_ = nullptr;
    bool guarded_ = false;
};

std::vector<std::string> Seeds()
{
    const std::string admin =
        "[basepath]\r\npath=C:\\Orvek\\Daten\r\ndefpath=C:\\Orvek\\\r\n[Land]\r\nCountry=49\r\n; Pakete\r\n"
        "[manufacturers]\r\nA01=A01\r\nB02=B02\r\nC03=C03x\r\n[A01]\r\nname=M\xFCller Leuchten\r\n"
        "dbname=CountryCodes: 41 49_ex 00\r\ndbname00=\"db A\"\r\nproducts=12\r\nstatus=0x8002\r\n"
        "[B02]\r\n  name = 'Stra\xDF" "e' \r\nstatus= 2\r\nnoeq line\r\n[b02]\r\nname=dup\r\n";
    std::string lf;
    for (char c : admin)
        if (c != '\r') lf += c;
    std::wstring wide(admin.size(), L'\0');
    wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(1252, 0, admin.data(), static_cast<int>(admin.size()),
                                                               wide.data(), static_cast<int>(wide.size()))));
    std::string utf16 = "\xFF\xFE";
    utf16.append(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    return {admin, lf, utf16, EncodeProfileText(wide, ProfileEncoding::Utf8)};
}

std::string Mutate(std::string bytes, Rng& rng)
{
    static const char* const kMarks[] = {"\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF", "\xEF\xBB", "\xFF",
                                         "\xFF\xFE\0\0", "\0\0\xFE\xFF", "\xEF\xBB\xBF\xFF\xFE"};
    static const std::size_t kMarkSizes[] = {2, 2, 3, 2, 1, 4, 4, 5};
    for (unsigned steps = 1 + rng.Below(3); steps > 0; --steps) {
        const std::size_t at = rng.Below(bytes.size() + 1);
        const std::size_t lineStart = at == 0 ? 0 : bytes.find_last_of('\n', at - 1) + 1;
        const std::size_t lineEnd = std::min(bytes.find('\n', at), bytes.size());
        switch (rng.Below(8)) {
        case 0:  // random bytes
            for (unsigned n = 1 + rng.Below(8); n > 0 && !bytes.empty(); --n)
                bytes[rng.Below(bytes.size())] = static_cast<char>(rng.Below(256));
            break;
        case 1:
            for (unsigned n = 1 + rng.Below(16); n > 0; --n) bytes.insert(at, 1, static_cast<char>(rng.Below(256)));
            break;
        case 2:  // a line cut off, or the file
            bytes.erase(at, rng.Below(2) ? lineEnd - at : std::string::npos);
            break;
        case 3:
            bytes.insert(at, 1 + rng.Below(3), '\0');
            break;
        case 4: {
            static const char* const kLong[] = {"long=", "[", ""};
            const unsigned kind = rng.Below(3);
            bytes.insert(lineStart, kLong[kind] + std::string(100000, 'x') + (kind == 1 ? "]\r\n" : "\r\n"));
            break;
        }
        case 5: {
            const unsigned mark = rng.Below(8);
            bytes.insert(rng.Below(2) ? 0 : at, kMarks[mark], kMarkSizes[mark]);
            break;
        }
        case 6:  // line ends of another kind
            if (lineEnd < bytes.size()) bytes.replace(lineEnd, 1, rng.Below(2) ? "\r" : "\n\n\r");
            break;
        default:
            bytes.insert(lineStart, bytes.substr(lineStart, lineEnd - lineStart) + "\n");
            break;
        }
    }
    return bytes;
}

// The platform reads one byte past the file for an odd-length UTF-16 file; what
// it finds there differs from run to run, so those files are not compared.
bool OddUtf16(const std::string& bytes)
{
    const bool mark = bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') ||
                                            (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
    return mark && bytes.size() % 2 == 1;
}

// Old files stay in the platform's cache between reads instead of being parsed again.
void Age(const std::wstring& file)
{
    HANDLE handle = ::CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    FILETIME old{0, 0x01D00000};
    ::SetFileTime(handle, nullptr, nullptr, &old);
    ::CloseHandle(handle);
}

struct Change {
    std::wstring section, key, value;
};

std::vector<Change> PickChanges(const ProfileDocument& doc, Rng& rng, int file)
{
    static const wchar_t* const kValues[] = {L"1", L"C:\\Daten\\Neu", L"  Stra\u00DFe  ", L"\"quoted\"", L"", L"\u20AC",
                                             L"x\t"};
    const std::wstring number = std::to_wstring(file);
    std::vector<Change> changes;
    const std::vector<std::wstring> sections = doc.Sections();
    if (!sections.empty()) {
        const std::wstring& section = sections[rng.Below(sections.size())];
        const std::vector<std::wstring> keys = doc.Keys(section);
        if (!keys.empty()) changes.push_back({section, keys[rng.Below(keys.size())], kValues[rng.Below(7)]});
        changes.push_back({section, L"neu" + number, kValues[rng.Below(7)]});
    }
    changes.push_back({L"Paket" + number, L"status", kValues[rng.Below(7)]});
    return changes;
}

// The document keeps a second nameless section's header where the platform drops it.
std::string WithoutNamelessHeaders(const std::string& bytes)
{
    std::wstring text;
    const ProfileEncoding encoding = DecodeProfileText(bytes.data(), bytes.size(), text);
    for (std::size_t at = 0; (at = text.find(L"[]\r\n", at)) != std::wstring::npos;) {
        if (at == 0 || text[at - 1] == L'\n') text.erase(at, 4);
        else at += 4;
    }
    return EncodeProfileText(text, encoding);
}

TEST(ProfileFuzz, MutatedFilesReadAndWriteAsThePlatform)
{
    const std::vector<std::wstring> names{L"", L"noeq line"};
    // Numbers and short buffers are the table's business; here every value is read whole.
    const std::vector<DWORD> buffers{512};
    const std::vector<std::string> seeds = Seeds();
    Rng rng{20240607u};
    TempDir dir;
    int compared = 0;
    for (int i = 0; i < kFiles && !HasFailure(); ++i) {
        SCOPED_TRACE(i);
        const std::string bytes = Mutate(seeds[static_cast<std::size_t>(i) % seeds.size()], rng);
        GuardedBytes guarded(bytes);
        ASSERT_TRUE(guarded.Guarded());
        if (i == 0) {
            ASSERT_TRUE(::IsBadReadPtr(guarded.Data() + bytes.size(), 1));  // the guard works
        }
        ProfileDocument doc;
        ASSERT_TRUE(doc.Parse(guarded.Data(), bytes.size()));
        const std::vector<Change> changes = PickChanges(doc, rng, i);
        if (OddUtf16(bytes)) continue;

        const std::wstring platformFile = dir / (L"p" + std::to_wstring(i) + L".ini");
        const std::wstring documentFile = dir / (L"d" + std::to_wstring(i) + L".ini");
        ASSERT_TRUE(WriteBytes(platformFile, bytes) && WriteBytes(documentFile, bytes));
        Age(platformFile);
        ReadPlan plan = PlanReads(doc, names);
        EXPECT_EQ(Transcript(DocumentReads{doc}, plan, buffers, false),
                  Transcript(PlatformReads{platformFile}, plan, buffers, false));

        ProfileDocument onDisk;
        ASSERT_TRUE(onDisk.Load(documentFile));
        for (const Change& change : changes) {
            EXPECT_TRUE(onDisk.Set(change.section, change.key, change.value));
            EXPECT_TRUE(WriteProfileText(platformFile, change.section, change.key, change.value));
            ForgetProfile(platformFile);
        }
        ASSERT_TRUE(onDisk.Save());
        const std::string written = ReadBytes(documentFile);
        const std::string platformWritten = ReadBytes(platformFile);
        if (written != platformWritten) {
            EXPECT_EQ(WithoutNamelessHeaders(written), platformWritten);
        }
        // The file written reads as the document did (a sample: the platform is slow).
        if (i % 4 == 0) {
            Age(documentFile);
            plan = PlanReads(onDisk, names);
            EXPECT_EQ(Transcript(DocumentReads{onDisk}, plan, buffers, false),
                      Transcript(PlatformReads{documentFile}, plan, buffers, false));
        }
        ::DeleteFileW(platformFile.c_str());
        ::DeleteFileW(documentFile.c_str());
        ++compared;
    }
    EXPECT_GT(compared, kFiles * 3 / 4);
}

}  // namespace
