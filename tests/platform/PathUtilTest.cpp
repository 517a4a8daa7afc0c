// Path texts, existence checks, drive space and the system kind.
#include "platform/DriveSpace.h"
#include "platform/PathUtil.h"
#include "platform/SystemInfo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>

namespace {

TEST(PathUtilTest, JoinPath_PutsOneBackslashAtTheSeam)
{
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        const wchar_t* joined;
        const wchar_t* fixedBuffer;  // keeps a leading backslash of b after a trailing one of a
    } cases[] = {
        {L"C:\\a", L"b.txt", L"C:\\a\\b.txt", L"C:\\a\\b.txt"},
        {L"C:\\a\\", L"b.txt", L"C:\\a\\b.txt", L"C:\\a\\b.txt"},
        {L"C:\\a", L"\\b.txt", L"C:\\a\\b.txt", L"C:\\a\\b.txt"},
        {L"C:\\a\\", L"\\b.txt", L"C:\\a\\b.txt", L"C:\\a\\\\b.txt"},
        {L"C:\\a", L"", L"C:\\a", L"C:\\a"},
        {L"", L"b\\c", L"b\\c", L"b\\c"},
        {L"", L"", L"", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::wstring(c.joined), JoinPath(std::wstring(c.a), std::wstring(c.b))) << c.a << L" + " << c.b;
        wchar_t buffer[MAX_PATH];
        ASSERT_TRUE(JoinPath(buffer, c.a, c.b));
        EXPECT_EQ(std::wstring(c.fixedBuffer), std::wstring(buffer)) << c.a << L" + " << c.b;
    }
}

TEST(PathUtilTest, JoinPath_FixedBufferRefusesWhatDoesNotFit)
{
    // 9 characters and the terminating zero fit exactly into 10.
    wchar_t buffer[10];
    ASSERT_TRUE(JoinPath(buffer, L"C:\\abc", L"de"));
    EXPECT_STREQ(L"C:\\abc\\de", buffer);

    wchar_t guarded[12];
    std::wmemset(guarded, L'#', 12);
    EXPECT_FALSE(JoinPath(guarded, 10, L"C:\\abc", L"def"));
    EXPECT_EQ(L'\0', guarded[0]);
    EXPECT_EQ(L'#', guarded[10]);  // nothing written past the given capacity
    EXPECT_EQ(L'#', guarded[11]);

    const std::wstring longName(300, L'x');
    wchar_t path[MAX_PATH];
    EXPECT_FALSE(JoinPath(path, L"C:\\data", longName.c_str()));
    EXPECT_STREQ(L"", path);
}

TEST(PathUtilTest, PathPieces)
{
    EXPECT_EQ(L"b.txt", LastPathComponent(L"C:\\a\\b.txt"));
    EXPECT_EQ(L"plain", LastPathComponent(L"plain"));
    EXPECT_EQ(L"", LastPathComponent(L"C:\\a\\"));

    EXPECT_EQ(L"C:\\a\\b\\", FolderPart(L"C:\\a\\b\\c.dll"));
    EXPECT_EQ(L"C:", FolderPart(L"C:c.dll"));
    EXPECT_EQ(L"", FolderPart(L"c.dll"));

    EXPECT_EQ(L"C:\\a\\lib.000", ReplaceExtension(L"C:\\a\\lib.dll", L"000"));
    EXPECT_EQ(L"C:\\a\\lib.001", ReplaceExtension(L"C:\\a\\lib", L".001"));
    EXPECT_EQ(L"C:\\a.b\\lib.tar.000", ReplaceExtension(L"C:\\a.b\\lib.tar.gz", L"000"));
    EXPECT_EQ(L"C:\\a.b\\lib", ReplaceExtension(L"C:\\a.b\\lib.dll", L""));
}

// A relative name taken for a full one would send the profile calls into the
// Windows folder; a share taken for a relative name would be joined below a root.
TEST(PathUtilTest, PathShapes)
{
    struct Case {
        const wchar_t* path;
        bool drive, unc, absolute, root;
    } cases[] = {
        {L"C:\\Orvek\\obj", true, false, true, false},
        {L"q:/data", true, false, true, false},
        {L"C:\\", true, false, true, true},
        {L"c:/", true, false, true, true},
        {L"C:", true, false, false, false},
        {L"C:relative", true, false, false, false},
        {L"1:\\x", false, false, false, false},
        {L"\\\\server\\share", false, true, true, false},
        {L"//server/share", false, true, true, false},
        {L"\\rooted", false, false, false, false},
        {L"orvekAdmin.ini", false, false, false, false},
        {L"", false, false, false, false},
    };
    for (const Case& c : cases) {
        const std::wstring path = c.path;
        EXPECT_EQ(c.drive, HasDriveLetter(path)) << path;
        EXPECT_EQ(c.unc, IsUncPath(path)) << path;
        EXPECT_EQ(c.absolute, IsAbsolutePath(path)) << path;
        EXPECT_EQ(c.root, IsDriveRoot(path)) << path;
    }
}

// The scan's and the run's look-ups meet the names the system lists in any case.
TEST(PathUtilTest, FileNameKey_IsTheSameForEveryCaseOfAName)
{
    EXPECT_EQ(FileNameKey(L"c:\\Daten\\lampe.ies"), FileNameKey(L"C:\\DATEN\\Lampe.IES"));
    EXPECT_EQ(L"LEUCHTE-ÄÖÜ.LDT", FileNameKey(L"Leuchte-äöü.ldt"));
    EXPECT_EQ(L"", FileNameKey(L""));
}

// Every caller splits a path at its last backslash: the folder above it and its
// name give the path back, whatever the path ends with.
TEST(PathUtilTest, ParentFolderAndLastName_SplitAtTheLastBackslash)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* parent;
        const wchar_t* name;
        const wchar_t* folderPart;  // with the separator, "/" included
        const wchar_t* extension;
    } cases[] = {
        {L"C:\\a\\b.txt", L"C:\\a", L"b.txt", L"C:\\a\\", L".txt"},
        {L"C:\\a\\b\\", L"C:\\a\\b", L"", L"C:\\a\\b\\", L""},
        {L"C:\\a", L"C:", L"a", L"C:\\", L""},
        {L"C:\\", L"C:", L"", L"C:\\", L""},
        {L"C:", L"", L"C:", L"C:", L""},
        {L"\\\\server\\share\\x.mdb", L"\\\\server\\share", L"x.mdb", L"\\\\server\\share\\", L".mdb"},
        {L"\\\\server", L"\\", L"server", L"\\\\", L""},
        {L"\\\\?\\C:\\deep\\lib.dll", L"\\\\?\\C:\\deep", L"lib.dll", L"\\\\?\\C:\\deep\\", L".dll"},
        {L"C:\\a.b\\c", L"C:\\a.b", L"c", L"C:\\a.b\\", L""},
        {L"C:\\a/b.c.rdb", L"C:", L"a/b.c.rdb", L"C:\\a/", L".rdb"},
        {L"name", L"", L"name", L"", L""},
        {L"", L"", L"", L"", L""},
    };
    for (const Case& c : cases) {
        const std::wstring path = c.path;
        EXPECT_EQ(c.parent, ParentFolder(path)) << path;
        EXPECT_EQ(c.name, LastPathComponent(path)) << path;
        EXPECT_EQ(c.folderPart, FolderPart(path)) << path;
        EXPECT_EQ(c.extension, ExtensionOf(path)) << path;
        if (path.find(L'\\') != std::wstring::npos) {
            EXPECT_EQ(path, ParentFolder(path) + L'\\' + LastPathComponent(path));
        }
    }
}

// Names and paths are the same as the file system takes them: in any case, in
// every locale, and nothing else counts as the same.
TEST(PathUtilTest, SameName_IgnoresCaseAndNothingElse)
{
    const struct {
        const wchar_t* a;
        const wchar_t* b;
        bool same;
    } cases[] = {
        {L"C:\\Orvek\\obj", L"c:\\ORVEK\\OBJ", true}, {L"Büro.MDB", L"BÜRO.mdb", true},
        {L"", L"", true},                             {L"C:\\Orvek", L"C:\\Orvek\\", false},
        {L"straße", L"STRASSE", false},               {L"a.mdb", L"a.md\u00ADb", false},
        {L"e\u0301", L"\u00E9", false},                {L"x", L"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.same, SameName(c.a, c.b)) << c.a << L" / " << c.b;
        EXPECT_EQ(c.same, SameName(c.b, c.a)) << c.b << L" / " << c.a;
    }
    EXPECT_TRUE(EndsWithName(L"D:\\Data\\OBJ", L"\\obj"));
    EXPECT_FALSE(EndsWithName(L"D:\\Data\\subj", L"\\obj"));
    EXPECT_FALSE(EndsWithName(L"obj", L"\\obj"));
}

TEST(PathUtilTest, LongPathPrefix_AddedAndStrippedInOnePlace)
{
    const struct {
        const wchar_t* plain;
        const wchar_t* prefixed;
    } cases[] = {
        {L"C:\\deep\\x", L"\\\\?\\C:\\deep\\x"},
        {L"\\\\server\\share\\x", L"\\\\?\\UNC\\server\\share\\x"},
        {L"C:\\", L"\\\\?\\C:\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.prefixed, WithLongPathPrefix(c.plain)) << c.plain;
        EXPECT_EQ(c.prefixed, WithLongPathPrefix(c.prefixed)) << c.prefixed;
        EXPECT_EQ(c.plain, WithoutLongPathPrefix(c.prefixed)) << c.prefixed;
        EXPECT_EQ(c.plain, WithoutLongPathPrefix(c.plain)) << c.plain;
    }
    EXPECT_EQ(L"", WithoutLongPathPrefix(L""));
    EXPECT_EQ(L"\\\\.\\pipe\\x", WithoutLongPathPrefix(L"\\\\.\\pipe\\x"));
}

// One file by every name the system gives it; two files are never one.
TEST(PathUtilTest, SameFile_KnowsAFileByEveryNameOfIt)
{
    TempDir dir;
    ASSERT_TRUE(MakeDirs(dir / L"Long Folder Name"));
    const std::wstring file = dir / L"Long Folder Name\\orvekAdmin.ini";
    ASSERT_TRUE(WriteBytes(file, "x") && WriteBytes(dir / L"other.ini", "x"));
    const std::wstring shortForm = ShortPathName(file);
    ASSERT_FALSE(shortForm.empty());
    const std::pair<std::wstring, bool> cases[] = {
        {shortForm, true},
        {WithLongPathPrefix(file), true},
        {dir.Path() + L"/long folder name/ORVEKADMIN.INI", true},
        {file + L". ", true},
        {dir / L"Long Folder Name\\..\\Long Folder Name\\orvekAdmin.ini", true},
        {dir / L"other.ini", false},
        {dir / L"Long Folder Name\\missing.ini", false},
        {L"", false},
    };
    for (const auto& [path, same] : cases) EXPECT_EQ(same, SameFile(path, file)) << path;
    // Not there: the same by the path alone, short folder names made long.
    const std::wstring missing = dir / L"Long Folder Name\\new.log";
    EXPECT_EQ(ComparablePath(missing), ComparablePath(FolderPart(shortForm) + L"NEW.LOG"));
    EXPECT_TRUE(SameFile(missing, FolderPart(shortForm) + L"new.log::$DATA"));
}

// Each refused value, joined to a root, would name something outside it.
TEST(PathUtilTest, StaysBelowRoot_RefusesEveryWayOut)
{
    // One leading separator stays below: the join puts one backslash at the seam.
    for (const wchar_t* below : {L"", L"sys", L"a\\b\\c.dll", L"a/b", L"..x", L"x..", L"a\\.\\b", L"...name", L"sys\\",
                                 L"\\Data\\Temp", L"/Data", L"\\"})
        EXPECT_TRUE(StaysBelowRoot(below)) << below;
    for (const wchar_t* outside : {L"..", L"..\\..\\windows", L"a\\..\\..\\b", L"a/../../b", L"a\\.. \\b",
                                   L"a\\. .\\b", L"C:\\windows", L"C:x", L"\\..\\windows", L"\\C:\\windows",
                                   L"\\\\server\\share", L"/\\server\\share", L"readme.txt:stream", L"a\\..."})
        EXPECT_FALSE(StaysBelowRoot(outside)) << outside;
}

TEST(PathUtilTest, RelativeToRoot_JoinsWithOneBackslashAtTheSeam)
{
    wchar_t joined[MAX_PATH];
    for (const wchar_t* root : {L"C:\\Orvek", L"C:\\Orvek\\"}) {
        for (const wchar_t* value : {L"\\Data\\Temp", L"/Data\\Temp", L"Data\\Temp"}) {
            EXPECT_EQ(JoinPath(root, RelativeToRoot(value)), L"C:\\Orvek\\Data\\Temp") << root << L" " << value;
            ASSERT_TRUE(JoinPath(joined, root, RelativeToRoot(value).c_str()));
            EXPECT_STREQ(joined, L"C:\\Orvek\\Data\\Temp") << root << L" " << value;
        }
    }
}

TEST(PathUtilTest, ExistenceChecks_FilesFoldersAndPatterns)
{
    TempDir dir;
    ASSERT_TRUE(WriteBytes(dir / L"one.cad", "x"));
    ASSERT_TRUE(MakeDirs(dir / L"sub"));
    EXPECT_TRUE(FileExists(dir / L"one.cad"));
    EXPECT_FALSE(FileExists(dir / L"sub"));
    EXPECT_FALSE(FileExists(dir / L"two.cad"));
    EXPECT_TRUE(FolderExists(dir / L"sub"));
    EXPECT_FALSE(FolderExists(dir / L"one.cad"));
    EXPECT_TRUE(PathExists(dir / L"sub"));
    EXPECT_FALSE(PathExists(L""));
    EXPECT_TRUE(AnyMatch(dir / L"*.cad"));
    EXPECT_FALSE(AnyMatch(dir / L"*.lvk"));
}

TEST(PathUtilTest, DecimalValue_ReadsLikeTheCLibraryAndClamps)
{
    EXPECT_EQ(DecimalValue(L"  -12x"), -12);
    EXPECT_EQ(DecimalValue(L"abc"), 0);
    EXPECT_EQ(DecimalValue(L"99999999999"), INT_MAX);
    EXPECT_EQ(DecimalValue(L"-99999999999"), INT_MIN);
}

TEST(DriveSpaceTest, GetDriveSpace_AgreesWithTheSystemIn64Bits)
{
    DriveSpace space = GetDriveSpace(L'C');
    ASSERT_TRUE(space.known);
    EXPECT_GE(space.clusterSize, 512u);
    ULARGE_INTEGER freeToCaller{}, total{}, freeTotal{};
    ASSERT_TRUE(::GetDiskFreeSpaceExW(L"C:\\", &freeToCaller, &total, &freeTotal));
    // Free space moves while tests run; a few MB either way is the same answer.
    const long long difference = static_cast<long long>(space.freeBytes - freeTotal.QuadPart);
    EXPECT_LT(std::llabs(difference), 64LL << 20) << space.freeBytes << " vs " << freeTotal.QuadPart;
}

TEST(DriveSpaceTest, GetDriveSpace_UnknownDriveAnswersDefaults)
{
    const DWORD drives = ::GetLogicalDrives();
    wchar_t unused = 0;
    for (int i = 25; i >= 3 && !unused; --i)
        if (!(drives & (1u << i))) unused = static_cast<wchar_t>(L'A' + i);
    ASSERT_NE(0, unused);
    DriveSpace space = GetDriveSpace(unused);
    EXPECT_FALSE(space.known);
    EXPECT_EQ(1024u, space.clusterSize);
    EXPECT_EQ(0u, space.freeBytes);
}

TEST(SystemInfoTest, SystemKindFromVersionWord)
{
    EXPECT_EQ(SystemKind::NtFamily, SystemKindFromVersion(0x1DB10106));    // Wine's 6.1
    EXPECT_EQ(SystemKind::Win95Family, SystemKindFromVersion(0xC3B60004));  // 4.0, top bit set
    EXPECT_EQ(SystemKind::Win95Family, SystemKindFromVersion(0xC0005A04));  // 4.90
    EXPECT_EQ(SystemKind::Old16BitHost, SystemKindFromVersion(0x80000A03)); // 3.10 with Win32s
    EXPECT_EQ(SystemKind::NtFamily, CurrentSystemKind());
    EXPECT_FALSE(IsXpOrLater(SystemKind::Win95Family));
    EXPECT_TRUE(IsXpOrLater(SystemKind::NtFamily));  // Wine reports 6.1
}

TEST(SystemInfoTest, WindowsFolderAsTheSystemGivesIt)
{
    wchar_t system[MAX_PATH] = {};
    ::GetWindowsDirectoryW(system, MAX_PATH);
    EXPECT_EQ(std::wstring(system), QueryWindowsFolder());
}

TEST(JoinPath, ExactlyOneBackslashBetweenFolderAndName)
{
    EXPECT_EQ(JoinPath(L"C:\\a", L"b"), L"C:\\a\\b");
    EXPECT_EQ(JoinPath(L"C:\\a\\", L"b"), L"C:\\a\\b");
    EXPECT_EQ(JoinPath(L"C:\\a\\", L"\\b"), L"C:\\a\\b");
    EXPECT_EQ(JoinPath(L"C:\\a", L"\\b"), L"C:\\a\\b");
    EXPECT_EQ(JoinPath(L"C:\\a", L""), L"C:\\a");
    EXPECT_EQ(JoinPath(L"", L"b"), L"b");
}

}  // namespace
