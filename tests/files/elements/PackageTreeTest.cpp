// The fixed layout of a data package and the trees of all elements.
#include "files/GeneratedSource.h"

#include "files/elements/InstElement.h"
#include "files/elements/ElementList.h"
#include "files/elements/FileItem.h"
#include "files/sections/FileTrees.h"
#include "files/elements/PackageItem.h"
#include "support/ScriptedUi.h"

namespace {

class PackageTreeTest : public GeneratedSourceTest {
protected:
    const CInstElement& Element(size_t i) const { return *state.elements[i]; }
    static std::vector<std::wstring> Sources(const CClassItem& item)
    {
        std::vector<std::wstring> sources;
        for (const auto& child : item.children) sources.push_back(LastPart(child->source));
        return sources;
    }
    static std::wstring LastPart(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

};

TEST_F(PackageTreeTest, PackageGetsItsFolderAndTheSevenCategoriesInOrder)
{
    CInstElement element;
    EXPECT_FALSE(BuildPackageTree(element));  // no package
    element.package = std::make_unique<CFirma>();
    element.package->dirname = L"Lumo";
    ASSERT_TRUE(BuildPackageTree(element));

    auto* package = dynamic_cast<CPackageItem*>(element.fileTree.get());
    ASSERT_NE(package, nullptr);
    package->LayOut();  // as its install does
    const CClassItem& root = *package;
    const wchar_t* names[] = {L"", L"cad", L"dtb", L"lvk", L"pic", L"geo", L"sym", L"att"};
    const wchar_t* patterns[] = {L"data\\Lumo\\*",      L"data\\Lumo\\cad\\*", L"data\\Lumo\\dtb\\*",
                                 L"data\\Lumo\\lvk\\*", L"data\\Lumo\\pic\\*", L"data\\Lumo\\geo\\*",
                                 L"data\\Lumo\\sym\\*", L"data\\Lumo\\att\\*"};
    ASSERT_EQ(root.children.size(), 8u);
    for (size_t i = 0; i < 8; ++i) {
        ASSERT_TRUE(root.children[i]->IsClass());
        const auto& item = static_cast<const CClassItem&>(*root.children[i]);
        EXPECT_EQ(item.destName, names[i]);
        EXPECT_TRUE(item.wholeFolder);
        ASSERT_EQ(item.children.size(), 1u);
        EXPECT_EQ(item.children[0]->source, patterns[i]);
    }
}

TEST_F(PackageTreeTest, WithAnAdministrationFileTheProgramFilesGoToPrivateFiles)
{
    Catalogue({{L"A1", L"Alpha", L"PkgA"}});
    Script(L"[Ini32]\r\ni=1,bin\\ini.txt,,,,\r\n[FilesPriv]\r\np=1,bin\\priv.txt,,,,\r\n"
           L"[Files]\r\nf=1,bin\\main.txt,,,,\r\n");
    SourceFile(L"bin\\ini.txt", 1);
    SourceFile(L"bin\\priv.txt", 2);
    SourceFile(L"bin\\main.txt", 3);
    BuildElementList(run, state.elements, state.sourceDir, state.country);

    state.runMode = 3;
    ASSERT_TRUE(BuildFileTrees(Sections(), state.scriptFile, state.elements, state.runMode == kRunModeAdmin));
    const size_t n = state.elements.GetSize();
    ASSERT_TRUE(Element(n - 4).fileTree);
    EXPECT_EQ(Sources(*Element(n - 4).fileTree), (std::vector<std::wstring>{L"ini.txt", L"priv.txt"}));
    EXPECT_EQ(Sources(*Element(0).fileTree), (std::vector<std::wstring>{L"main.txt"}));
    ASSERT_TRUE(Element(1).fileTree);
    EXPECT_NE(dynamic_cast<const CPackageItem*>(Element(1).fileTree.get()), nullptr);
    for (size_t i = 2; i < n; ++i) {
        if (i == n - 4) continue;
        EXPECT_FALSE(Element(i).fileTree) << i;
    }

    state.runMode = -1;
    ASSERT_TRUE(BuildFileTrees(Sections(), state.scriptFile, state.elements, state.runMode == kRunModeAdmin));
    EXPECT_TRUE(Element(n - 4).fileTree->children.empty());
    EXPECT_EQ(Sources(*Element(0).fileTree), (std::vector<std::wstring>{L"ini.txt", L"priv.txt", L"main.txt"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PackageTreeTest, AnAbortedSectionEndsTheTrees)
{
    Catalogue({{L"A1", L"Alpha", L"PkgA"}});
    Script(L"[Files]\r\nf=1,bin\\gone.txt,,,,\r\n");
    BuildElementList(run, state.elements, state.sourceDir, state.country);
    ui.Answer(IDABORT);
    EXPECT_FALSE(BuildFileTrees(Sections(), state.scriptFile, state.elements, state.runMode == kRunModeAdmin));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_FALSE(Element(1).fileTree);  // the packages come after the aborted section
}

}  // namespace
