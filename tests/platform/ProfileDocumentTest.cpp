// The profile document against the platform's profile functions: the same
// reads and writes through both give the same answers, and the lines the
// document writes are the lines the platform writes; every other line stays.
#include "platform/ProfileDocument.h"
#include "platform/ProfileReads.h"
#include "support/PlatformProfile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

template <std::size_t N>
std::string Bytes(const char (&text)[N])
{
    return std::string(text, N - 1);
}

std::string Utf16(const std::wstring& text, ProfileEncoding order)
{
    return EncodeProfileText(text, order);
}

bool FileThere(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct Change {
    std::wstring section, key, value;
};

struct Case {
    const char* name;
    std::optional<std::string> file;  // none: no file yet
    std::vector<Change> changes;
    std::vector<std::wstring> names;  // read as sections and as keys, besides the file's own
};

const Case kCases[] = {
    {"new file", std::nullopt, {{L"basepath", L"path", L"C:\\Data"}, {L"Land", L"Country", L"49"}}, {L"path"}},
    {"no file and no change", std::nullopt, {}, {L"s"}},
    {"new section", Bytes("[basepath]\r\npath=C:\\x\r\n[manufacturers]\r\nA01=A01\r\n"),
     {{L"A01", L"name", L"Maker"}, {L"manufacturers", L"B02", L"B02"}}, {L"name"}},
    {"new key after the section's last line", Bytes("[s]\r\na=1\r\n; note\r\n\r\n\r\n[t]\r\nx=1\r\n\r\n"),
     {{L"s", L"b", L"2"}, {L"T", L"Y", L"3"}}, {L"a", L"b", L"x", L"y"}},
    {"changed value", Bytes("[s]\r\n  a =  1  \r\nb=2\r\n"), {{L"s", L"A", L"3"}}, {L"a", L"b"}},
    {"value to empty", Bytes("[s]\r\na=1\r\nb=2\r\n"), {{L"s", L"a", L""}, {L"s", L"new", L""}}, {L"a", L"new"}},
    {"duplicate sections and keys", Bytes("[s]\r\na=1\r\nA=2\r\n[x]\r\n[S]\r\nb=3\r\na=4\r\n"),
     {{L"S", L"b", L"5"}, {L"s", L"A", L"6"}}, {L"a", L"b"}},
    {"comments and foreign lines",
     Bytes("; head = 1\r\ntop=0\r\n[s]\r\n;c = 1\r\nnoeq\r\n=x\r\n=y\r\n[t] trailing\r\n[u\r\nk=v\r\n"),
     {{L"s", L"noeq", L"now"}, {L"t", L"k", L"w"}}, {L"", L";c", L"noeq", L"k", L"[u", L"top"}},
    {"blanks", Bytes("\t[ s ]\t\r\n\t a\t=\t1\t\r\n\r\n  \r\n"),
     {{L"s", L"a", L"  2  "}, {L"s", L" b ", L"3 "}, {L"n ", L"k", L"4\t"}, {L"n", L"\nc", L"5\r\n"}},
     {L"a", L"b", L"c", L"k", L"n"}},
    {"quotes", Bytes("[s]\r\na=\"v\"\r\nb='v'\r\nc=\"v\r\nd=\"\"\r\ne=\"\r\nf='v\"\r\ng= \"x y\" \r\n"),
     {{L"s", L"h", L"\"q\""}}, {L"h"}},
    {"no final line end", Bytes("[s]\r\na=1"), {{L"s", L"b", L"2"}}, {L"a", L"b"}},
    {"LF and CR line ends", Bytes("[s]\na=1\n\n[t]\rb=2\r"), {{L"t", L"b", L"3"}}, {L"a", L"b"}},
    {"unchanged value writes nothing", Bytes("[s]\n a = 1\n"), {{L"S", L"A", L" 1"}}, {L"a"}},
    {"8-bit file with umlauts", Bytes("[L\xE4nder]\r\nname=M\xFCller\r\n"),
     {{L"L\u00E4nder", L"stadt", L"K\u00F6ln"}, {L"l\u00E4nder", L"w\u00E4hrung", L"\u20AC 5, \u4E2D"}},
     {L"name", L"L\u00C4NDER"}},
    {"UTF-16 file", Utf16(L"[L\u00E4nder]\r\nname=M\u00FCller\r\n", ProfileEncoding::Utf16Le),
     {{L"L\u00E4nder", L"stadt", L"\u4E2D\u6587"}}, {L"name"}},
    {"UTF-16 big-endian file", Utf16(L"[s]\r\nk=\u00E4\r\n", ProfileEncoding::Utf16Be), {{L"s", L"n", L"\u4E2D"}}, {}},
    {"UTF-8 file", Bytes("\xEF\xBB\xBF[s]\nk=\xC3\xA4\xFF\n"), {{L"s", L"n", L"\u4E2D"}}, {}},
    {"NUL characters", Bytes("[s]\r\nab\0cd=v\0w\r\na \0b=2\r\n[t\0u]\r\nk=1\r\n\0zz=5\r\n=q\r\n\0x\r\n"),
     {{L"s", L"new", L"1"}, {L"t", L"k", L"2"}}, {L"ab", L"a", L"k", L""}},
    {"numbers",
     Bytes("[n]\r\na=12\r\nb= -7\r\nc=0x1F\r\nd=0X1f\r\ne=0b101\r\nf=4294967296\r\ng=\"42\"\r\nh=12abc\r\ni=0o17\r\n"
           "j=+-3\r\nk=123456789012345678901234567890123\r\n"),
     {{L"n", L"a", L"13"}}, {}},
};

TEST(ProfileDocument, ReadsAndWritesAsThePlatform)
{
    const std::vector<DWORD> buffers{512, 4, 2};
    for (const Case& test : kCases) {
        SCOPED_TRACE(test.name);
        TempDir dir;
        const std::wstring platformFile = dir / L"platform.ini";
        const std::wstring documentFile = dir / L"document.ini";
        if (test.file) {
            ASSERT_TRUE(WriteBytes(platformFile, *test.file) && WriteBytes(documentFile, *test.file));
        }
        ProfileDocument doc;
        ASSERT_TRUE(doc.Load(documentFile));
        const std::string loaded = ReadBytes(documentFile);
        EXPECT_EQ(Transcript(&doc, L"", doc, loaded, test.names, buffers),
                  Transcript(nullptr, platformFile, doc, loaded, test.names, buffers));

        for (const Change& change : test.changes) {
            ASSERT_TRUE(doc.Set(change.section, change.key, change.value));
            ASSERT_TRUE(WriteProfileText(platformFile, change.section, change.key, change.value));
            ForgetProfile(platformFile);  // read next as another process would
        }
        EXPECT_TRUE(doc.Dirty() || !test.file || ReadBytes(platformFile) == *test.file);  // nothing written
        ASSERT_TRUE(doc.Save());
        EXPECT_FALSE(doc.Dirty());
        EXPECT_EQ(FileThere(documentFile), FileThere(platformFile));
        const LineChanges changed = ChangedLines(test.file.value_or(""), ReadBytes(documentFile));
        EXPECT_EQ(NotWrittenByPlatform(changed.written, ReadBytes(platformFile)), L"");
        EXPECT_LE(changed.removed, test.changes.size());
        const std::string saved = ReadBytes(documentFile);
        const std::wstring documentReads = Transcript(nullptr, documentFile, doc, saved, test.names, buffers);
        EXPECT_EQ(Transcript(&doc, L"", doc, saved, test.names, buffers), documentReads);
        if (!test.file || !PlatformWriteChangesMeaning(*test.file)) {
            EXPECT_EQ(documentReads, Transcript(nullptr, platformFile, doc, saved, test.names, buffers));
        }
    }
}

// What the user wrote stays as it was: only the lines of the keys written change.
TEST(ProfileDocument, SaveKeepsEveryLineItDoesNotChange)
{
    struct Kept {
        const char* name;
        std::string before;
        std::vector<Change> changes;
        std::string after;
    };
    const Kept cases[] = {
        {"comments, blank lines, blanks around =",
         Bytes("; head\r\n\r\n[s]\r\n  a =  1  \r\n\r\n; about t\r\n[t]\r\nweird key=  spaced value  \r\n"),
         {{L"s", L"a", L"2"}, {L"s", L"b", L"3"}, {L"u", L"k", L"v"}},
         Bytes("; head\r\n\r\n[s]\r\na=2\r\nb=3\r\n\r\n; about t\r\n[t]\r\nweird key=  spaced value  \r\n[u]\r\nk=v\r\n")},
        {"NUL and lone CR in lines left alone, LF line ends", Bytes("[s]\na=x\ry\nn\0ul=1\0z\n[t]\n"),
         {{L"s", L"a", L"2"}, {L"s", L"c", L"3"}}, Bytes("[s]\na=2\ry\nn\0ul=1\0z\nc=3\n[t]\n")},
        {"no final line break", Bytes("[s]\r\na=1"), {{L"s", L"b", L"2"}, {L"t", L"k", L"1"}},
         Bytes("[s]\r\na=1\r\nb=2\r\n[t]\r\nk=1\r\n")},
        {"section without keys, nameless section", Bytes("; about s\r\n[s]\r\n; none yet\r\n"),
         {{L"s", L"k", L"1"}, {L"", L"top", L"0"}}, Bytes("top=0\r\n; about s\r\n[s]\r\nk=1\r\n; none yet\r\n")},
        {"bytes the encoding cannot read", Bytes("\xEF\xBB\xBF[s]\nk=\xFF\xC3\n"), {{L"s", L"n", L"\u00E4"}},
         Bytes("\xEF\xBB\xBF[s]\nk=\xFF\xC3\nn=\xC3\xA4\n")},
        {"UTF-16", Utf16(L"[s]\r\n k = 1\r\n", ProfileEncoding::Utf16Le), {{L"s", L"k", L"2"}, {L"s", L"n", L"\u4E2D"}},
         Utf16(L"[s]\r\nk=2\r\nn=\u4E2D\r\n", ProfileEncoding::Utf16Le)},
    };
    for (const Kept& test : cases) {
        SCOPED_TRACE(test.name);
        TempDir dir;
        ASSERT_TRUE(WriteBytes(dir / L"admin.ini", test.before));
        ProfileDocument doc;
        ASSERT_TRUE(doc.Load(dir / L"admin.ini"));
        for (const Change& change : test.changes) ASSERT_TRUE(doc.Set(change.section, change.key, change.value));
        ASSERT_TRUE(doc.Save());
        EXPECT_EQ(ReadBytes(dir / L"admin.ini"), test.after);
        // Written again, the document starts from what it wrote.
        ASSERT_TRUE(doc.Set(L"s", L"again", L"1") && doc.Save());
        EXPECT_EQ(ChangedLines(test.after, ReadBytes(dir / L"admin.ini")).written, std::vector<std::wstring>{L"again=1"});
    }
}

TEST(ProfileDocument, SaveKeepsTheFilesAttributes)
{
    TempDir dir;
    const std::wstring file = dir / L"admin.ini";
    ASSERT_TRUE(WriteBytes(file, "[s]\r\nk=1\r\n"));
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ProfileDocument doc;
    ASSERT_TRUE(doc.Load(file) && doc.Set(L"s", L"k", L"2") && doc.Save());
    EXPECT_EQ(::GetFileAttributesW(file.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM});
    EXPECT_EQ(ReadBytes(file), "[s]\r\nk=2\r\n");
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The encoding told from a file's first bytes is the one a whole read finds.
TEST(ProfileDocument, FileEncodingIsTheOneLoadFinds)
{
    TempDir dir;
    const struct {
        const char* what;
        std::string bytes;
        ProfileEncoding expected;
    } cases[] = {
        {"8-bit", "[s]\r\nk=\xE9\r\n", ProfileEncoding::Ansi},
        {"UTF-8 mark", "\xEF\xBB\xBF[s]\r\nk=1\r\n", ProfileEncoding::Utf8},
        {"UTF-16 LE mark", std::string("\xFF\xFE[\0s\0]\0", 8), ProfileEncoding::Utf16Le},
        {"UTF-16 BE mark", std::string("\xFE\xFF\0[\0s\0]", 8), ProfileEncoding::Utf16Be},
        {"half a UTF-8 mark", "\xEF\xBB", ProfileEncoding::Ansi},
        {"empty", "", ProfileEncoding::Ansi},
    };
    for (const auto& c : cases) {
        const std::wstring file = dir / L"admin.ini";
        ASSERT_TRUE(WriteBytes(file, c.bytes));
        ProfileDocument doc;
        ASSERT_TRUE(doc.Load(file)) << c.what;
        EXPECT_EQ(doc.Encoding(), c.expected) << c.what;
        EXPECT_EQ(ProfileDocument::FileEncoding(file), c.expected) << c.what;
    }
    EXPECT_EQ(ProfileDocument::FileEncoding(dir / L"missing.ini"), ProfileEncoding::Ansi);
}

// The platform's own write moves the keys of a second nameless section into the
// section before it (here a package list would gain an entry); the document keeps
// the section's header.
TEST(ProfileDocument, SecondNamelessSectionKeepsItsKeys)
{
    TempDir dir;
    const std::string original = "[a]\r\nk=1\r\n[ ]\r\nq=2\r\n";
    ASSERT_TRUE(WriteBytes(dir / L"doc.ini", original) && WriteBytes(dir / L"platform.ini", original));
    ProfileDocument doc;
    ASSERT_TRUE(doc.Load(dir / L"doc.ini") && doc.Set(L"a", L"n", L"3") && doc.Save());
    EXPECT_EQ(ReadBytes(dir / L"doc.ini"), "[a]\r\nk=1\r\nn=3\r\n[ ]\r\nq=2\r\n");
    EXPECT_EQ(ReadProfileKeys(dir / L"doc.ini", L"a"), (std::vector<std::wstring>{L"k", L"n"}));

    ASSERT_TRUE(WriteProfileText(dir / L"platform.ini", L"a", L"n", L"3"));
    ForgetProfile(dir / L"platform.ini");
    EXPECT_EQ(ReadProfileKeys(dir / L"platform.ini", L"a"), (std::vector<std::wstring>{L"k", L"n", L"q"}));
}

TEST(ProfileDocument, RefusesTextsThatWouldReadBackAsAnotherKey)
{
    ProfileDocument doc;
    const std::string original = "[s]\r\nk=1\r\n";
    ASSERT_TRUE(doc.Parse(original.data(), original.size()));
    EXPECT_FALSE(doc.Set(L"s", L"a=b", L"v"));
    EXPECT_FALSE(doc.Set(L"s", L"k", L"x\r\ny=1"));
    EXPECT_FALSE(doc.Set(L"t\nu", L"k", L"v"));
    EXPECT_FALSE(doc.Set(L"s", L"[x", L"y]"));
    EXPECT_FALSE(doc.Dirty());
    EXPECT_EQ(doc.Keys(L"s"), std::vector<std::wstring>{L"k"});
    EXPECT_EQ(doc.Get(L"s", L"k", L"", 512), L"1");
}

// Writes half of what it is given, then fails as a full disk would.
BOOL WINAPI WriteHalfThenFail(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    ::WriteFile(file, data, size / 2, written, overlapped);
    ::SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

TEST(ProfileDocument, SaveThatCannotCompleteLeavesTheFileAsItWas)
{
    enum Failure { ReadOnly, WriteFails, FileHeldOpen };
    for (Failure failure : {ReadOnly, WriteFails, FileHeldOpen}) {
        SCOPED_TRACE(failure);
        TempDir dir;
        const std::wstring file = dir / L"admin.ini";
        const std::string original = "[basepath]\npath=C:\\Data\n";
        ASSERT_TRUE(WriteBytes(file, original));
        ProfileSaveCalls calls;
        if (failure == WriteFails) calls.writeFile = &WriteHalfThenFail;
        ProfileDocument doc(calls);
        ASSERT_TRUE(doc.Load(file) && doc.Set(L"basepath", L"path", L"D:\\New"));
        if (failure == ReadOnly) ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
        HANDLE held = failure == FileHeldOpen ? ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                                              nullptr)
                                              : INVALID_HANDLE_VALUE;
        EXPECT_FALSE(doc.Save());
        EXPECT_EQ(::GetLastError(), failure == WriteFails ? DWORD{ERROR_DISK_FULL} : DWORD{ERROR_ACCESS_DENIED});
        if (held != INVALID_HANDLE_VALUE) ::CloseHandle(held);
        ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(doc.Dirty());
        EXPECT_EQ(ReadBytes(file), original);
        WIN32_FIND_DATAW found;
        EXPECT_EQ(::FindFirstFileW((dir / L"*.tmp").c_str(), &found), INVALID_HANDLE_VALUE);  // no temporary left
        if (failure != WriteFails) {
            EXPECT_TRUE(doc.Save());  // once the cause is gone
            EXPECT_EQ(ReadBytes(file), "[basepath]\npath=D:\\New\n");
        }
    }
}

}  // namespace
