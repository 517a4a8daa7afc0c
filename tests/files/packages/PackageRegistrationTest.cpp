// Recording the installed packages in a real administration file and running
// their installers as real child processes (the recorder stands in for them).
#include "files/packages/PackageRegistration.h"
#include "catalogue/KeptBasePath.h"
#include "files/elements/ElementList.h"
#include "files/elements/InstElement.h"
#include "files/run/InstallRun.h"
#include "platform/PathUtil.h"
#include "platform/Profile.h"
#include "files/FilesFixture.h"
#include "files/RecorderRecords.h"

#include <gtest/gtest.h>

namespace {

std::wstring g_release;
void CALLBACK ReleaseInstallers(HWND, UINT, UINT_PTR, DWORD)
{
    WriteBytes(g_release, "");
}

class PackageRegistration : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MakeDirs(medium + L"\\data"));
        elements.Add(std::make_unique<CInstElement>("Programm", "prog", 1));
        run.reporter = [this](const std::wstring& line) { told += line + L"\n"; };
    }
    std::wstring Plg(const std::wstring& dirname) const { return medium + L"\\data\\" + dirname + L"\\plg"; }

    // A package element whose files went in, with its folder on the medium; offered ones are in the
    // medium's catalogue and name their installer "inst.exe" (also in the element's record).
    CInstElement& Package(const std::wstring& id, int selected, const std::wstring& destination, bool offered = true)
    {
        auto element = std::make_unique<CInstElement>();
        element->package = std::make_unique<CFirma>();
        element->package->id = id;
        element->package->name = L"Maker " + id;
        element->package->dirname = L"Lumi" + id;
        element->package->plugin = offered ? L"inst.exe" : L"";
        element->selected = selected;
        element->destination = destination;
        element->filesInPlace = true;
        CInstElement& added = *elements[elements.Add(std::move(element))];
        EXPECT_TRUE(MakeDirs(medium + L"\\data\\Lumi" + id));
        if (!offered) return added;
        catalogue += L"[" + id + L"]\r\nname=Maker\r\ndirname=Lumi" + id + L"\r\nplugin=inst.exe\r\n";
        catalogue.insert(catalogue.find(L"\r\n") + 2, id + L"=" + id + L"\r\n");
        EXPECT_TRUE(MakeDirs(Plg(L"Lumi" + id)));
        EXPECT_TRUE(CopyRecorder(Plg(L"Lumi" + id) + L"\\inst.exe"));
        return added;
    }

    void Install(const std::wstring& installDir, const std::wstring& adminFile)
    {
        ASSERT_TRUE(WriteText(medium + L"\\data\\ovkdata.inf", catalogue));
        for (std::size_t i = 0; i < kFixedElementCount; ++i) elements.Add(std::make_unique<CInstElement>("F", "f", 1));
        // The installers end only once a timer of this thread has fired: a caller that
        // does not wait for them, serving messages meanwhile, finds no record.
        RecorderSettings recorder(dir / L"records.log", dir / L"released");
        g_release = recorder.release;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, ReleaseInstallers);
        InstallDataPackages(run, elements, installDir, medium + L"\\", adminFile);
        ::KillTimer(nullptr, timer);
    }
    std::string Records() const { return ReadBytes(dir / L"records.log"); }
    std::string Installer(const std::wstring& dirname) const
    {
        return RecordOf(Plg(dirname) + L"\\inst.exe", Plg(dirname));
    }
    std::wstring Value(const std::wstring& section, const std::wstring& key, DWORD bufferChars = 512) const
    {
        return ReadProfileText(admin, section, key, bufferChars, L"<absent>");
    }

    TempDir dir;
    const std::wstring medium = dir / L"Daten DVD";  // Daten.exe beside it must not start
    std::wstring admin = dir / L"orvekAdmin.ini";
    std::wstring catalogue = L"[manufacturers]\r\n";
    CIEArray elements;
    ScriptedUi ui;
    InstallRun run{ui};
    std::wstring told;  // the setup log's lines
};

TEST_F(PackageRegistration, ChosenPackagesAreRecordedAndTheirInstallersRunOneAfterTheOther)
{
    ASSERT_TRUE(WriteText(admin, L"[basepath]\r\npath=C:\\Users\\Daten\r\n"));
    ASSERT_TRUE(CopyRecorder(dir / L"Daten.exe"));
    const std::wstring target = dir / L"Orvek";
    Package(L"CCC", 1, target + L"\\LumiCCC\\");
    Package(L"BBB", 0, target + L"\\LumiBBB\\");
    Package(L"AAA", 1, target + L"\\LumiAAA");
    Package(L"DDD", 1, L"C:\\LumiDDD", false);
    // The installer comes from the package's own folder on the medium, wherever the package went:
    // "data\..\plg\inst.exe" runs not.
    ASSERT_TRUE(MakeDirs(medium + L"\\plg") && CopyRecorder(medium + L"\\plg\\inst.exe"));
    Package(L"EEE", 1, target + L"\\..");
    Install(dir / L"unused", admin);

    EXPECT_EQ(Records(), Installer(L"LumiCCC") + Installer(L"LumiAAA") + Installer(L"LumiEEE"));
    EXPECT_FALSE(run.Refused()) << Narrow(told);
    // Added by the merge (0x48), then installed: 0x40 cleared, 0x02 and 0x10 set.
    EXPECT_EQ(Value(L"CCC", L"status"), L"26");
    EXPECT_EQ(Value(L"AAA", L"status"), L"26");
    EXPECT_EQ(Value(L"AAA", L"localpath"), target);
    EXPECT_EQ(Value(L"AAA", L"dirname"), L"LumiAAA");
    EXPECT_EQ(Value(L"BBB", L"status"), L"72");
    EXPECT_EQ(Value(L"BBB", L"localpath"), L"");
    // Unknown to the merge: the element's record appended with 0x12; below a drive root no dirname.
    EXPECT_EQ(Value(L"manufacturers", L"DDD"), L"DDD");
    EXPECT_EQ(Value(L"DDD", L"status"), L"18");
    EXPECT_EQ(Value(L"DDD", L"localpath"), L"C:\\LumiDDD");
    EXPECT_EQ(Value(L"DDD", L"dirname"), L"");
    EXPECT_EQ(Value(L"basepath", L"path"), L"C:\\Users\\Daten");
}

TEST_F(PackageRegistration, WithoutAdminFileItIsMadeBelowTheInstallFolderAndKeepsTheMediumsDataFolder)
{
    ASSERT_TRUE(MakeDirs(dir / L"Orvek\\obj"));
    admin = dir / L"Orvek\\obj\\orvekAdmin.ini";
    Package(L"AAA", 1, L"C:\\Data\\LumiAAA\\");
    Install(dir / L"Orvek\\", std::wstring());

    EXPECT_EQ(Value(L"AAA", L"localpath"), L"C:\\Data");
    EXPECT_EQ(Value(L"AAA", L"dirname"), L"LumiAAA");
    EXPECT_EQ(Value(L"basepath", L"path"), medium + L"\\data");
    EXPECT_EQ(Records(), Installer(L"LumiAAA"));
}

TEST_F(PackageRegistration, APackageWithoutItsFolderOrFilesIsNotRecordedAndNoInstallerLeavesItsPlgFolder)
{
    ASSERT_TRUE(WriteText(admin, L"[basepath]\r\npath=C:\\Users\\Daten\r\n[manufacturers]\r\nAAA=AAA\r\n"
                                 L"[AAA]\r\nname=Mine\r\ndirname=LumiAAA\r\nstatus=18\r\nlocalpath=C:\\Mine\r\n"));
    const std::wstring target = dir / L"Orvek";
    Package(L"AAA", 1, target + L"\\LumiAAA").filesInPlace = false;
    Package(L"BBB", 1, target + L"\\Missing").package->dirname = L"Missing";  // no data\Missing on the medium
    Package(L"CCC", 1, target + L"\\LumiCCC").package->plugin = L"..\\..\\..\\inst.exe";
    ASSERT_TRUE(CopyRecorder(medium + L"\\inst.exe"));  // where that plugin leads
    Package(L"DDD", 1, target + L"\\LumiDDD").package->plugin = L"gone.exe";
    Install(dir / L"unused", admin);

    EXPECT_EQ(Records(), "");
    EXPECT_TRUE(run.Refused());
    EXPECT_EQ(Value(L"AAA", L"localpath"), L"C:\\Mine");
    EXPECT_EQ(Value(L"AAA", L"status"), L"18");
    EXPECT_EQ(Value(L"BBB", L"status"), L"72");  // as the merge added it
    EXPECT_EQ(Value(L"BBB", L"localpath"), L"");
    // Their files went in, but an installer that did not run leaves them unrecorded,
    // so that the next run installs them again and starts it.
    EXPECT_EQ(Value(L"CCC", L"status"), L"72");
    EXPECT_EQ(Value(L"DDD", L"status"), L"72");
    EXPECT_EQ(Value(L"DDD", L"localpath"), L"");
    const std::wstring lines[] = {
        L"refused: package Maker AAA: not every one of its files was installed",
        L"refused: package Maker BBB: its folder " + medium + L"\\data\\Missing is not on the medium",
        L"refused: package Maker CCC: its installer \"..\\..\\..\\inst.exe\" lies outside " + Plg(L"LumiCCC"),
        L"refused: package installer of Maker DDD could not be started: \"" + Plg(L"LumiDDD") +
            L"\\gone.exe\" (error 2): not recorded"};
    for (const std::wstring& line : lines)
        EXPECT_NE(told.find(line), std::wstring::npos) << Narrow(line) << "\n" << Narrow(told);
    EXPECT_EQ(Value(L"basepath", L"path"), L"C:\\Users\\Daten");
}

}  // namespace

namespace {

// A run that ends before the registration (a page cancelled, nothing selected)
// still gives the user's path back as soon as it has found the administration file.
TEST_F(PackageRegistration, AKeptUsersPathIsPutBackBeforeAnyPackageStep)
{
    ASSERT_TRUE(WriteText(admin, L"; the user's notes\r\n[basepath]\r\npath=D:\\dvd\\data\r\n"));
    ASSERT_TRUE(KeepBasePath(admin, L"C:\\Users\\Daten", L"D:\\dvd\\data"));

    EXPECT_TRUE(PutBackKeptBasePath(run, admin));
    EXPECT_EQ(Value(L"basepath", L"path"), L"C:\\Users\\Daten");
    EXPECT_EQ(ReadBytes(admin), "; the user's notes\r\n[basepath]\r\npath=C:\\Users\\Daten\r\n");
    EXPECT_NE(told.find(L"C:\\Users\\Daten, kept by a run that did not end, is put back"), std::wstring::npos);
    EXPECT_FALSE(run.Refused());

    // Nothing kept: nothing written, nothing told.
    told.clear();
    EXPECT_TRUE(PutBackKeptBasePath(run, admin));
    EXPECT_TRUE(told.empty());

    // Paths of 260 characters and more are compared and put back whole.
    const std::wstring medium = L"D:\\" + std::wstring(270, L'm') + L"\\data";
    const std::wstring users = L"C:\\" + std::wstring(300, L'u');
    ASSERT_TRUE(WriteText(admin, L"[basepath]\r\npath=" + medium + L"\r\n"));
    ASSERT_TRUE(KeepBasePath(admin, users, medium));
    EXPECT_TRUE(PutBackKeptBasePath(run, admin));
    EXPECT_EQ(Value(L"basepath", L"path", 1024), users);
    EXPECT_FALSE(PathExists(KeptBasePathFile(admin)));
}

}  // namespace
