// Each step that leaves a package out gives it the outcome an administrator
// reads in the summary, and decides whether the run ends on an error. The steps
// run for real: a medium and an administration file in a temporary folder.
#include "files/elements/PackageOutcome.h"
#include "files/elements/ElementList.h"
#include "files/elements/InstElement.h"
#include "files/packages/PackageRegistration.h"
#include "files/run/InstallRun.h"
#include "files/source/FileList.h"
#include "files/steps/CreateFolders.h"
#include "files/steps/InstallElements.h"
#include "files/FilesFixture.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <ostream>
#include <string>

namespace {

class Outcomes;

struct Row {
    const char* step;
    std::function<void(Outcomes&)> act;
    PackageState state;
    std::function<std::wstring(const Outcomes&)> summary;  // after "summary: package Lumina: "
    bool failsRun;
    bool failsQuietRun;
};

// The row's name where a test fails.
void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.step;
}

class Outcomes : public ::testing::TestWithParam<Row> {
public:
    void SetUp() override
    {
        ASSERT_TRUE(MakeDirs(medium + L"\\data\\LumiAAA"));
        ASSERT_TRUE(WriteText(admin, L"[basepath]\r\npath=C:\\Users\\Daten\r\n"));
        elements.Add(std::make_unique<CInstElement>("Programm", "prog", 1));
        auto element = std::make_unique<CInstElement>();
        element->package = std::make_unique<CFirma>();
        element->package->id = L"AAA";
        element->package->name = L"Lumina";
        element->package->dirname = L"LumiAAA";
        element->packageElement = 1;
        element->selected = 1;
        element->destination = dir / L"Orvek\\LumiAAA";
        element->filesInPlace = true;
        elements.Add(std::move(element));
        for (std::size_t i = 0; i < kFixedElementCount; ++i) elements.Add(std::make_unique<CInstElement>("F", "f", 0));
    }
    CInstElement& Package() { return *elements[1]; }
    bool Register() { return InstallDataPackages(run, elements, dir / L"unused", medium + L"\\", admin); }

    TempDir dir;
    const std::wstring medium = dir / L"DVD";
    const std::wstring admin = dir / L"orvekAdmin.ini";
    CIEArray elements;
    ScriptedUi ui;
    InstallRun run{ui};
};


const Row kRows[] = {
    {"installed", [](Outcomes& t) { EXPECT_TRUE(t.Register()); }, PackageState::Installed,
     [](const Outcomes& t) { return L"installed in " + t.dir / L"Orvek\\LumiAAA"; }, false, false},
    {"its folder name is refused", [](Outcomes& t) { t.Package().package->dirname = L"..\\LumiAAA"; t.Register(); },
     PackageState::Refused,
     [](const Outcomes&) {
         return std::wstring(L"failed: package Lumina: its folder name \"..\\LumiAAA\" is not one plain folder name: "
                             L"not recorded, its installer not started");
     },
     true, true},
    {"a file not installed", [](Outcomes& t) { t.Package().filesInPlace = false; t.Register(); }, PackageState::Failed,
     [](const Outcomes&) {
         return std::wstring(L"failed: package Lumina: not every one of its files was installed (see update.log): "
                             L"not recorded, its installer not started");
     },
     true, true},
    {"installer not started",
     [](Outcomes& t) {
         t.Package().package->plugin = L"gone.exe";
         ASSERT_TRUE(MakeDirs(t.medium + L"\\data\\LumiAAA\\plg"));
         t.Register();
     },
     PackageState::Failed,
     [](const Outcomes& t) {
         return L"failed: package installer of Lumina could not be started: \"" + t.medium +
                L"\\data\\LumiAAA\\plg\\gone.exe\" (error 2): not recorded";
     },
     true, true},
    {"administration file not written",
     [](Outcomes& t) {
         ASSERT_TRUE(::SetFileAttributesW(t.admin.c_str(), FILE_ATTRIBUTE_READONLY));
         EXPECT_FALSE(t.Register());
         ::SetFileAttributesW(t.admin.c_str(), FILE_ATTRIBUTE_NORMAL);
     },
     PackageState::Failed,
     [](const Outcomes&) { return std::wstring(L"failed: copied, but the administration file could not be written"); },
     true, true},
    {"copy stopped",
     [](Outcomes& t) {
         const FileList nothing;
         t.run.Cancel();
         EXPECT_FALSE(InstallElements(t.run, t.elements, nothing));
     },
     PackageState::Failed, [](const Outcomes&) { return std::wstring(L"failed: the copy was stopped"); }, true, true},
    {"folder not made",
     [](Outcomes& t) {
         ASSERT_TRUE(WriteText(t.dir / L"Orvek", L"a file where the folder goes"));
         CreateFolders(t.run, t.elements, t.dir / L"ovkdata.inf", t.dir / L"Orvek");
     },
     PackageState::Failed,
     [](const Outcomes& t) {
         return L"failed: package Lumina: its folder " + t.dir / L"Orvek\\LumiAAA" +
                L" could not be made (error 183): not installed";  // ERROR_ALREADY_EXISTS
     },
     true, true},
    {"uninstall log not written",
     [](Outcomes& t) {
         t.Package().outcome = PackageOutcome::Failed(PackageStep::LogNotWritten, t.dir / L"Orvek\\LumiAAA\\_uninst.inf", 5);
     },
     PackageState::Failed,
     [](const Outcomes& t) {
         return L"failed: package Lumina: its uninstall log " + t.dir / L"Orvek\\LumiAAA\\_uninst.inf" +
                L" could not be written (error 5): not recorded";
     },
     true, true},
    {"old data kept where it is installed",
     [](Outcomes& t) { t.Package().outcome = PackageOutcome::OldDataKept(t.Package().destination, true); },
     PackageState::OldDataKept,
     [](const Outcomes& t) { return L"old data kept in " + t.dir / L"Orvek\\LumiAAA" + L", where it stays installed"; },
     false, false},
    {"old data kept, not installed",
     [](Outcomes& t) { t.Package().outcome = PackageOutcome::OldDataKept(t.Package().destination, false); },
     PackageState::OldDataKept,
     [](const Outcomes& t) { return L"not installed: its old data in " + t.dir / L"Orvek\\LumiAAA" + L" was kept"; },
     false, true},
    {"not selected", [](Outcomes& t) { t.Package().outcome.state = PackageState::NotSelected; },
     PackageState::NotSelected, [](const Outcomes&) { return std::wstring(L"not selected"); }, false, false},
    {"not reached", [](Outcomes&) {}, PackageState::NotReached,
     [](const Outcomes&) { return std::wstring(L"not installed: the run ended before the copy"); }, false, false},
};

TEST_P(Outcomes, GiveThePackageItsSummaryLineAndExitCode)
{
    const Row& row = GetParam();
    row.act(*this);
    const PackageOutcome& outcome = Package().outcome;
    EXPECT_EQ(static_cast<int>(outcome.state), static_cast<int>(row.state));
    EXPECT_EQ(OutcomeSummaryLine(Package()), L"summary: package Lumina: " + row.summary(*this));
    EXPECT_EQ(OutcomeFailsRun(outcome, false), row.failsRun);
    EXPECT_EQ(OutcomeFailsRun(outcome, true), row.failsQuietRun);
}

INSTANTIATE_TEST_SUITE_P(EachStep, Outcomes, ::testing::ValuesIn(kRows), [](const auto& info) {
    std::string name;
    for (const char* c = info.param.step; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
    return name;
});

}  // namespace
