// The copy phase end to end on a generated source: element list, trees, folders,
// the copy under the progress dialog, the uninstall logs, and a cancel.
#include "files/FolderLink.h"
#include "files/GeneratedSource.h"

#include "files/elements/InstElement.h"
#include "resources/resource.h"
#include "files/logs/CopyLog.h"
#include "files/elements/ElementList.h"
#include "files/elements/FileItem.h"
#include "files/sections/FileTrees.h"
#include "files/steps/InstallElements.h"
#include "files/elements/PackageItem.h"
#include "files/logs/UninstallLog.h"
#include "platform/PathUtil.h"
#include "support/ScriptedUi.h"
#include "support/Win32Support.h"
#include "files/engine/RunLogs.h"
#include "files/steps/CreateFolders.h"

#include <algorithm>

namespace {

class InstallElementsTest : public GeneratedSourceTest {
protected:
    // Builds the list and trees the way a run does, with destinations below dst.
    void Prepare()
    {
        BuildElementList(run, state.elements, state.sourceDir, state.country);
        state.sourceFiles.Scan(state.sourceDir);
        ASSERT_TRUE(BuildFileTrees(Sections(), state.scriptFile, state.elements, state.runMode == kRunModeAdmin));
        CIEArray& elements = state.elements;
        elements[0]->destination = dir / L"dst\\prog";
        for (size_t i = 1; i + kFixedElementCount < elements.GetSize(); ++i)
            elements[i]->destination = dir / (L"dst\\" + elements[i]->folderKey);
        ASSERT_TRUE(OpenUninstallLog(run, dir / L"dst\\.UNINST.INF"));
        CreateFolders(run, state.elements, state.scriptFile, state.installDir);
        run.BeginCopy();
    }

    // Program files one.txt and two.txt, then package PkgA with one file.
    void TwoElements()
    {
        Catalogue({{L"A1", L"Alpha", L"PkgA"}});
        Script(L"[Files]\r\nf1=1,prog\\one.txt,,,,\r\nf2=1,prog\\two.txt,,,,\r\n");
        state.runMode = -1;
        SourceFile(L"prog\\one.txt", 10);
        SourceFile(L"prog\\two.txt", 20);
        SourceFile(L"data\\PkgA\\root.dat", 30);
        Prepare();
    }
};

TEST_F(InstallElementsTest, InstallsEveryElementAndRecordsEachFileOnce)
{
    Catalogue({{L"A1", L"Alpha", L"PkgA"}, {L"B2", L"Beta", L"PkgB"}});
    Script(L"[Files]\r\nf1=1,prog\\one.txt,,,,\r\nf2=1,prog\\two.txt,sub,zwei.txt,,\r\n"
           L"[CreateDir]\r\nd1=prog\\sub\r\n");
    state.runMode = -1;  // element 0 takes the program files
    SourceFile(L"prog\\one.txt", 10);
    SourceFile(L"prog\\two.txt", 20);
    SourceFile(L"data\\PkgA\\root.dat", 30);
    SourceFile(L"data\\PkgA\\cad\\c.dat", 40);
    SourceFile(L"data\\PkgA\\cad\\deeper\\not.dat", 1);  // below a category: not installed
    SourceFile(L"data\\PkgB\\lvk\\l.dat", 50);
    Prepare();

    EXPECT_TRUE(InstallElements(run, state.elements, state.sourceFiles));
    EXPECT_EQ(run.Result(), 1);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ReadBytes(dir / L"dst\\prog\\one.txt").size(), 10u);
    EXPECT_EQ(ReadBytes(dir / L"dst\\prog\\sub\\zwei.txt").size(), 20u);
    EXPECT_EQ(ReadBytes(dir / L"dst\\PkgA\\root.dat").size(), 30u);
    EXPECT_EQ(ReadBytes(dir / L"dst\\PkgA\\cad\\c.dat").size(), 40u);
    EXPECT_EQ(::GetFileAttributesW((dir / L"dst\\PkgA\\cad\\deeper").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadBytes(dir / L"dst\\PkgB\\lvk\\l.dat").size(), 50u);

    const std::vector<std::string> packageA = {
        "dir " + Ansi(L"dst\\PkgA"),           "dir " + Ansi(L"dst\\PkgA\\lvk"),
        "dir " + Ansi(L"dst\\PkgA\\cad"),      "dir " + Ansi(L"dst\\PkgA\\pic"),
        "dir " + Ansi(L"dst\\PkgA\\dtb"),      "file 0 0 " + Ansi(L"dst\\PkgA\\root.dat"),
        "file 0 0 " + Ansi(L"dst\\PkgA\\cad\\c.dat"),
    };
    EXPECT_EQ(Lines(dir / L"dst\\PkgA\\_uninst.inf"), packageA);
    const std::vector<std::string> packageB = {
        "dir " + Ansi(L"dst\\PkgB"),      "dir " + Ansi(L"dst\\PkgB\\lvk"),
        "dir " + Ansi(L"dst\\PkgB\\cad"), "dir " + Ansi(L"dst\\PkgB\\pic"),
        "dir " + Ansi(L"dst\\PkgB\\dtb"), "file 0 0 " + Ansi(L"dst\\PkgB\\lvk\\l.dat"),
    };
    EXPECT_EQ(Lines(dir / L"dst\\PkgB\\_uninst.inf"), packageB);

    std::vector<std::string> run = {"ORVEK V3.5", "dir " + Ansi(L"dst\\prog")};
    for (const wchar_t* pkg : {L"dst\\PkgA", L"dst\\PkgB"}) {
        run.push_back("dir " + Ansi(pkg));
        for (const wchar_t* sub : {L"lvk", L"dtb", L"cad", L"pic", L"geo", L"sym", L"att"})
            run.push_back("dir " + Ansi(std::wstring(pkg) + L"\\" + sub));
    }
    run.push_back("dir " + Ansi(L"dst\\prog\\sub"));
    run.push_back("file 0 0 " + Ansi(L"dst\\prog\\one.txt"));
    run.push_back("file 0 0 " + Ansi(L"dst\\prog\\sub\\zwei.txt"));
    run.push_back("file 0 0 " + Ansi(L"dst\\PkgA\\_uninst.inf"));
    run.push_back("file 0 0 " + Ansi(L"dst\\PkgA\\root.dat"));
    run.push_back("file 0 0 " + Ansi(L"dst\\PkgA\\cad\\c.dat"));
    run.push_back("file 0 0 " + Ansi(L"dst\\PkgB\\_uninst.inf"));
    run.push_back("file 0 0 " + Ansi(L"dst\\PkgB\\lvk\\l.dat"));
    EXPECT_EQ(Lines(dir / L"dst\\.UNINST.INF"), run);
}

// What the timer saw when it pressed Cancel.
struct CancelProbe {
    int firings = 0;
    std::wstring percentText;
    int filesDone = -1;
    std::wstring folder;
} g_probe;

int CountFilesIn(const std::wstring& folder)
{
    int count = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return count;
}

BOOL CALLBACK FindProgressDialog(HWND hwnd, LPARAM result)
{
    wchar_t title[64] = {};
    ::GetWindowTextW(hwnd, title, 64);
    if (std::wstring(title) != L"Dateien kopieren") return TRUE;
    *reinterpret_cast<HWND*>(result) = hwnd;
    return FALSE;
}

// Runs inside the copy's message pump: presses the dialog's Cancel button.
void CALLBACK PressCancel(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    if (g_probe.firings++ > 0) return;
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindProgressDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    wchar_t percent[16] = {};
    ::GetDlgItemTextW(dialog, IDC_PROGRESS_PERCENT, percent, 16);
    g_probe.percentText = percent;
    g_probe.filesDone = CountFilesIn(g_probe.folder);
    ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
}

TEST_F(InstallElementsTest, CancelStopsBeforeTheNextFileAndTheRestInstallsNothing)
{
    Catalogue({{L"A1", L"Alpha", L"PkgA"}});
    Script(L"[Files]\r\nf1=1,prog\\*,,,,\r\n");
    const int programFiles = 60;
    for (int i = 0; i < programFiles; ++i) SourceFile(L"prog\\f" + std::to_wstring(i) + L".txt", 4096);
    SourceFile(L"data\\PkgA\\root.dat", 30);
    Prepare();

    g_probe = CancelProbe();
    g_probe.folder = dir / L"dst\\prog";
    ui.realProgress = true;  // the real dialog, cancelled by a click on its button
    ASSERT_NE(::SetTimer(nullptr, 0, 1, PressCancel), 0u);
    EXPECT_FALSE(InstallElements(run, state.elements, state.sourceFiles));
    EXPECT_EQ(run.Result(), 0);

    ASSERT_EQ(g_probe.firings, 1);
    const int done = g_probe.filesDone;
    ASSERT_GT(done, 0);
    ASSERT_LT(done, programFiles);
    // One step per file: the dialog showed the share of files handled.
    EXPECT_EQ(g_probe.percentText, std::to_wstring(::MulDiv(100, done, programFiles + 1)) + L" %");
    // The file in hand when Cancel came was finished; no further one was started.
    EXPECT_EQ(CountFilesIn(dir / L"dst\\prog"), done);
    EXPECT_EQ(CountFilesIn(dir / L"dst\\PkgA"), 0);  // no package log either

    const std::vector<std::string> run = Lines(dir / L"dst\\.UNINST.INF");
    const auto fileLines = std::count_if(run.begin(), run.end(), [](const std::string& line) {
        return line.rfind("file 0 0 ", 0) == 0;
    });
    EXPECT_EQ(fileLines, done);
}

TEST_F(InstallElementsTest, APackageWithoutAttFolderCountsAndInstallsNothingThere)
{
    Catalogue({{L"A1", L"Alpha", L"PkgA"}});
    Script(L"[Files]\r\n");
    SourceFile(L"data\\PkgA\\cad\\c.dat", 40);
    Prepare();
    CInstElement& package = *state.elements[1];
    ASSERT_TRUE(package.fileTree);
    EXPECT_EQ(CountFiles(*package.fileTree, state.sourceFiles), 1);
    auto& tree = static_cast<CPackageItem&>(*package.fileTree);
    tree.LayOut();
    const auto& att = static_cast<const CClassItem&>(*tree.children.back());
    EXPECT_EQ(att.destName, L"att");
    EXPECT_EQ(CountFiles(att, state.sourceFiles), 0);

    EXPECT_TRUE(InstallElements(run, state.elements, state.sourceFiles));
    EXPECT_EQ(CountFilesIn(dir / L"dst\\PkgA\\att"), 0);
    EXPECT_EQ(ReadBytes(dir / L"dst\\PkgA\\cad\\c.dat").size(), 40u);
}

// A package's tree holds its folder name, not its files: what the copy laid
// out and expanded goes when the package is in, and so does what the run
// learnt of the folders in its folder. One swapped for a link afterwards is
// found, not written through, when the same run writes there again.
TEST_F(InstallElementsTest, APackageKeepsNothingOfItsFilesOrFoldersOnceItIsIn)
{
    Catalogue({{L"A1", L"Alpha", L"PkgA"}});
    Script(L"[Files]\r\n");
    SourceFile(L"data\\PkgA\\root.dat", 30);
    SourceFile(L"data\\PkgA\\cad\\c.dat", 40);
    Prepare();
    ASSERT_TRUE(InstallElements(run, state.elements, state.sourceFiles));
    const CInstElement& package = *state.elements[1];
    EXPECT_TRUE(package.fileTree->children.empty());
    EXPECT_EQ(CountFiles(*package.fileTree, state.sourceFiles), 2);

    RemoveTree(dir / L"dst\\PkgA\\cad");
    ASSERT_TRUE(MakeDirs(dir / L"elsewhere"));
    ASSERT_TRUE(MakeFolderLink(dir / L"dst\\PkgA", L"cad", L"../../elsewhere"));
    ASSERT_TRUE(::DeleteFileW((dir / L"dst\\PkgA\\root.dat").c_str()));
    InstallElements(run, state.elements, state.sourceFiles);
    EXPECT_EQ(ReadBytes(dir / L"dst\\PkgA\\root.dat").size(), 30u);  // its files again
    EXPECT_EQ(::GetFileAttributesW((dir / L"elsewhere\\c.dat").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(run.Refused());
}

TEST_F(InstallElementsTest, WhatTheScanCountedIsWhatIsCopied)
{
    Catalogue({{L"A1", L"Alpha", L"PkgA"}});
    Script(L"[Files]\r\n");
    SourceFile(L"data\\PkgA\\root.dat", 30);
    SourceFile(L"data\\PkgA\\cad\\c.dat", 40);
    Prepare();
    // Files that turn up on the medium after its scan: neither counted nor copied,
    // so the progress ends at its total.
    SourceFile(L"data\\PkgA\\late.dat", 50);
    SourceFile(L"data\\PkgA\\dtb\\late.dtb", 60);

    EXPECT_TRUE(InstallElements(run, state.elements, state.sourceFiles));
    EXPECT_EQ(ReadBytes(dir / L"dst\\PkgA\\root.dat").size(), 30u);
    EXPECT_EQ(ReadBytes(dir / L"dst\\PkgA\\cad\\c.dat").size(), 40u);
    EXPECT_EQ(::GetFileAttributesW((dir / L"dst\\PkgA\\late.dat").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(CountFilesIn(dir / L"dst\\PkgA\\dtb"), 0);
    EXPECT_EQ(run.totals.copied, 2u);
}

TEST_F(InstallElementsTest, AnElementWithFilesButNoDestinationIsLeftOutAndTheRunNotComplete)
{
    Catalogue({{L"A1", L"Alpha", L"PkgA"}});
    Script(L"[Files]\r\nf1=1,prog\\stray.txt,,,,\r\n");
    SourceFile(L"prog\\stray.txt", 10);
    SourceFile(L"data\\PkgA\\root.dat", 30);
    Prepare();
    state.elements[0]->destination.clear();
    ASSERT_TRUE(OpenCopyLog(run, dir / L"dst\\update.log"));
    wchar_t working[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, working);

    EXPECT_TRUE(InstallElements(run, state.elements, state.sourceFiles));
    EXPECT_EQ(run.Result(), 0);
    EXPECT_EQ(::GetFileAttributesW((std::wstring(working) + L"\\stray.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadBytes(dir / L"dst\\PkgA\\root.dat").size(), 30u);
    const std::string log = ReadBytes(dir / L"dst\\update.log");
    EXPECT_NE(log.find("Element ORVEK Applikation has no destination folder: not installed.\r\n"), std::string::npos);
    // The summary names what is missing.
    ASSERT_EQ(run.totals.named.size(), 1u);
    EXPECT_EQ(run.totals.named[0], L"1 file of ORVEK Applikation (it has no destination folder)");
}

// An answer that stops the copy at the first file: nothing after it is
// installed, and the package after it gets no log.
TEST_F(InstallElementsTest, StoppingAnswersSkipEveryRemainingElement)
{
    TwoElements();
    const std::wstring one = dir / L"dst\\prog\\one.txt";
    struct Case {
        const char* what;
        int answer;
    } cases[] = {{"Cancel on a failed file", IDCANCEL}, {"Abort on a file in use", IDABORT}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<HeldOpen> held;
        if (c.answer == IDCANCEL) {
            ::DeleteFileW((dir / L"src\\prog\\one.txt").c_str());  // gone after the scan
        } else {
            SourceFile(L"prog\\one.txt", 10);
            run.systemKind = SystemKind::Old16BitHost;
            ASSERT_TRUE(WriteBytes(one, "in use"));
            held = std::make_unique<HeldOpen>(one);
        }
        ui.Answer(c.answer);
        run.ResetOutcome();
        run.BeginCopy();

        EXPECT_FALSE(InstallElements(run, state.elements, state.sourceFiles));

        EXPECT_EQ(run.Result(), 0);
        EXPECT_EQ(ui.messages.size(), 1u);
        ui.messages.clear();
        EXPECT_FALSE(FileExists(dir / L"dst\\prog\\two.txt"));
        EXPECT_FALSE(FileExists(dir / L"dst\\PkgA\\root.dat"));
        EXPECT_FALSE(FileExists(dir / L"dst\\PkgA\\_uninst.inf"));
    }
}

TEST_F(InstallElementsTest, AFailedFileFailsTheRunWhileCopyingGoesOn)
{
    TwoElements();
    ::DeleteFileW((dir / L"src\\prog\\one.txt").c_str());
    ui.Answer(IDOK);

    EXPECT_TRUE(InstallElements(run, state.elements, state.sourceFiles));

    EXPECT_EQ(run.Result(), 0);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ReadBytes(dir / L"dst\\prog\\two.txt").size(), 20u);
    EXPECT_EQ(ReadBytes(dir / L"dst\\PkgA\\root.dat").size(), 30u);
}

// Without a destination a package log would land in the working folder.
TEST_F(InstallElementsTest, AnElementWithoutDestinationOrFilesIsSkipped)
{
    Catalogue({{L"A1", L"Alpha", L"PkgA"}, {L"B2", L"Beta", L"PkgB"}});
    Script(L"[Files]\r\n");
    SourceFile(L"data\\PkgA\\root.dat", 30);  // PkgB has no files
    Prepare();
    state.elements[2]->destination.clear();
    ASSERT_TRUE(MakeDirs(dir / L"work"));
    wchar_t working[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, working);
    ASSERT_TRUE(::SetCurrentDirectoryW((dir / L"work").c_str()));

    const bool done = InstallElements(run, state.elements, state.sourceFiles);
    ::SetCurrentDirectoryW(working);

    EXPECT_TRUE(done);
    EXPECT_EQ(run.Result(), 1);
    EXPECT_FALSE(FileExists(dir / L"work\\_uninst.inf"));
    const std::vector<std::string> runLog = Lines(dir / L"dst\\.UNINST.INF");
    EXPECT_EQ(std::count(runLog.begin(), runLog.end(), "file 0 0 " + Ansi(L"dst\\PkgA\\_uninst.inf")), 1);
    EXPECT_EQ(std::count_if(runLog.begin(), runLog.end(),
                            [](const std::string& line) { return line.find("_uninst.inf") != std::string::npos; }),
              1);
}

}  // namespace
