// Folder links below the installation folder: a package whose folder or a
// category folder is a link to another place is neither written nor deleted
// through it, and the run fails; the place the link leads to stays as it was.
#include "files/FolderLink.h"
#include "files/GeneratedSource.h"

#include "files/elements/ElementList.h"
#include "files/elements/InstElement.h"
#include "files/engine/InstallFile.h"
#include "files/packages/OldPackageData.h"
#include "files/logs/UninstallLog.h"
#include "framework/Handles.h"
#include "platform/FolderLinks.h"
#include "platform/PathUtil.h"
#include "files/engine/RunLogs.h"
#include "files/steps/CreateFolders.h"

namespace {

class FolderLinkTest : public GeneratedSourceTest {
protected:
    void SetUp() override
    {
        GeneratedSourceTest::SetUp();
        // dst\local\PkgA leads to victim; dst\local\PkgB is real, its cad leads to victim.
        ASSERT_TRUE(MakeDirs(dir / L"victim\\cad") && WriteBytes(dir / L"victim\\cad\\victim.cad", "mine"));
        ASSERT_TRUE(MakeDirs(dir / L"dst\\local\\PkgB\\dtb") && WriteBytes(dir / L"dst\\local\\PkgB\\dtb\\old.dtb", "o"));
        ASSERT_TRUE(MakeFolderLink(dir / L"dst\\local", L"PkgA", L"../../victim"));
        ASSERT_TRUE(MakeFolderLink(dir / L"dst\\local\\PkgB", L"cad", L"../../../victim/cad"));
        run.reporter = [this](const std::wstring& line) { told.push_back(line); };
    }
    // The names in folder, without "." and "..".
    static std::vector<std::wstring> Names(const std::wstring& folder)
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data;
        fw::ScopedFind find(::FindFirstFileW((folder + L"\\*").c_str(), &data));
        if (find) {
            do names.push_back(data.cFileName);
            while (::FindNextFileW(find.Get(), &data));
        }
        std::erase_if(names, [](const std::wstring& name) { return name == L"." || name == L".."; });
        return names;
    }
    // victim holds its one file, as it was, and nothing else.
    bool VictimUntouched() const
    {
        return Names(dir / L"victim") == std::vector<std::wstring>{L"cad"} &&
               Names(dir / L"victim\\cad") == std::vector<std::wstring>{L"victim.cad"} &&
               ReadBytes(dir / L"victim\\cad\\victim.cad") == "mine";
    }

    std::vector<std::wstring> told;
};

TEST_F(FolderLinkTest, FindsTheFirstLinkBelowTheRootOnly)
{
    const std::wstring root = dir / L"dst";
    EXPECT_EQ(FolderLinkBelow(root, root + L"\\local\\PkgA\\cad\\x"), root + L"\\local\\PkgA");
    EXPECT_EQ(FolderLinkBelow(root, root + L"\\local\\PkgB\\cad"), root + L"\\local\\PkgB\\cad");
    EXPECT_EQ(FolderLinkBelow(root, root + L"\\local\\PkgB\\dtb\\"), L"");
    EXPECT_EQ(FolderLinkBelow(root, root + L"\\local\\new\\deeper"), L"");
    // The root itself is whoever chose it; a path elsewhere is not below it.
    EXPECT_EQ(FolderLinkBelow(root + L"\\local\\PkgA", root + L"\\local\\PkgA\\cad"), L"");
    EXPECT_EQ(FolderLinkBelow(root + L"\\loc", root + L"\\local\\PkgA"), L"");
}

TEST_F(FolderLinkTest, PackageBehindALinkIsRefusedBeforeItsFoldersAreMade)
{
    Catalogue({{L"A1", L"Alpha", L"PkgA"}, {L"B2", L"Beta", L"PkgB"}, {L"C3", L"Gamma", L"PkgC"}});
    Script(L"[CreateDir]\r\nc1=local\\PkgA\\sub\r\n");
    BuildElementList(run, state.elements, state.sourceDir, state.country);
    CIEArray& elements = state.elements;
    elements[0]->destination = state.installDir;
    for (std::size_t i = 1; i <= 3; ++i) SetElementDestination(*elements[i], dir / L"dst\\local", state.scriptFile);

    CreateFolders(run, elements, state.scriptFile, state.installDir);

    EXPECT_EQ(elements[1]->selected, 0);
    EXPECT_EQ(elements[2]->selected, 0);
    EXPECT_EQ(elements[3]->selected, 1);
    EXPECT_TRUE(PathExists(dir / L"dst\\local\\PkgC\\att"));
    EXPECT_TRUE(VictimUntouched());
    EXPECT_TRUE(run.Refused());
    ASSERT_EQ(ui.messages.size(), 3u);  // both packages and the folder value, each naming its link
    EXPECT_NE(ui.messages[0].text.find(dir / L"dst\\local\\PkgA"), std::wstring::npos);
    EXPECT_NE(ui.messages[1].text.find(dir / L"dst\\local\\PkgB\\cad"), std::wstring::npos);
    EXPECT_NE(told[0].find(L"refused: The package Alpha"), std::wstring::npos);
}

TEST_F(FolderLinkTest, NoFileOrPackageLogIsWrittenThroughALink)
{
    run.installDir = state.installDir;
    SourceFile(L"x.cad", 10);
    EXPECT_EQ(InstallFile(run, dir / L"src\\x.cad", dir / L"dst\\local\\PkgA\\cad\\x.cad", nullptr, true), 0);
    EXPECT_EQ(InstallFile(run, dir / L"src\\x.cad", dir / L"dst\\local\\PkgB\\cad\\x.cad", nullptr, true), 0);
    EXPECT_EQ(OpenPackageLog(run, dir / L"dst\\local\\PkgA"), nullptr);
    EXPECT_TRUE(VictimUntouched());
    EXPECT_TRUE(run.Refused());
    // A real folder beside them still takes its file.
    ASSERT_TRUE(MakeDirs(dir / L"dst\\local\\PkgC"));
    EXPECT_EQ(InstallFile(run, dir / L"src\\x.cad", dir / L"dst\\local\\PkgC\\x.cad", nullptr, true), 1);
}

}  // namespace
