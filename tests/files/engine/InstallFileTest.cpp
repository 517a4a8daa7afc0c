// Version-aware installation of single files: real files, real version resources,
// the whole copy log of each path through the engine (tests/files/data/copylog).
#include "files/CraftedDll.h"
#include "files/FilesFixture.h"
#include "support/Win32Support.h"

#include "resources/resource.h"
#include "files/engine/InstallFile.h"
#include "platform/PathUtil.h"

#include <utility>
#include <vector>

namespace {

DWORD Attributes(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str());
}

bool IsReadOnly(const std::wstring& path)
{
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// The user, who looks at the copy log while a question is on the screen.
class InstallFileTest : public FilesTest {
protected:
    void SetUp() override { OpenLogs(); }

    // A copy of a test library in the temporary folder.
    std::wstring Place(const std::wstring& dll, const std::wstring& name)
    {
        std::wstring path = dir / name;
        EXPECT_TRUE(::CopyFileW(VersionDll(dll).c_str(), path.c_str(), FALSE)) << Narrow(VersionDll(dll));
        return path;
    }
};

TEST_F(InstallFileTest, InstallFile_FreshDestinationIsCopiedAndRecorded)
{
    std::wstring src = Place(L"ver2001.dll", L"src.dll");
    std::wstring dst = dir / L"dst.dll";

    EXPECT_EQ(1, InstallFile(run, src, dst, nullptr, false));

    EXPECT_TRUE(ReadBytes(src) == ReadBytes(dst));
    EXPECT_EQ(ExpectedCopyLog("copied-to-a-new-destination", src, dst), CopyLogText());
    EXPECT_EQ("file 0 0 " + Narrow(dst) + "\n", RunLogFileLines());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(InstallFileTest, InstallFile_NameTheLogsCannotSpellIsRecordedByItsShortName)
{
    if (::GetACP() != 1252) GTEST_SKIP() << "code page " << ::GetACP();
    const std::wstring name = L"Lampe \u0141\u00f3d\u017a \U0001F4A1.cad";
    ASSERT_TRUE(MakeDirs(dir / L"src") && MakeDirs(dir / L"dst"));
    const std::wstring src = dir / (L"src\\" + name);
    const std::wstring dst = dir / (L"dst\\" + name);
    ASSERT_TRUE(WriteBytes(src, "luminaire"));
    UninstallLog packageLog;
    ASSERT_TRUE(packageLog.Open(dir / L"_uninst.inf"));

    EXPECT_EQ(1, InstallFile(run, src, dst, &packageLog, true));
    packageLog.Close();

    EXPECT_EQ("luminaire", ReadBytes(dst));
    auto named = [](const std::string& line) {
        const std::string start = "file 0 0 ";
        if (line.compare(0, start.size(), start) != 0 || line.back() != '\n') return std::wstring(L"(not a file line)");
        const std::string path = line.substr(start.size(), line.size() - start.size() - 1);
        wchar_t buffer[MAX_PATH * 2] = {};
        const std::wstring wide(path.begin(), path.end());
        return ::GetLongPathNameW(wide.c_str(), buffer, MAX_PATH * 2) ? std::wstring(buffer) : L"(nothing) " + wide;
    };
    const std::string runLine = RunLogFileLines();
    EXPECT_EQ(dst, named(runLine));
    EXPECT_EQ(runLine, ReadBytes(dir / L"_uninst.inf"));
    // The copy log names both files as the uninstall logs do, never by a look-alike.
    const std::string copyLog = CopyLogText();
    EXPECT_NE(std::string::npos, copyLog.find(runLine.substr(9, runLine.size() - 10) + ")")) << copyLog;
    EXPECT_EQ(std::string::npos, copyLog.find('?')) << copyLog;
}

TEST_F(InstallFileTest, InstallFile_NameWithoutAnyShortNameIsNotInstalled)
{
    if (::GetACP() != 1252) GTEST_SKIP() << "code page " << ::GetACP();
    // A folder the copy would make and that no short name can name yet.
    const std::wstring src = dir / L"lamp.cad";
    const std::wstring dst = dir / L"\u5149\\lamp.cad";
    ASSERT_TRUE(WriteBytes(src, "luminaire"));
    EXPECT_EQ(0, InstallFile(run, src, dst, nullptr, true));
    EXPECT_FALSE(PathExists(dst));
    EXPECT_EQ("", RunLogFileLines());
    ASSERT_EQ(1u, run.totals.named.size());
    EXPECT_EQ(0u, run.totals.named[0].find(dst + L" (its name cannot be written"));
}

TEST_F(InstallFileTest, InstallFile_SkipsLowerSourceVersion)
{
    std::wstring src = Place(L"ver2001.dll", L"src.dll");
    std::wstring dst = Place(L"ver2003.dll", L"dst.dll");
    // The older source is even newer by date: the version decides.
    ASSERT_TRUE(SetWriteYear(dst, 2001));
    const std::string before = ReadBytes(dst);

    EXPECT_EQ(1, InstallFile(run, src, dst, nullptr, false));

    EXPECT_TRUE(before == ReadBytes(dst));
    EXPECT_EQ(ExpectedCopyLog("kept-a-higher-version", src, dst), CopyLogText());
    EXPECT_EQ("", RunLogFileLines());
}

TEST_F(InstallFileTest, InstallFile_EqualVersionsCountAsInstalledWithoutCopy)
{
    std::wstring src = Place(L"ver2003.dll", L"src.dll");
    std::wstring dst = Place(L"ver2003.dll", L"dst.dll");
    ASSERT_TRUE(SetWriteYear(dst, 1999));
    ASSERT_TRUE(WriteBytes(dst, ReadBytes(dst) + "marker"));  // would vanish with a copy

    EXPECT_EQ(1, InstallFile(run, src, dst, nullptr, false));

    EXPECT_TRUE(ReadBytes(src) + "marker" == ReadBytes(dst));
    EXPECT_EQ(ExpectedCopyLog("kept-the-same-version", src, dst), CopyLogText());
    EXPECT_EQ("file 0 0 " + Narrow(dst) + "\n", RunLogFileLines());
}

TEST_F(InstallFileTest, InstallFile_HigherSourceVersionReplacesNewerDatedDestination)
{
    std::wstring src = Place(L"ver2003.dll", L"src.dll");
    std::wstring dst = Place(L"ver2001.dll", L"dst.dll");
    ASSERT_TRUE(SetWriteYear(src, 2001));

    EXPECT_EQ(1, InstallFile(run, src, dst, nullptr, false));

    EXPECT_TRUE(ReadBytes(src) == ReadBytes(dst));
    EXPECT_EQ(ExpectedCopyLog("replaced-a-lower-version", src, dst), CopyLogText());
}

TEST_F(InstallFileTest, InstallFile_DestinationWithoutVersionIsOverwrittenWithoutDates)
{
    std::wstring src = Place(L"ver2001.dll", L"src.dll");
    std::wstring dst = Place(L"vernone.dll", L"dst.dll");
    ASSERT_TRUE(SetWriteYear(src, 1995));  // older by date: dates are not looked at

    EXPECT_EQ(1, InstallFile(run, src, dst, nullptr, false));

    EXPECT_TRUE(ReadBytes(src) == ReadBytes(dst));
    EXPECT_EQ(ExpectedCopyLog("replaced-a-file-without-version", src, dst), CopyLogText());
}

TEST_F(InstallFileTest, InstallFile_NewerDatedDestinationIsForcedOnSecondAttempt)
{
    std::wstring src = Place(L"vernone.dll", L"src.dll");
    std::wstring dst = dir / L"dst.dll";
    ASSERT_TRUE(WriteBytes(dst, "old contents"));
    ASSERT_TRUE(SetWriteYear(src, 2001));
    ASSERT_TRUE(SetWriteYear(dst, 2010));

    EXPECT_EQ(1, InstallFile(run, src, dst, nullptr, false));

    EXPECT_TRUE(ReadBytes(src) == ReadBytes(dst));
    EXPECT_EQ(ExpectedCopyLog("forced-over-a-newer-date", src, dst), CopyLogText());
    EXPECT_EQ("file 0 0 " + Narrow(dst) + "\n", RunLogFileLines());
}

// The run reads a destination folder once; a file that appears there later is
// still found and compared, never copied over unseen.
TEST_F(InstallFileTest, InstallFile_FileThatAppearedLaterIsStillCompared)
{
    std::wstring src = Place(L"ver2001.dll", L"src.dll");
    EXPECT_EQ(1, InstallFile(run, src, dir / L"first.dll", nullptr, true));
    std::wstring late = Place(L"ver2003.dll", L"late.dll");
    const std::string newer = ReadBytes(late);

    EXPECT_EQ(1, InstallFile(run, src, late, nullptr, true));

    EXPECT_TRUE(newer == ReadBytes(late));
    EXPECT_NE(std::string::npos, CopyLogText().find("\t\tDst is more up to date than src.\r\n\tMyVerInstallFile() returned 6"));
}

TEST_F(InstallFileTest, InstallFile_OlderDatedDestinationIsReplacedAtOnce)
{
    std::wstring src = dir / L"a.txt";
    std::wstring dst = dir / L"b.txt";
    ASSERT_TRUE(WriteBytes(src, "new"));
    ASSERT_TRUE(WriteBytes(dst, "old"));
    ASSERT_TRUE(SetWriteYear(dst, 2001));
    // Names the old file might be set aside under belong to someone else.
    ASSERT_TRUE(WriteBytes(dst + L".~ovk", "not ours"));
    ASSERT_TRUE(WriteBytes(dst + L".~ovk1", "not ours either"));

    EXPECT_EQ(0u, MyVerInstallFile(run, false, src, dst, false));
    EXPECT_EQ("new", ReadBytes(dst));
    EXPECT_EQ("not ours", ReadBytes(dst + L".~ovk"));
    EXPECT_EQ("not ours either", ReadBytes(dst + L".~ovk1"));
    EXPECT_FALSE(FileExists(dst + L".~ovk2"));
    EXPECT_NE(std::string::npos, CopyLogText().find("\t\tComparsion are defaulting to file date...\r\n"
                                                    "\t\tPrepering for copy...\r\n"));
}

TEST_F(InstallFileTest, InstallFile_ReadOnlyDestinationIsReplacedAndLeftWritable)
{
    std::wstring src = Place(L"ver2003.dll", L"src.dll");
    std::wstring dst = Place(L"ver2001.dll", L"dst.dll");
    // A read-only source, too: the copy must come out writable all the same.
    ASSERT_TRUE(::SetFileAttributesW(src.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(::SetFileAttributesW(dst.c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_EQ(1, InstallFile(run, src, dst, nullptr, false));

    EXPECT_TRUE(ReadBytes(src) == ReadBytes(dst));
    EXPECT_EQ(0u, Attributes(dst) & FILE_ATTRIBUTE_READONLY);
    EXPECT_NE(std::string::npos,
              CopyLogText().find("\t\tOld file must (eventually) be deleted... File is prepered for delete... "
                                 "\t\tFile installed OK.\r\n"));
    ::SetFileAttributesW(src.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// What a user finds installed, fresh or in place of an older file, whatever
// its size: the source's bytes and date (the next run compares dates), its
// hidden attribute, writable, and nothing left beside it.
TEST_F(InstallFileTest, MyVerInstallFile_InstalledFileIsTheSourceWithItsDate)
{
    const std::wstring src = dir / L"a.dat", dst = dir / L"b.dat";
    for (const size_t size : {size_t{0}, size_t{3}, size_t{256 * 1024}, size_t{600 * 1024 + 7}}) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + i * 7 % 26);
        ::SetFileAttributesW(src.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(WriteBytes(src, bytes));
        ASSERT_TRUE(SetWriteYear(src, 2003));
        ASSERT_TRUE(::SetFileAttributesW(src.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
        ::SetFileAttributesW(dst.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(WriteBytes(dst, std::string(size + 100, 'o')));
        ASSERT_TRUE(SetWriteYear(dst, 2001));
        const std::wstring fresh = dir / (L"fresh" + std::to_wstring(size) + L".dat");

        EXPECT_EQ(0u, MyVerInstallFile(run, false, src, dst, true)) << size;
        EXPECT_EQ(0u, MyVerInstallFile(run, false, src, fresh, true)) << size;

        WIN32_FILE_ATTRIBUTE_DATA from{};
        ASSERT_TRUE(::GetFileAttributesExW(src.c_str(), GetFileExInfoStandard, &from));
        for (const std::wstring& installed : {dst, fresh}) {
            EXPECT_TRUE(bytes == ReadBytes(installed)) << Narrow(installed);
            WIN32_FILE_ATTRIBUTE_DATA to{};
            ASSERT_TRUE(::GetFileAttributesExW(installed.c_str(), GetFileExInfoStandard, &to));
            EXPECT_EQ(0, ::CompareFileTime(&from.ftLastWriteTime, &to.ftLastWriteTime)) << Narrow(installed);
            EXPECT_EQ(FILE_ATTRIBUTE_HIDDEN, to.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY))
                << Narrow(installed);
        }
        EXPECT_FALSE(AnyMatch(dir / L"*.~ov*")) << size;
    }
    ::SetFileAttributesW(src.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The same medium installed again: a file that already holds the source's
// bytes and date stays the file it is (read-only or not, it ends writable); one
// of the same size and date with other bytes is replaced.
TEST_F(InstallFileTest, MyVerInstallFile_FileAlreadyInPlaceIsKeptAndADamagedOneReplaced)
{
    struct Case {
        const char* what;
        DWORD attributes;
        size_t damagedAt;  // npos: the same bytes
        bool kept;
    } cases[] = {
        {"same bytes", FILE_ATTRIBUTE_NORMAL, std::string::npos, true},
        {"same bytes, read-only", FILE_ATTRIBUTE_READONLY, std::string::npos, true},
        {"one byte other after the first block", FILE_ATTRIBUTE_NORMAL, 40000, false},
    };
    const std::wstring src = dir / L"a.dat", dst = dir / L"b.dat";
    std::string bytes(50000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 31 % 251);
    ASSERT_TRUE(WriteBytes(src, bytes));
    ASSERT_TRUE(SetWriteYear(src, 2003));
    auto identity = [&dst] {
        BY_HANDLE_FILE_INFORMATION info{};
        fw::ScopedFile file(::CreateFileW(dst.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        ::GetFileInformationByHandle(file.Get(), &info);
        return (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    };
    for (const Case& c : cases) {
        ::SetFileAttributesW(dst.c_str(), FILE_ATTRIBUTE_NORMAL);
        std::string installed = bytes;
        if (c.damagedAt != std::string::npos) installed[c.damagedAt] ^= 0x55;
        ASSERT_TRUE(WriteBytes(dst, installed));
        ASSERT_TRUE(SetWriteYear(dst, 2003));
        ASSERT_TRUE(::SetFileAttributesW(dst.c_str(), c.attributes));
        const auto before = identity();

        EXPECT_EQ(1, InstallFile(run, src, dst, nullptr, true)) << c.what;

        EXPECT_TRUE(bytes == ReadBytes(dst)) << c.what;
        EXPECT_EQ(c.kept, before == identity()) << c.what;
        EXPECT_EQ(0u, Attributes(dst) & FILE_ATTRIBUTE_READONLY) << c.what;
        EXPECT_FALSE(AnyMatch(dir / L"*.~ov*")) << c.what;
    }
}

// Windows refuses to rename over a running program but lets it be renamed:
// the old file goes aside, the new one takes its place, the old one is removed.
TEST_F(InstallFileTest, MyVerInstallFile_OldFileThatRefusesTheRenameGoesAside)
{
    const std::wstring src = dir / L"a.txt", dst = dir / L"b.txt";
    ASSERT_TRUE(WriteBytes(src, "new"));
    ASSERT_TRUE(WriteBytes(dst, "old"));
    int refused = 0;
    run.renameOpenFile = [&refused](HANDLE file, const wchar_t* to, BOOL replace) {
        if (replace) {
            ++refused;
            ::SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        return RenameOpenFile(file, to, replace);
    };

    EXPECT_EQ(0u, MyVerInstallFile(run, true, src, dst, true));

    EXPECT_EQ(1, refused);
    EXPECT_EQ("new", ReadBytes(dst));
    EXPECT_FALSE(AnyMatch(dir / L"*.~ov*"));
    EXPECT_NE(std::string::npos, CopyLogText().find("\t\tFile installed OK.\r\n"));
}

TEST_F(InstallFileTest, MyVerInstallFile_FailedCopyKeepsTheOldFile)
{
    std::wstring src = dir / L"a.txt";
    std::wstring dst = dir / L"b.txt";
    ASSERT_TRUE(WriteBytes(src, "new"));
    ASSERT_TRUE(WriteBytes(dst, "old"));
    ASSERT_TRUE(::SetFileAttributesW(dst.c_str(), FILE_ATTRIBUTE_READONLY));
    // The source can be found but not read.
    HeldOpen lock(src);
    ASSERT_TRUE(lock.Held());

    std::vector<std::string> logSeen;  // the copy log as it is while the box is up
    ui.onMessage = [&](const AskedMessage&) { logSeen.push_back(ReadBytes(CopyLogPath())); };
    const unsigned result = MyVerInstallFile(run, true, src, dst, false);
    lock.Release();
    // The lines so far are on the disk while the user is asked.
    ASSERT_EQ(1u, logSeen.size());
    EXPECT_EQ(ExpectedCopyLog("failed-copy-while-the-user-is-asked", src, dst), logSeen[0]);

    EXPECT_EQ(kVifSharingViolation | kVifFileInUse, result);
    EXPECT_EQ("old", ReadBytes(dst));
    EXPECT_NE(0u, Attributes(dst) & FILE_ATTRIBUTE_READONLY);
    ::SetFileAttributesW(dst.c_str(), FILE_ATTRIBUTE_NORMAL);
    // Nothing but the two files is left in the folder (no file set aside).
    EXPECT_FALSE(AnyMatch(dir / L"ovk*.tmp"));
    EXPECT_FALSE(AnyMatch(dir / L"*.~ov*"));
    ASSERT_EQ(1u, ui.messages.size());
    const std::wstring text = src + L" --> " + dst + L"\r\nCopy failed.";
    EXPECT_EQ(text, ui.messages[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), ui.messages[0].flags);
    EXPECT_NE(std::string::npos, CopyLogText().find(Crlf("\t\t" + Narrow(text) + " Error code 32\n")));
}

TEST_F(InstallFileTest, InstallFile_MissingSourceIsReportedWithFlagNames)
{
    struct Case {
        bool quiet;
        int answer;
        int expected;
        size_t messages;
    } cases[] = {
        {false, IDOK, 0, 1},
        {false, IDCANCEL, -1, 1},
        {true, IDCANCEL, 0, 0},
    };
    for (const Case& c : cases) {
        ui.messages.clear();
        ui.Answer(c.answer);
        std::wstring src = dir / L"missing.dll";
        std::wstring dst = dir / L"dst.dll";
        EXPECT_EQ(c.expected, InstallFile(run, src, dst, nullptr, c.quiet));
        const std::wstring text = L"Failed to install file: " + src + L" --> " + dst + L"\r\nFlags = VIF_CANNOTREADSRC";
        ASSERT_EQ(c.messages, ui.messages.size());
        if (c.messages) {
            EXPECT_EQ(text, ui.messages[0].text);
            EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL), ui.messages[0].flags);
        }
        EXPECT_FALSE(FileExists(dst));
    }
    const std::string block = ExpectedCopyLog("missing-source", dir / L"missing.dll", dir / L"dst.dll");
    EXPECT_EQ(block + block + block, CopyLogText());
    EXPECT_EQ("", RunLogFileLines());
}

// The old file could not be got out of the way: the error decides between
// "cannot delete", "in use" and going on with a plain copy over it. The rename
// fails with each error in turn; the old file is read-only, and stays so
// wherever it stays.
TEST_F(InstallFileTest, MyVerInstallFile_OldFileThatCannotMoveDecidesByError)
{
    struct Case {
        DWORD error;
        DWORD attributes;
        unsigned expected;
        const char* verdict;
    } cases[] = {
        {ERROR_PATH_NOT_FOUND, 0, kVifCannotDelete, "\t\t**Aborting operation du to error.\n"},
        {ERROR_TOO_MANY_OPEN_FILES, 0, kVifCannotDelete, "\t\t**Aborting operation du to error.\n"},
        {ERROR_OUTOFMEMORY, 0, kVifCannotDelete, "\t\t**Aborting operation du to error.\n"},
        {ERROR_NO_MORE_FILES, 0, kVifCannotDelete, "\t\t**Aborting operation du to error.\n"},
        {ERROR_NETWORK_BUSY, 0, kVifCannotDelete, "\t\t**Aborting operation du to error.\n"},
        {ERROR_ACCESS_DENIED, 0, kVifCannotDelete | kVifFileInUse, "\t\t**Aborting operation du to error.\n"},
        {ERROR_SHARING_VIOLATION, 0, kVifCannotDelete | kVifFileInUse, "\t\t**Aborting operation du to error.\n"},
        {ERROR_PATH_NOT_FOUND, FILE_ATTRIBUTE_SYSTEM, kVifFileInUse,
         "\t\tSystem attribute on file.. Assuming file in use...\n"},
        // Any other error: no plain copy over the old file, which could leave it
        // half-written; it stays byte for byte and the new one is not installed.
        {ERROR_INVALID_PARAMETER, 0, kVifCannotDelete, "\t\t**Aborting operation du to error.\n"},
    };
    const std::wstring src = dir / L"a.txt", dst = dir / L"b.txt";
    ASSERT_TRUE(WriteBytes(src, "new"));
    DWORD failWith = 0;
    run.moveFile = [&failWith](const wchar_t*, const wchar_t*, DWORD) {
        ::SetLastError(failWith);
        return FALSE;
    };
    run.renameOpenFile = [&failWith](HANDLE, const wchar_t*, BOOL) {
        ::SetLastError(failWith);
        return FALSE;
    };
    // Windows refuses to copy over a read-only file; Wine running as root does not.
    run.copyFile = [](const wchar_t* from, const wchar_t* to, BOOL failIfExists) {
        if (IsReadOnly(to)) {
            ::SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        return ::CopyFileW(from, to, failIfExists);
    };
    for (const Case& c : cases) {
        ::SetFileAttributesW(dst.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(WriteBytes(dst, "old"));
        ASSERT_TRUE(::SetFileAttributesW(dst.c_str(), FILE_ATTRIBUTE_READONLY | c.attributes));
        failWith = c.error;
        const size_t logBefore = CopyLogText().size();

        EXPECT_EQ(c.expected, MyVerInstallFile(run, true, src, dst, true)) << c.error;

        const std::string block = CopyLogText().substr(logBefore);
        EXPECT_NE(std::string::npos, block.find(Crlf("File is prepered for delete...  **Failed. Error code " +
                                                      std::to_string(c.error) + "\n" + c.verdict)))
            << block;
        EXPECT_EQ(c.expected ? "old" : "new", ReadBytes(dst)) << c.error;
        EXPECT_EQ(c.expected ? FILE_ATTRIBUTE_READONLY : 0u, Attributes(dst) & FILE_ATTRIBUTE_READONLY) << c.error;
        EXPECT_FALSE(AnyMatch(dir / L"*.~ov*"));
        EXPECT_FALSE(AnyMatch(dir / L"ovk*.tmp"));
    }
    ::SetFileAttributesW(dst.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The copy itself failed: the error decides the result bits; the user is told.
TEST_F(InstallFileTest, MyVerInstallFile_FailedCopyDecidesByError)
{
    struct Case {
        DWORD error;
        unsigned expected;
    } cases[] = {
        {ERROR_FILE_NOT_FOUND, kVifCannotReadSrc},
        {ERROR_ACCESS_DENIED, kVifAccessViolation},
        {ERROR_SHARING_VIOLATION, kVifSharingViolation | kVifFileInUse},
        {ERROR_DISK_FULL, kVifCannotCreate},
    };
    const std::wstring src = dir / L"a.txt", dst = dir / L"b.txt";
    ASSERT_TRUE(WriteBytes(src, "new"));
    DWORD failWith = 0;
    run.copyData = [&failWith](HANDLE, HANDLE) {
        ::SetLastError(failWith);
        return FALSE;
    };
    const std::wstring text = src + L" --> " + dst + L"\r\nCopy failed.";
    for (const Case& c : cases) {
        ui.messages.clear();
        failWith = c.error;
        EXPECT_EQ(c.expected, MyVerInstallFile(run, true, src, dst, false)) << c.error;
        ASSERT_EQ(1u, ui.messages.size());
        EXPECT_EQ(text, ui.messages[0].text);
        EXPECT_NE(std::string::npos,
                  CopyLogText().find(Crlf("\t\t" + Narrow(text) + " Error code " + std::to_string(c.error) + "\n")));
        EXPECT_FALSE(FileExists(dst));
    }
}

TEST_F(InstallFileTest, MyVerInstallFile_SourceWhoseVersionCannotBeReadIsNotCopied)
{
    std::wstring src = Place(L"ver2003.dll", L"src.dll");
    std::wstring dst = Place(L"ver2001.dll", L"dst.dll");
    const std::string old = ReadBytes(dst);
    HeldOpen lock(src);  // found by the search, but not readable
    ASSERT_TRUE(lock.Held());

    EXPECT_EQ(kVifCannotReadSrc, MyVerInstallFile(run, false, src, dst, false));
    lock.Release();

    EXPECT_TRUE(old == ReadBytes(dst));
    EXPECT_EQ(ExpectedCopyLog("unreadable-source-version", src, dst), CopyLogText());
}

// A copy that dies half way (disk full) after it began to write its destination.
BOOL CopyThatFillsTheDisk(HANDLE, HANDLE to)
{
    DWORD written = 0;
    ::WriteFile(to, "ne", 2, &written, nullptr);
    ::SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

// A name one past the longest a folder entry may have with ".~ovk" added: the
// old file goes aside under a temporary name of the folder all the same, so the
// failed copy leaves it whole.
TEST_F(InstallFileTest, MyVerInstallFile_OldFileWithLongNameIsKeptThroughAFailedCopy)
{
    const std::wstring src = dir / L"a.txt", dst = dir / std::wstring(251, L'n');
    ASSERT_TRUE(WriteBytes(src, "new"));
    ASSERT_TRUE(WriteBytes(dst, "old"));
    run.copyData = CopyThatFillsTheDisk;

    EXPECT_EQ(kVifCannotCreate, MyVerInstallFile(run, true, src, dst, true));

    EXPECT_EQ("old", ReadBytes(dst));
    EXPECT_FALSE(AnyMatch(dir / L"ovk*.tmp"));
    EXPECT_EQ(std::string::npos, CopyLogText().find("**Failed."));
}

// The copy failed and the old file, set aside, cannot go back: the copy log
// says where it is, and the file is not installed (nor tried again).
TEST_F(InstallFileTest, InstallFile_OldFileThatCannotGoBackIsNamedAndNotInstalled)
{
    const std::wstring src = dir / L"a.txt", dst = dir / L"b.txt";
    ASSERT_TRUE(WriteBytes(src, "new"));
    ASSERT_TRUE(WriteBytes(dst, "old"));
    ASSERT_TRUE(SetWriteYear(dst, 2001));
    run.copyData = CopyThatFillsTheDisk;
    run.moveFile = [&dst](const wchar_t* from, const wchar_t* to, DWORD flags) {
        if (to && dst == to && std::wstring(from).find(L".~ovk") != std::wstring::npos) {
            ::SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        return ::MoveFileExW(from, to, flags);
    };

    EXPECT_EQ(0, InstallFile(run, src, dst, nullptr, true));

    EXPECT_EQ("old", ReadBytes(dst + L".~ovk"));
    const std::string log = CopyLogText();
    EXPECT_NE(std::string::npos,
              log.find(Crlf("\t\t**Failed to put the old file back from " + Narrow(dst) + ".~ovk. Error code 5\n")));
    EXPECT_NE(std::string::npos, log.find("VIF_CANNOTCREATEVIF_CANNOTRENAME\r\n"));
    EXPECT_EQ(std::string::npos, log.find("Trying to force installation"));
    EXPECT_EQ("", RunLogFileLines());
}

// On the NT family the first bytes of a file spare the version library where
// they show it has nothing to read; what is decided and logged is what the
// library says itself (as it does for the other system kinds).
TEST_F(InstallFileTest, MyVerInstallFile_FirstBytesDecideAsTheVersionLibraryWould)
{
    const std::string v2001 = ReadBytes(VersionDll(L"ver2001.dll")), v2003 = ReadBytes(VersionDll(L"ver2003.dll"));
    struct Case {
        const char* what;
        std::string source, dest;
        unsigned expected;
    } cases[] = {
        {"text", "plain text", v2003, kVifSrcOld},
        {"empty", "", v2003, kVifSrcOld},
        {"a bare MZ", "MZ", v2003, kVifSrcOld},
        {"a library named like data", v2001, v2003, kVifSrcOld | kVifMismatch},
        {"text over a library", v2003, "plain text", 0},
    };
    const std::wstring src = dir / L"s.cad", dst = dir / L"d.cad";
    for (const Case& c : cases) {
        std::string blocks[2];
        for (int i = 0; i < 2; ++i) {
            run.systemKind = i == 0 ? SystemKind::NtFamily : SystemKind::Old16BitHost;
            ASSERT_TRUE(WriteBytes(src, c.source));
            ASSERT_TRUE(WriteBytes(dst, c.dest));
            ASSERT_TRUE(SetWriteYear(dst, 2030));
            const size_t before = CopyLogText().size();
            EXPECT_EQ(c.expected, MyVerInstallFile(run, false, src, dst, true)) << c.what;
            blocks[i] = CopyLogText().substr(before);
        }
        EXPECT_EQ(blocks[1], blocks[0]) << c.what;
    }
}

// A version resource that lies about its size or place is version information
// that cannot be read: the date decides, and a file newer only by date is
// overwritten all the same on the second attempt.
TEST_F(InstallFileTest, InstallFile_VersionResourceOutsideTheFileCountsAsUnreadable)
{
    const std::string unreadSrc = "\t\tFailed to get version information on src.\r\n";
    const std::string unreadDst = "\t\tDst exist\r\n\t\tDst exist\r\n";
    const std::string byDate = "\t\tComparsion are defaulting to file date...\r\n";
    struct Case {
        const char* what;
        bool craftSource;
        void (*craft)(CraftedDll&);
        WORD sourceYear;  // the destination is from 2010
        const std::string& before;
    } cases[] = {
        {"source ends 40 bytes into a block of 16 KB", true,
         [](CraftedDll& d) { d.Put32(d.entry + 4, 16384).bytes.resize(d.block + 40); }, 2001, unreadSrc},
        {"destination's resources outside the file", false,
         [](CraftedDll& d) { d.Put32(d.ResourceDirectory(), 0x7FFFF000); }, 2020, unreadDst},
    };
    for (const Case& c : cases) {
        CraftedDll crafted(c.craftSource ? L"ver2001.dll" : L"ver2003.dll");
        ASSERT_TRUE(crafted.Found());
        c.craft(crafted);
        const std::wstring src = dir / L"src.dll", dst = dir / L"dst.dll";
        ASSERT_TRUE(WriteBytes(src, c.craftSource ? crafted.bytes : ReadBytes(VersionDll(L"ver2001.dll"))));
        ASSERT_TRUE(WriteBytes(dst, c.craftSource ? ReadBytes(VersionDll(L"ver2003.dll")) : crafted.bytes));
        ASSERT_TRUE(SetWriteYear(src, c.sourceYear));
        ASSERT_TRUE(SetWriteYear(dst, 2010));
        const size_t logBefore = CopyLogText().size();

        EXPECT_EQ(1, InstallFile(run, src, dst, nullptr, true)) << c.what;

        EXPECT_TRUE(ReadBytes(src) == ReadBytes(dst)) << c.what;
        const std::string log = CopyLogText().substr(logBefore);
        const std::string verdict = c.sourceYear < 2010 ? "\t\tDst are newer than the install file.\r\n"
                                                        : "\t\tPrepering for copy...\r\n";
        EXPECT_NE(std::string::npos, log.find(c.before + byDate + verdict)) << c.what << "\n" << log;
        EXPECT_EQ(c.sourceYear < 2010, log.find("Trying to force installation") != std::string::npos) << c.what;
    }
}

TEST(VifFlagNamesTest, VifFlagNames_FollowTheMessageOrder)
{
    EXPECT_EQ(L"", VifFlagNames(0));
    EXPECT_EQ(L"VIF_MISMATCHVIF_SRCOLD", VifFlagNames(kVifSrcOld | kVifMismatch));
    EXPECT_EQ(L"VIF_FILEINUSEVIF_CANNOTDELETE", VifFlagNames(kVifCannotDelete | kVifFileInUse));
    // Two pairs stand in the message out of value order.
    EXPECT_EQ(L"VIF_CANNOTDELETECURVIF_CANNOTRENAME", VifFlagNames(kVifCannotRename | kVifCannotDeleteCur));
    EXPECT_EQ(L"VIF_BUFFTOOSMALLVIF_CANNOTREADDST", VifFlagNames(kVifCannotReadDst | kVifBuffTooSmall));
    EXPECT_EQ(L"VIF_TEMPFILEVIF_MISMATCHVIF_SRCOLDVIF_DIFFLANGVIF_DIFFCODEPGVIF_DIFFTYPEVIF_WRITEPROT"
              L"VIF_FILEINUSEVIF_OUTOFSPACEVIF_ACCESSVIOLATIONVIF_SHARINGVIOLATIONVIF_CANNOTCREATE"
              L"VIF_CANNOTDELETEVIF_CANNOTDELETECURVIF_CANNOTRENAMEVIF_OUTOFMEMORYVIF_CANNOTREADSRC"
              L"VIF_BUFFTOOSMALLVIF_CANNOTREADDST",
              VifFlagNames(0x7FFFF));
}

}  // namespace
