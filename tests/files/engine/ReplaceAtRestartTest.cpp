// Destinations in use: a temporary copy beside them that replaces them at the next
// start (delayed move on the NT family, wininit.ini on the 95 family), and the
// question to the user where neither is possible.
#include "files/FilesFixture.h"
#include "support/Win32Support.h"

#include "resources/resource.h"
#include "files/engine/InstallFile.h"
#include "framework/Strings.h"
#include "platform/PathUtil.h"
#include "files/engine/RunLogs.h"

#include <algorithm>
#include <vector>

namespace {

const wchar_t kSessionManager[] = L"System\\CurrentControlSet\\Control\\Session Manager";
const wchar_t kPendingRenames[] = L"PendingFileRenameOperations";

// The delayed moves the system holds; restores what was there before on destruction.
class PendingRenames {
public:
    PendingRenames() { present_ = Read(saved_); }
    ~PendingRenames()
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        if (present_)
            ::RegSetValueExW(key, kPendingRenames, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(saved_.data()),
                             static_cast<DWORD>(saved_.size() * sizeof(wchar_t)));
        else
            ::RegDeleteValueW(key, kPendingRenames);
        ::RegCloseKey(key);
    }

    // The strings of the value now.
    static std::vector<std::wstring> Entries()
    {
        std::wstring raw;
        std::vector<std::wstring> entries;
        if (!Read(raw)) return entries;
        for (size_t pos = 0; pos < raw.size();) {
            size_t end = raw.find(L'\0', pos);
            if (end == std::wstring::npos) end = raw.size();
            if (end > pos) entries.push_back(raw.substr(pos, end - pos));
            pos = end + 1;
        }
        return entries;
    }

private:
    static bool Read(std::wstring& raw)
    {
        DWORD type = 0, size = 0;
        if (::RegGetValueW(HKEY_LOCAL_MACHINE, kSessionManager, kPendingRenames, RRF_RT_REG_MULTI_SZ, &type, nullptr,
                           &size) != ERROR_SUCCESS)
            return false;
        raw.assign(size / sizeof(wchar_t), L'\0');
        if (::RegGetValueW(HKEY_LOCAL_MACHINE, kSessionManager, kPendingRenames, RRF_RT_REG_MULTI_SZ, &type,
                           raw.data(), &size) != ERROR_SUCCESS)
            return false;
        raw.resize(size / sizeof(wchar_t));
        return true;
    }

    bool present_ = false;
    std::wstring saved_;
};

// The user, who closes the program holding the file before answering.
class ReplaceAtRestartTest : public FilesTest {
protected:
    void SetUp() override { OpenLogs(); }

    std::wstring Place(const std::wstring& dll, const std::wstring& name)
    {
        std::wstring path = dir / name;
        EXPECT_TRUE(::CopyFileW(VersionDll(dll).c_str(), path.c_str(), FALSE));
        return path;
    }
};

TEST_F(ReplaceAtRestartTest, InstallFile_InUseOnNtRegistersDelayedMoves)
{
    PendingRenames pending;
    run.systemKind = SystemKind::NtFamily;
    std::wstring src = Place(L"ver2003.dll", L"src.dll");
    std::wstring first = Place(L"ver2001.dll", L"first.dll");
    std::wstring second = Place(L"ver2001.dll", L"second.dll");
    const std::string old = ReadBytes(first);
    HeldOpen holdFirst(first), holdSecond(second);
    ASSERT_TRUE(holdFirst.Held() && holdSecond.Held());

    EXPECT_EQ(1, InstallFile(run, src, first, nullptr, false));
    EXPECT_EQ(1, InstallFile(run, src, second, nullptr, false));
    holdFirst.Release();
    holdSecond.Release();

    EXPECT_TRUE(run.RestartNeeded());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(old == ReadBytes(first));
    EXPECT_TRUE(ReadBytes(src) == ReadBytes(dir / L"first.000"));
    EXPECT_TRUE(ReadBytes(src) == ReadBytes(dir / L"second.001"));
    EXPECT_EQ(ExpectedCopyLog("in-use-replaced-at-restart-nt", src, first, dir / L"first.000") +
                  ExpectedCopyLog("in-use-replaced-at-restart-nt", src, second, dir / L"second.001"),
              CopyLogText());
    EXPECT_EQ("file 0 0 " + Narrow(first) + "\nfile 0 0 " + Narrow(second) + "\n", RunLogFileLines());

    // Source and destination of each move, one after the other, destination marked to replace.
    std::vector<std::wstring> entries = PendingRenames::Entries();
    auto at = [&](const std::wstring& entry) {
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i] == entry) return static_cast<int>(i);
        return -1;
    };
    int firstMove = at(L"\\??\\" + dir.Path() + L"\\first.000");
    ASSERT_GE(firstMove, 0);
    EXPECT_EQ(firstMove + 1, at(L"!\\??\\" + first));
    int secondMove = at(L"\\??\\" + dir.Path() + L"\\second.001");
    ASSERT_GE(secondMove, 0);
    EXPECT_EQ(secondMove + 1, at(L"!\\??\\" + second));
}

TEST_F(ReplaceAtRestartTest, InstallFile_InUseOn95FamilyWritesWininit)
{
    run.systemKind = SystemKind::Win95Family;
    std::wstring windows = dir / L"windows";
    ASSERT_TRUE(MakeDirs(windows));
    run.windowsFolder = windows;
    // Existing content stays; its unterminated last line keeps its own line.
    ASSERT_TRUE(WriteBytes(windows + L"\\wininit.ini", "[boot]\r\nkept=1"));
    std::wstring src = Place(L"ver2003.dll", L"src.dll");
    std::wstring first = Place(L"ver2001.dll", L"first.dll");
    std::wstring second = Place(L"ver2001.dll", L"second.dll");
    HeldOpen holdFirst(first), holdSecond(second);

    EXPECT_EQ(1, InstallFile(run, src, first, nullptr, false));
    EXPECT_EQ(1, InstallFile(run, src, second, nullptr, false));

    EXPECT_TRUE(run.RestartNeeded());
    const std::string f = Narrow(first), s = Narrow(second);
    EXPECT_EQ("[boot]\r\nkept=1\r\n[rename]\r\nNUL=" + f + "\r\n" + f + "=" + Narrow(dir / L"first.000") + "\r\nNUL=" +
                  s + "\r\n" + s + "=" + Narrow(dir / L"second.001") + "\r\n",
              ReadBytes(windows + L"\\wininit.ini"));
    EXPECT_EQ(ExpectedCopyLog("in-use-replaced-at-restart-95", src, first, dir / L"first.000") +
                  ExpectedCopyLog("in-use-replaced-at-restart-95", src, second, dir / L"second.001"),
              CopyLogText());
}

TEST_F(ReplaceAtRestartTest, InstallFile_InUseOnOldHostAsksTheUser)
{
    run.systemKind = SystemKind::Old16BitHost;
    std::wstring src = Place(L"ver2003.dll", L"src.dll");
    std::wstring dst = Place(L"ver2001.dll", L"dst.dll");
    const std::string old = ReadBytes(dst);
    HeldOpen hold(dst);
    struct Case {
        int answer;
        bool quiet;
        int expected;
        const char* recorded;
    } cases[] = {
        {IDABORT, false, -1, ""},
        {IDIGNORE, false, 0, ""},  // the copy goes on; the file is not installed, nor recorded
        {IDABORT, true, 0, ""},    // quiet: no question, counts as Ignore
    };
    std::vector<std::wstring> told;
    run.reporter = [&told](const std::wstring& line) { told.push_back(line); };
    for (const Case& c : cases) {
        ui.messages.clear();
        ui.Answer(c.answer);
        told.clear();
        const std::string runLogBefore = RunLogFileLines();
        EXPECT_EQ(c.expected, InstallFile(run, src, dst, nullptr, c.quiet));
        // The setup log names every file that is not there.
        EXPECT_EQ(c.expected == 0 ? 1u : 0u, told.size());
        if (!told.empty()) {
            EXPECT_EQ(0u, told[0].find(L"not installed: " + dst));
        }
        if (c.quiet) {
            EXPECT_TRUE(ui.messages.empty());
        } else {
            ASSERT_EQ(1u, ui.messages.size());
            EXPECT_EQ(static_cast<UINT>(IDS_FILE_IN_USE), ui.messages[0].stringId);
            EXPECT_EQ(fw::FormatStr(nullptr, IDS_FILE_IN_USE, dst), ui.messages[0].text);
            EXPECT_EQ(static_cast<UINT>(MB_ABORTRETRYIGNORE | MB_ICONWARNING), ui.messages[0].flags);
        }
        const std::string recorded = *c.recorded ? std::string(c.recorded) + Narrow(dst) + "\n" : "";
        EXPECT_EQ(runLogBefore + recorded, RunLogFileLines());
    }
    EXPECT_FALSE(run.RestartNeeded());
    hold.Release();
    EXPECT_TRUE(old == ReadBytes(dst));
    EXPECT_NE(std::string::npos,
              CopyLogText().find("\t\tFile installed OK.\r\n*** Dont know how to install shared files on this system. "
                                 "Shared files will not be installed. if they are in use by Windows.\r\n"));
}

TEST_F(ReplaceAtRestartTest, InstallFile_RetryInstallsOnceTheFileIsFree)
{
    run.systemKind = SystemKind::Old16BitHost;
    std::wstring src = Place(L"ver2003.dll", L"src.dll");
    std::wstring dst = Place(L"ver2001.dll", L"dst.dll");
    HeldOpen hold(dst);
    // The user closes the program holding the file before answering.
    ui.onMessage = [&hold](const AskedMessage&) { hold.Release(); };
    ui.Answer(IDRETRY);

    EXPECT_EQ(1, InstallFile(run, src, dst, nullptr, false));

    EXPECT_EQ(1u, ui.messages.size());
    EXPECT_TRUE(ReadBytes(src) == ReadBytes(dst));
    EXPECT_EQ("file 0 0 " + Narrow(dst) + "\n", RunLogFileLines());
}

TEST_F(ReplaceAtRestartTest, InstallFile_FailedTemporaryCopyIsNotScheduled)
{
    PendingRenames pending;
    run.systemKind = SystemKind::NtFamily;
    std::wstring src = Place(L"ver2003.dll", L"src.dll");
    std::wstring dst = Place(L"ver2001.dll", L"dst.dll");
    HeldOpen hold(dst);
    // The source cannot be read either, so the copy to the temporary name fails.
    HeldOpen holdSource(src);
    ui.Answer(IDOK);     // "Copy failed." of the temporary copy
    ui.Answer(IDABORT);  // the file-in-use question

    EXPECT_EQ(-1, InstallFile(run, src, dst, nullptr, false));

    EXPECT_FALSE(run.RestartNeeded());
    ASSERT_EQ(2u, ui.messages.size());
    EXPECT_EQ(static_cast<UINT>(IDS_FILE_IN_USE), ui.messages[1].stringId);
    EXPECT_NE(std::string::npos, CopyLogText().find("NT: ***MoveFileEx() failed!\r\n"));
    EXPECT_FALSE(FileExists(dir / L"dst.000"));
    for (const std::wstring& entry : PendingRenames::Entries()) EXPECT_EQ(std::wstring::npos, entry.find(dst));
}

// A loaded library can be renamed but not deleted: the new file goes in at
// once, the old one waits beside it until the next start removes it.
TEST_F(ReplaceAtRestartTest, InstallFile_LoadedLibraryIsReplacedAndTheOldOneGoesAtRestart)
{
    PendingRenames pending;
    std::wstring windows = dir / L"windows";
    ASSERT_TRUE(MakeDirs(windows));
    run.windowsFolder = windows;
    std::wstring src = Place(L"ver2003.dll", L"src.dll");
    for (SystemKind kind : {SystemKind::NtFamily, SystemKind::Win95Family}) {
        run.systemKind = kind;
        run.ResetOutcome();
        const std::wstring dst = dir / (kind == SystemKind::NtFamily ? L"nt.dll" : L"w95.dll");
        ASSERT_TRUE(::CopyFileW(VersionDll(L"ver2001.dll").c_str(), dst.c_str(), FALSE));
        HMODULE loaded = ::LoadLibraryW(dst.c_str());
        ASSERT_TRUE(loaded);

        EXPECT_EQ(1, InstallFile(run, src, dst, nullptr, false));

        const std::wstring aside = dst + L".~ovk";
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_TRUE(ReadBytes(src) == ReadBytes(dst));
        EXPECT_TRUE(FileExists(aside));
        EXPECT_TRUE(run.RestartNeeded());  // the old code runs until then
        EXPECT_NE(std::string::npos, CopyLogText().find(Crlf("\t\tOld file set aside as " + Narrow(aside) +
                                                             " is in use: it is removed at the next restart.\n")));
        if (kind == SystemKind::NtFamily) {
            const std::vector<std::wstring> entries = PendingRenames::Entries();
            EXPECT_NE(entries.end(), std::find(entries.begin(), entries.end(), L"\\??\\" + aside));
        } else {
            EXPECT_EQ("[rename]\r\nNUL=" + Narrow(aside) + "\r\n", ReadBytes(windows + L"\\wininit.ini"));
        }
        ::FreeLibrary(loaded);
    }
}

// Retry forces the copy once more; while the file is still held, the question comes again.
TEST_F(ReplaceAtRestartTest, InstallFile_RetryAsksAgainWhileTheFileIsHeld)
{
    run.systemKind = SystemKind::Old16BitHost;
    std::wstring src = Place(L"ver2003.dll", L"src.dll");
    std::wstring dst = Place(L"ver2001.dll", L"dst.dll");
    const std::string old = ReadBytes(dst);
    HeldOpen hold(dst);
    ui.Answer(IDRETRY);
    ui.Answer(IDRETRY);
    ui.Answer(IDABORT);

    EXPECT_EQ(-1, InstallFile(run, src, dst, nullptr, false));

    ASSERT_EQ(3u, ui.messages.size());
    for (const AskedMessage& asked : ui.messages) EXPECT_EQ(static_cast<UINT>(IDS_FILE_IN_USE), asked.stringId);
    hold.Release();
    EXPECT_TRUE(old == ReadBytes(dst));
    EXPECT_EQ("", RunLogFileLines());
}

// The 95 family's replacement list cannot be written: the user is asked.
TEST_F(ReplaceAtRestartTest, InstallFile_UnwritableWininitAsksTheUser)
{
    run.systemKind = SystemKind::Win95Family;
    std::wstring windows = dir / L"windows";
    ASSERT_TRUE(MakeDirs(windows + L"\\wininit.ini"));  // a folder in the way
    run.windowsFolder = windows;
    std::wstring src = Place(L"ver2003.dll", L"src.dll");
    std::wstring dst = Place(L"ver2001.dll", L"dst.dll");
    HeldOpen hold(dst);
    ui.Answer(IDIGNORE);

    EXPECT_EQ(0, InstallFile(run, src, dst, nullptr, false));  // Ignore: the copy goes on without it

    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(static_cast<UINT>(IDS_FILE_IN_USE), ui.messages[0].stringId);
    EXPECT_FALSE(run.RestartNeeded());
    EXPECT_EQ(std::string::npos, CopyLogText().find("Scheduled replace at boot OK"));
}

TEST_F(ReplaceAtRestartTest, InstallFile_WindowsFolderStaysOutOfTheRunLog)
{
    std::wstring windows = dir / L"Win";
    ASSERT_TRUE(MakeDirs(windows + L"\\system"));
    ASSERT_TRUE(MakeDirs(dir / L"WinApps"));
    ASSERT_TRUE(MakeDirs(dir / L"pkg"));
    run.windowsFolder = windows;
    std::wstring src = Place(L"ver2001.dll", L"src.dll");
    std::unique_ptr<UninstallLog> packageLog = OpenPackageLog(run, dir / L"pkg");
    ASSERT_TRUE(packageLog);

    // The case of the folder does not matter.
    std::wstring inside = dir / L"WIN\\system\\a.dll";
    std::wstring beside = dir / L"WinApps\\b.dll";
    EXPECT_EQ(1, InstallFile(run, src, inside, packageLog.get(), true));
    EXPECT_EQ(1, InstallFile(run, src, beside, packageLog.get(), true));
    packageLog.reset();

    EXPECT_EQ("file 0 0 " + Narrow(dir / L"pkg\\_uninst.inf") + "\nfile 0 0 " + Narrow(beside) + "\n",
              RunLogFileLines());
    const std::string pkg = Narrow(dir / L"pkg");
    EXPECT_EQ("dir " + pkg + "\ndir " + pkg + "\\lvk\ndir " + pkg + "\\cad\ndir " + pkg + "\\pic\ndir " + pkg +
                  "\\dtb\nfile 0 0 " + Narrow(inside) + "\nfile 0 0 " + Narrow(beside) + "\n",
              ReadBytes(dir / L"pkg\\_uninst.inf"));
}

}  // namespace
