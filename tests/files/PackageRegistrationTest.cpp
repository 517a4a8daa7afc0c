// Recording the installed packages in a real administration file and running
// their installers as real child processes (the recorder stands in for them).
#include "files/PackageRegistration.h"
#include "catalogue/CatalogueFiles.h"
#include "files/ElementList.h"
#include "files/InstElement.h"
#include "platform/Profile.h"
#include "RecorderRecords.h"

#include <gtest/gtest.h>

namespace {

class PackageRegistration : public ::testing::Test {
protected:
    void SetUp() override
    {
        medium = dir / L"Daten DVD";
        ASSERT_TRUE(MakeDirs(medium + L"\\data"));
        elements.Add(std::make_unique<CInstElement>("Programm", "prog", 1));
    }

    // A package of the medium: its catalogue section and, with a plugin, its installer.
    void Offer(const std::wstring& id, const std::wstring& dirname, const std::wstring& plugin)
    {
        offered.push_back({id, {{L"name", L"Maker " + id}, {L"dbname", L"db" + id}, {L"dirname", dirname},
                                {L"version", L"5"}, {L"plugin", plugin}}});
        if (plugin.empty()) return;
        ASSERT_TRUE(MakeDirs(Plg(dirname)));
        ASSERT_TRUE(CopyRecorder(Plg(dirname) + L"\\" + plugin));
    }
    std::wstring Plg(const std::wstring& dirname) const { return medium + L"\\data\\" + dirname + L"\\plg"; }

    void AddPackage(const std::wstring& id, const std::wstring& dirname, const std::wstring& plugin, int selected,
                    const std::wstring& destination)
    {
        auto element = std::make_unique<CInstElement>();
        element->package = std::make_unique<CFirma>();
        element->package->id = id;
        element->package->name = L"Maker " + id;
        element->package->dbname = L"db" + id;
        element->package->dirname = dirname;
        element->package->plugin = plugin;
        element->folderKey = dirname;
        element->selected = selected;
        element->packageElement = 1;
        element->destination = destination;
        elements.Add(std::move(element));
    }

    // Writes the medium's catalogue, closes the element list and runs the step.
    void Install(const std::wstring& installDir, const std::wstring& adminFile)
    {
        ASSERT_TRUE(WriteText(medium + L"\\data\\ovkdata.inf", Catalogue(offered)));
        for (std::size_t i = 0; i < kFixedElementCount; ++i)
            elements.Add(std::make_unique<CInstElement>("Fest", "fixed", 1));
        EnvironmentValue log(L"RECORDER_LOG", dir / L"records.log");
        EnvironmentValue sleep(L"RECORDER_SLEEP_MS", L"200");  // a caller that did not wait would miss records
        EXPECT_FALSE(InstallDataPackages(elements, installDir, medium + L"\\", adminFile));
        records = ReadRecords(dir / L"records.log");
    }

    std::wstring Value(const std::wstring& file, const std::wstring& section, const std::wstring& key) const
    {
        return ReadProfileText(file, section, key, 512, L"<absent>");
    }

    TempDir dir;
    std::wstring medium;
    std::vector<std::pair<std::wstring, Keys>> offered;
    CIEArray elements;
    std::vector<Record> records;
};

TEST_F(PackageRegistration, SelectedPackagesAreRecordedAndTheirInstallersRunInElementOrder)
{
    const std::wstring admin = dir / L"orvekAdmin.ini";
    ASSERT_TRUE(WriteText(admin, L"[basepath]\r\npath=C:\\Users\\Daten\r\n"));
    // Without quotes the medium's folder with a blank would start this one.
    ASSERT_TRUE(CopyRecorder(dir / L"Daten.exe"));
    const std::wstring target = dir / L"Orvek";
    Offer(L"AAA", L"LumiA", L"inst.exe");
    Offer(L"BBB", L"LumiB", L"inst.exe");
    Offer(L"CCC", L"LumiC", L"setup.exe");
    AddPackage(L"CCC", L"LumiC", L"setup.exe", 1, target + L"\\LumiC\\");
    AddPackage(L"BBB", L"LumiB", L"inst.exe", 0, target + L"\\LumiB\\");
    AddPackage(L"AAA", L"LumiA", L"inst.exe", 1, target + L"\\LumiA\\");
    AddPackage(L"DDD", L"LumiD", L"", 1, L"C:\\LumiD");  // not in the medium's catalogue
    Install(dir / L"unused", admin);

    ASSERT_EQ(records.size(), 2u);
    const std::wstring programs[] = {Plg(L"LumiC") + L"\\setup.exe", Plg(L"LumiA") + L"\\inst.exe"};
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(records[i].at(L"cmdline"), L"\"" + programs[i] + L"\"");
        EXPECT_EQ(records[i].at(L"module"), programs[i]);
        EXPECT_EQ(records[i].at(L"cwd"), programs[i].substr(0, programs[i].rfind(L'\\')));
    }

    // Added by the merge (0x48), then installed: 0x40 cleared, 0x02 and 0x10 set.
    for (const wchar_t* id : {L"AAA", L"CCC"}) {
        EXPECT_EQ(Value(admin, id, L"status"), L"26") << id;
        EXPECT_EQ(Value(admin, id, L"localpath"), target) << id;
    }
    EXPECT_EQ(Value(admin, L"AAA", L"dirname"), L"LumiA");
    EXPECT_EQ(Value(admin, L"BBB", L"status"), L"72");  // merged, not installed
    EXPECT_EQ(Value(admin, L"BBB", L"localpath"), L"");
    // Unknown to the merge: appended as the element's record with 0x12.
    EXPECT_EQ(Value(admin, L"manufacturers", L"DDD"), L"DDD");
    EXPECT_EQ(Value(admin, L"DDD", L"status"), L"18");
    EXPECT_EQ(Value(admin, L"DDD", L"localpath"), L"C:\\LumiD");
    EXPECT_EQ(Value(admin, L"DDD", L"dirname"), L"");
    EXPECT_EQ(Value(admin, L"basepath", L"path"), L"C:\\Users\\Daten");  // the user's own survives
}

TEST_F(PackageRegistration, WithoutAdminFileItIsMadeBelowTheInstallFolderAndKeepsTheMediumsDataFolder)
{
    const std::wstring installDir = dir / L"Orvek\\";
    ASSERT_TRUE(MakeDirs(installDir + L"obj"));
    Offer(L"AAA", L"Lumi", L"inst.exe");
    AddPackage(L"AAA", L"Lumi", L"inst.exe", 1, L"C:\\Data\\Lumi\\");
    Install(installDir, std::wstring());

    const std::wstring admin = installDir + L"obj\\orvekAdmin.ini";
    EXPECT_EQ(Value(admin, L"AAA", L"localpath"), L"C:\\Data");
    EXPECT_EQ(Value(admin, L"AAA", L"dirname"), L"Lumi");
    EXPECT_EQ(Value(admin, L"basepath", L"path"), medium + L"\\data");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].at(L"module"), Plg(L"Lumi") + L"\\inst.exe");
}

TEST_F(PackageRegistration, AFolderNameLeadingOutOfTheDataFolderRunsNoInstaller)
{
    const std::wstring admin = dir / L"orvekAdmin.ini";
    // The installer one level up is what "..\plg" would reach.
    ASSERT_TRUE(MakeDirs(medium + L"\\plg"));
    ASSERT_TRUE(CopyRecorder(medium + L"\\plg\\inst.exe"));
    Offer(L"AAA", L"Lumi", L"inst.exe");
    AddPackage(L"AAA", L"Lumi", L"inst.exe", 1, dir / L"Orvek\\..");
    Install(dir.Path(), admin);

    EXPECT_TRUE(records.empty());
    EXPECT_EQ(Value(admin, L"AAA", L"status"), L"26");  // still recorded where it went
}

}  // namespace
