// The uninstall logs and the copy log on the disk: header, line ends, appending.
#include "files/FilesFixture.h"

#include "platform/PathUtil.h"
#include "files/engine/RunLogs.h"

namespace {

using UninstallLogTest = FilesTest;

TEST_F(UninstallLogTest, OpenUninstallLog_WritesHeaderOnlyIntoNewFile)
{
    const std::wstring path = RunLogPath();
    ASSERT_TRUE(OpenUninstallLog(run, path));
    run.RunLog()->WriteFile(L"C:\\a b\\x.dll");
    run.runLog.Close();
    EXPECT_EQ(nullptr, run.RunLog());

    ASSERT_TRUE(OpenUninstallLog(run, path));
    run.RunLog()->WriteDir(L"C:\\a b\\sub");
    // Opening again while open keeps the log that is open.
    ASSERT_TRUE(OpenUninstallLog(run, dir / L"other.inf"));
    run.RunLog()->WriteFile(L"C:\\y.txt");
    run.runLog.Close();

    EXPECT_EQ("ORVEK V3.5\nfile 0 0 C:\\a b\\x.dll\ndir C:\\a b\\sub\nfile 0 0 C:\\y.txt\n", ReadBytes(path));
    EXPECT_FALSE(FileExists(dir / L"other.inf"));
}

TEST_F(UninstallLogTest, OpenUninstallLog_AppendsToExistingFileWithoutHeader)
{
    ASSERT_TRUE(WriteBytes(RunLogPath(), "ORVEK V3.5\nfile 0 0 C:\\old.dll\n"));
    ASSERT_TRUE(OpenUninstallLog(run, RunLogPath()));
    run.RunLog()->WriteFile(L"C:\\new.dll");
    run.runLog.Close();
    EXPECT_EQ("ORVEK V3.5\nfile 0 0 C:\\old.dll\nfile 0 0 C:\\new.dll\n", ReadBytes(RunLogPath()));
}

TEST_F(UninstallLogTest, OpenUninstallLog_FailsQuietlyWhereNoFileCanBe)
{
    EXPECT_FALSE(OpenUninstallLog(run, dir / L"missing\\.UNINST.INF"));
    EXPECT_EQ(nullptr, run.RunLog());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(UninstallLogTest, OpenPackageLog_RecordsItselfAndTheFixedFoldersEachTime)
{
    ASSERT_TRUE(OpenUninstallLog(run, RunLogPath()));
    const std::wstring folder = dir / L"pkg";
    ASSERT_TRUE(MakeDirs(folder));
    const std::string p = Narrow(folder);
    const std::string dirs =
        "dir " + p + "\ndir " + p + "\\lvk\ndir " + p + "\\cad\ndir " + p + "\\pic\ndir " + p + "\\dtb\n";

    for (int time = 0; time < 2; ++time) {
        std::unique_ptr<UninstallLog> log = OpenPackageLog(run, folder);
        ASSERT_TRUE(log);
        log->WriteFile(folder + L"\\cad\\f" + std::to_wstring(time) + L".cad");
    }
    run.runLog.Close();

    EXPECT_EQ(dirs + "file 0 0 " + p + "\\cad\\f0.cad\n" + dirs + "file 0 0 " + p + "\\cad\\f1.cad\n",
              ReadBytes(folder + L"\\_uninst.inf"));
    const std::string logLine = "file 0 0 " + p + "\\_uninst.inf\n";
    EXPECT_EQ("ORVEK V3.5\n" + logLine + logLine, ReadBytes(RunLogPath()));
}

TEST_F(UninstallLogTest, OpenPackageLog_MissingFolderGivesNoLogAndNoRunLogLine)
{
    ASSERT_TRUE(OpenUninstallLog(run, RunLogPath()));
    EXPECT_EQ(nullptr, OpenPackageLog(run, dir / L"nowhere"));
    run.runLog.Close();
    EXPECT_EQ("ORVEK V3.5\n", ReadBytes(RunLogPath()));
}

TEST_F(UninstallLogTest, OpenPackageLog_WithoutRunLogStillWritesPackageLog)
{
    std::unique_ptr<UninstallLog> log = OpenPackageLog(run, dir.Path());
    ASSERT_TRUE(log);
    log.reset();
    EXPECT_EQ(0u, ReadBytes(dir / L"_uninst.inf").find("dir " + Narrow(dir.Path()) + "\n"));
}

TEST_F(UninstallLogTest, OpenCopyLog_IsRecordedAndWritesCrLf)
{
    ASSERT_TRUE(OpenUninstallLog(run, RunLogPath()));
    ASSERT_TRUE(WriteBytes(CopyLogPath(), "earlier run\r\n"));
    ASSERT_TRUE(OpenCopyLog(run, CopyLogPath()));
    run.copyLog.Write(L"\tone\n\ttwo\n");
    run.copyLog.Close();
    run.copyLog.Write(L"closed: not written\n");

    EXPECT_EQ("earlier run\r\n\tone\r\n\ttwo\r\n", ReadBytes(CopyLogPath()));
    EXPECT_EQ("ORVEK V3.5\nfile 0 0 " + Narrow(CopyLogPath()) + "\n", ReadBytes(RunLogPath()));
}

// A package installer appends to the logs while the run holds them open: its
// lines stay, and the run's next lines follow them.
TEST_F(UninstallLogTest, LogsTakeOtherWritersAndAppendAfterThem)
{
    OpenLogs();
    std::unique_ptr<UninstallLog> packageLog = OpenPackageLog(run, dir.Path());
    ASSERT_TRUE(packageLog);
    const std::wstring packageLogPath = dir / L"_uninst.inf";
    for (const std::wstring& path : {RunLogPath(), CopyLogPath(), packageLogPath}) {
        // As a C stream opened for appending does it.
        HANDLE other = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, other) << Narrow(path) << " error " << ::GetLastError();
        DWORD written = 0;
        ::SetFilePointer(other, 0, nullptr, FILE_END);
        EXPECT_TRUE(::WriteFile(other, "theirs\n", 7, &written, nullptr));
        ::CloseHandle(other);
    }
    run.RunLog()->WriteFile(L"C:\\ours.dll");
    packageLog->WriteFile(L"C:\\ours.cad");
    run.copyLog.Write(L"ours\n");
    packageLog.reset();
    run.copyLog.Close();
    run.runLog.Close();

    const auto endsWith = [](const std::string& text, const std::string& end) {
        return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
    };
    EXPECT_TRUE(endsWith(ReadBytes(RunLogPath()), "\ntheirs\nfile 0 0 C:\\ours.dll\n"));
    EXPECT_TRUE(endsWith(ReadBytes(packageLogPath), "\ntheirs\nfile 0 0 C:\\ours.cad\n"));
    EXPECT_TRUE(endsWith(ReadBytes(CopyLogPath()), "theirs\nours\r\n"));
}

TEST_F(UninstallLogTest, AHeldLogReachesTheDiskAtItsBlockSizeAtFlushAndAtClose)
{
    UninstallLog log;
    ASSERT_TRUE(log.Open(RunLogPath()));
    log.Hold(64);
    EXPECT_TRUE(log.WriteFile(L"C:\\a"));
    EXPECT_EQ(ReadBytes(RunLogPath()), "");  // held
    EXPECT_EQ(log.Size(), 14u);              // what is held counts
    EXPECT_TRUE(log.Flush());
    EXPECT_EQ(ReadBytes(RunLogPath()), "file 0 0 C:\\a\n");
    EXPECT_TRUE(log.WriteDir(std::wstring(60, L'x')));  // past the block: written at once
    EXPECT_EQ(ReadBytes(RunLogPath()).size(), 14u + 65u);
    log.WriteDir(L"C:\\b");
    log.Close();
    EXPECT_EQ(ReadBytes(RunLogPath()).substr(79), "dir C:\\b\n");
}

}  // namespace
