// The run itself in the test process: each way it ends early and each answer on a
// page, with what an administrator finds afterwards: the exit code, the files
// copied, the administration file, the programs started and the setup log.
#include "SequencerRun.h"

#include "catalogue/KeptBasePath.h"
#include "platform/DotNetFramework.h"
#include "platform/PathUtil.h"
#include "resources/resource.h"
#include "support/Win32Support.h"

#include <algorithm>
#include <ostream>

namespace seqtest {
namespace {

const std::string kAdminText = "[basepath]\r\npath=\r\n";
const std::vector<std::wstring> kAllPackages = {L"Lumina Leuchten", L"Helios Licht", L"Sol Architektur"};

std::wstring AdminValue(const wchar_t* section, const wchar_t* key)
{
    wchar_t value[512] = {};
    ::GetPrivateProfileStringW(section, key, L"<absent>", value, 512, kAdminFile);
    return value;
}

std::vector<UINT> BoxIds(const ScriptedUi& ui)
{
    std::vector<UINT> ids;
    for (const AskedMessage& message : ui.messages) ids.push_back(message.stringId);
    return ids;
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// The .NET Framework 3.5 as its setup records it, gone again with the object
// (with the parent keys made for it).
class DotNet35Installed {
public:
    DotNet35Installed()
    {
        for (const wchar_t* key : kChain) made_.push_back(!KeyThere(key));
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kChain[2], 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr)) return;
        const DWORD one = 1;
        const std::wstring version = L"3.5.30729.1";
        set_ = !::RegSetValueExW(key, L"Install", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4) &&
               !::RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                                 static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(key);
    }
    ~DotNet35Installed()
    {
        for (int i = 2; i >= 0; --i)
            if (made_[i]) ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kChain[i]);
    }
    bool Set() const { return set_; }

private:
    static bool KeyThere(const wchar_t* name)
    {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, name, 0, KEY_READ, &key)) return false;
        ::RegCloseKey(key);
        return true;
    }
    static constexpr const wchar_t* kChain[] = {L"Software\\Microsoft\\NET Framework Setup",
                                                L"Software\\Microsoft\\NET Framework Setup\\NDP",
                                                L"Software\\Microsoft\\NET Framework Setup\\NDP\\v3.5"};
    std::vector<bool> made_;
    bool set_ = false;
};

// A failing case is named, not shown as bytes.
template <class Case>
    requires requires(const Case& c) { c.name; }
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

bool DotNet35Present()
{
    std::wstring version;
    std::wstring url;
    return DotNetFrameworkPresent(kDotNet35, version, url);
}

// ---------------------------------------------------------------------------
// Ends before the copy: nothing copied, nothing recorded, only the follow-up starts.

struct EarlyEndCase {
    const char* name;
    int dotNet;           // DotNetFx of the data script; the prompt is cancelled
    bool quiet;
    int optionsPage;      // IDCANCEL, or IDOK with nothing ticked
    int exitCode;
    const char* endLine;  // why, in the setup log
    UINT box;             // the string shown, 0: none
};

const EarlyEndCase kEarlyEnds[] = {
    {"OptionsPageCancelled", 0, false, IDCANCEL, kExitCancelled, "the run ends: the options page was cancelled", 0},
    {"NothingTicked", 0, false, IDOK, kExitCancelled, "the run ends: nothing selected", IDS_NOTHING_SELECTED},
    {"DotNetPromptCancelled", kDotNet35, false, IDOK, kExitCancelled, "the run ends: .NET Framework 3.5 missing", 0},
    {"DotNetMissingInAQuietRun", kDotNet35, true, IDOK, kExitFailed, "the run ends: .NET Framework 3.5 missing", 0},
};

class EarlyEnds : public SequencerRun, public ::testing::WithParamInterface<EarlyEndCase> {};

TEST_P(EarlyEnds, LeaveTheMachineAsItWasAndStillStartTheFollowUp)
{
    const EarlyEndCase& c = GetParam();
    if (c.dotNet) {
        ASSERT_FALSE(DotNet35Present()) << "this prefix has the framework";
    }
    DataScript(c.dotNet);
    state.silent = state.quiet = c.quiet;
    std::wstring prompt;
    ui.onDotNetPrompt = [&prompt](const std::wstring& version, const std::wstring& url) {
        prompt = version + L" " + url;
        return IDCANCEL;
    };
    if (c.optionsPage == IDCANCEL)
        OptionsPageCancel();
    else
        OptionsPageOk(kAllPackages, false);
    ASSERT_TRUE(machine.WriteAdminFile(kAdminText));

    EXPECT_EQ(Run(), c.exitCode);

    EXPECT_EQ(FolderEntries(kDataFolder), std::vector<std::wstring>{L"orvekAdmin.ini"});
    EXPECT_EQ(ReadBytes(kAdminFile), kAdminText);
    EXPECT_EQ(Started(), std::vector<std::string>{FollowUp()});
    EXPECT_TRUE(Logged(c.endLine));
    EXPECT_EQ(LastLogLine(), "exit code " + std::to_string(c.exitCode));
    EXPECT_EQ(BoxIds(ui), c.box ? std::vector<UINT>{c.box} : std::vector<UINT>{});
    if (c.dotNet) {
        EXPECT_EQ(optionsPages, 0);
    }
    if (c.dotNet && !c.quiet) {
        EXPECT_EQ(prompt, std::wstring(L"3.5 ") + kDotNet35DownloadUrl);
    }
    if (c.quiet) {
        EXPECT_EQ(ui.pagesShown, 0);  // nothing waits for a person
        EXPECT_TRUE(Logged("prompt: .NET Framework 3.5 is missing (" + Ascii(kDotNet35DownloadUrl) + ") -> Cancel"));
    }
}

INSTANTIATE_TEST_SUITE_P(Sequencer, EarlyEnds, ::testing::ValuesIn(kEarlyEnds),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// No administration file: the user learns which product is missing; the
// installation folder falls back to the program files folder, where nothing is made.

struct NoAdminCase {
    const char* name;
    bool suiteInstalled;
    UINT box;
};

const NoAdminCase kNoAdmin[] = {
    {"NoProductAtAll", false, IDS_NO_INSTALLATION},
    {"OnlyTheSuite", true, IDS_SUITE_ONLY},
};

class NoAdministrationFile : public SequencerRun, public ::testing::WithParamInterface<NoAdminCase> {};

TEST_P(NoAdministrationFile, SaysWhatIsMissingAndEndsOnAnErrorWithoutCopying)
{
    ASSERT_FALSE(SuiteKeyThere()) << "a product key was left in this prefix";
    std::optional<SuiteInstalled> suite;
    if (GetParam().suiteInstalled) {
        ASSERT_TRUE(suite.emplace(L"C:\\Orvek Suite").Set());
    }
    wchar_t programFiles[MAX_PATH] = {};
    DWORD size = sizeof(programFiles);
    ASSERT_EQ(::RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", L"ProgramFilesDir",
                             RRF_RT_ANY, nullptr, programFiles, &size),
              ERROR_SUCCESS);
    OptionsPageOk();

    EXPECT_EQ(Run(), kExitFailed);

    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].stringId, GetParam().box);
    EXPECT_EQ(ui.messages[0].flags, static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
    EXPECT_EQ(optionsPages, 0);
    EXPECT_EQ(state.installDir, std::wstring(programFiles) + L"\\OrvekDesktop");
    EXPECT_EQ(state.installDirText, state.installDir);
    EXPECT_FALSE(Exists(state.installDir));
    EXPECT_FALSE(Exists(kDataFolder));
    EXPECT_EQ(Started(), std::vector<std::string>{FollowUp()});
    EXPECT_TRUE(Logged("the run ends: no administration file on this machine"));
    EXPECT_EQ(LastLogLine(), "exit code 1603");
}

INSTANTIATE_TEST_SUITE_P(Sequencer, NoAdministrationFile, ::testing::ValuesIn(kNoAdmin),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Runs that install.

TEST_F(SequencerRun, InstallsRecordsAndStartsWhatTheOptionsPageLeavesTicked)
{
    ASSERT_TRUE(machine.WriteAdminFile(kAdminText));
    OptionsPageOk({L"Helios Licht"});

    EXPECT_EQ(Run(), kExitInstalled);

    const std::wstring data = kDataFolder;
    EXPECT_EQ(PackageFilesIn(data + L"\\Lumina", L"LUM"), 7);
    EXPECT_EQ(PackageFilesIn(data + L"\\Sol", L"SOL"), 7);
    EXPECT_FALSE(Exists(data + L"\\Helios"));
    EXPECT_EQ(ReadBytes(data + L"\\readme.txt"), "the medium's readme\r\n");
    EXPECT_EQ(AdminValue(L"LUM", L"localpath"), data);
    EXPECT_EQ(AdminValue(L"LUM", L"dirname"), L"Lumina");
    EXPECT_EQ(AdminValue(L"LUM", L"status"), L"26");  // offered, then installed
    EXPECT_EQ(AdminValue(L"HEL", L"localpath"), L"");
    EXPECT_EQ(AdminValue(L"HEL", L"status"), L"72");  // offered, not installed
    EXPECT_EQ(Started(), (std::vector<std::string>{Installer(L"Lumina"), Installer(L"Sol"), FollowUp()}));
    EXPECT_TRUE(Logged("package Lumina Leuchten: to be installed in " + Ascii(data) + "\\Lumina"));
    EXPECT_TRUE(Logged("every file copied"));
    EXPECT_TRUE(Logged("packages recorded in the administration file"));
    EXPECT_EQ(LastLogLine(), "exit code 0");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SequencerRun, AStoppedCopyRecordsNothingAndStartsNoInstaller)
{
    ASSERT_TRUE(machine.WriteAdminFile(kAdminText));
    OptionsPageOk();
    ui.cancelAfterSteps = 1;

    EXPECT_EQ(Run(), kExitCancelled);

    const std::wstring data = kDataFolder;
    EXPECT_LT(PackageFilesIn(data + L"\\Lumina", L"LUM") + PackageFilesIn(data + L"\\Helios", L"HEL") +
                  PackageFilesIn(data + L"\\Sol", L"SOL"),
              21);
    EXPECT_EQ(ReadBytes(kAdminFile), kAdminText);
    EXPECT_EQ(Started(), std::vector<std::string>{FollowUp()});
    EXPECT_TRUE(Logged("the copy was stopped"));
    EXPECT_EQ(LastLogLine(), "exit code 1602");
    EXPECT_TRUE(ui.progressEnded);
}

// ---------------------------------------------------------------------------
// The .NET requirement: asked only when the framework is missing; a prompt that
// ends otherwise than by cancel lets the run go on.

struct DotNetCase {
    const char* name;
    int dotNet;  // -1: no DotNetFx key
    bool installed;
    bool asked;
};

const DotNetCase kDotNet[] = {
    {"NoKey", -1, false, false},
    {"Zero", 0, false, false},
    {"RequiredAndInstalled", kDotNet35, true, false},
    {"PromptEndsOtherwise", kDotNet35, false, true},
};

class DotNetRequirement : public SequencerRun, public ::testing::WithParamInterface<DotNetCase> {};

TEST_P(DotNetRequirement, LetsTheRunInstall)
{
    const DotNetCase& c = GetParam();
    if (c.dotNet < 0) {
        ASSERT_TRUE(WriteText(install + L"\\DataSetup.inf", L"[Install32]\r\nIni=orvek.ini\r\n[Files]\r\n"));
    } else {
        DataScript(c.dotNet);
    }
    std::optional<DotNet35Installed> framework;
    if (c.installed) {
        ASSERT_TRUE(framework.emplace().Set());
    }
    if (!c.installed && c.dotNet > 0) {
        ASSERT_FALSE(DotNet35Present()) << "this prefix has the framework";
    }
    int asked = 0;
    ui.onDotNetPrompt = [&asked](const std::wstring&, const std::wstring&) {
        ++asked;
        return -1;  // the prompt could not be shown
    };
    ASSERT_TRUE(machine.WriteAdminFile(kAdminText));
    OptionsPageOk();

    EXPECT_EQ(Run(), kExitInstalled);

    EXPECT_EQ(asked, c.asked ? 1 : 0);
    EXPECT_EQ(optionsPages, 1);
    EXPECT_EQ(PackageFilesIn(std::wstring(kDataFolder) + L"\\Lumina", L"LUM"), 7);
}

INSTANTIATE_TEST_SUITE_P(Sequencer, DotNetRequirement, ::testing::ValuesIn(kDotNet),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Old data in a package's folder: asked once; kept, the package is left out
// and the others install; replaced, the package installs.

struct OldDataCase {
    const char* name;
    bool silent;
    bool quiet;
    bool replaceOldData;  // the administrator's option
    int answer;
    bool kept;
    int exitCode;
};

// A package asked for in a quiet run and kept for its old data is not installed:
// the rollout has not done what it was asked.
const OldDataCase kOldData[] = {
    {"KeptOnThePage", false, false, false, IDNO, true, kExitInstalled},
    {"ReplacedOnThePage", false, false, false, IDYES, false, kExitInstalled},
    {"KeptInASilentRun", true, false, false, IDNO, true, kExitInstalled},
    {"KeptInAQuietRun", true, true, false, IDYES, true, kExitFailed},
    {"ReplacedInAQuietRunWhenAsked", true, true, true, IDNO, false, kExitInstalled},
};

class OldData : public SequencerRun, public ::testing::WithParamInterface<OldDataCase> {};

TEST_P(OldData, IsKeptOrReplacedAsAnswered)
{
    const OldDataCase& c = GetParam();
    const std::wstring base = std::wstring(kDataFolder) + (c.silent ? L"\\local" : L"");
    const std::wstring folder = base + L"\\Lumina";
    const std::wstring drawing = folder + L"\\cad\\mine.cad";
    ASSERT_TRUE(machine.WriteAdminFile(kAdminText));
    ASSERT_TRUE(MakeDirs(folder + L"\\cad") && WriteBytes(drawing, "the user's own drawing"));
    state.silent = c.silent;
    state.quiet = c.quiet;
    state.replaceOldData = c.replaceOldData;
    ui.replaceAnswers.push_back(c.answer);
    OptionsPageOk();

    EXPECT_EQ(Run(), c.exitCode);

    EXPECT_EQ(ReadBytes(drawing), c.kept ? "the user's own drawing" : "");
    EXPECT_EQ(PackageFilesIn(folder, L"LUM"), c.kept ? 0 : 7);
    EXPECT_EQ(PackageFilesIn(base + L"\\Helios", L"HEL"), 7);
    EXPECT_EQ(AdminValue(L"LUM", L"localpath"), c.kept ? L"" : base);
    EXPECT_EQ(AdminValue(L"HEL", L"localpath"), base);
    std::vector<std::string> starts = {Installer(L"Helios"), Installer(L"Sol"), FollowUp()};
    if (!c.kept) starts.insert(starts.begin(), Installer(L"Lumina"));
    EXPECT_EQ(Started(), starts);
    EXPECT_TRUE(Logged("package Lumina Leuchten: " + (c.kept ? "skipped, its old data in " + Ascii(folder) + " is kept"
                                                            : "to be installed in " + Ascii(folder))));
    if (c.quiet && c.kept) {
        EXPECT_TRUE(Logged("summary: package Lumina Leuchten: not installed: its old data in " + Ascii(folder) +
                           " was kept"));
    }
    if (c.quiet || c.replaceOldData) {
        EXPECT_TRUE(ui.replaceQuestions.empty());
    } else {
        ASSERT_EQ(ui.replaceQuestions.size(), 1u);  // only Lumina has old data
        EXPECT_EQ(ui.replaceQuestions[0].packageName, L"Lumina Leuchten");
        EXPECT_EQ(ui.replaceQuestions[0].folder, folder);
    }
}

INSTANTIATE_TEST_SUITE_P(Sequencer, OldData, ::testing::ValuesIn(kOldData),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SequencerRun, KeepingTheOldDataOfTheOnlyChosenPackageLeavesNothingToInstall)
{
    const std::wstring drawing = std::wstring(kDataFolder) + L"\\Lumina\\cad\\mine.cad";
    ASSERT_TRUE(machine.WriteAdminFile(kAdminText));
    ASSERT_TRUE(MakeDirs(std::wstring(kDataFolder) + L"\\Lumina\\cad") && WriteBytes(drawing, "mine"));
    OptionsPageOk({L"Helios Licht", L"Sol Architektur"}, false);
    ui.replaceAnswers.push_back(IDNO);

    EXPECT_EQ(Run(), kExitCancelled);

    EXPECT_EQ(BoxIds(ui), std::vector<UINT>{IDS_NOTHING_SELECTED});
    EXPECT_EQ(ReadBytes(drawing), "mine");
    EXPECT_EQ(Sorted(FolderEntries(kDataFolder)), (std::vector<std::wstring>{L"Lumina", L"orvekAdmin.ini"}));
    EXPECT_EQ(ReadBytes(kAdminFile), kAdminText);
    EXPECT_EQ(Started(), std::vector<std::string>{FollowUp()});
    EXPECT_TRUE(Logged("the run ends: nothing selected"));
}

// ---------------------------------------------------------------------------
// A command line that would do harm is refused before anything changes: a user's
// data base path kept by a stopped run stays kept, old data stays, nothing is
// installed or started but the follow-up.

struct RefusedCase {
    const char* name;
    bool silent;
    const wchar_t* installPath;  // below the medium's folder ("<medium>"), or the run's folder ("<dir>")
    bool logAtTheCopyLog;        // the setup log is the copy log of the installation folder
    bool emptyManufacturers;
    const char* endLine;         // begins the log's end line
};

const RefusedCase kRefused[] = {
    {"PInsideTheMedium", true, L"<medium>\\data", false, false, "the run ends: The installation folder "},
    {"LogAtTheCopyLogOfP", true, L"<dir>\\target", true, false, "the run ends: The setup log "},
    {"LogAtTheCopyLogTheOptionsPageChose", false, nullptr, true, false, "the run ends: The setup log "},
    {"EmptyManufacturerList", true, nullptr, false, true, "the run ends: The package list of /M is empty"},
};

class Refused : public SequencerRun, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(Refused, BeforeAnythingChanges)
{
    const RefusedCase& c = GetParam();
    const std::string admin = "[basepath]\r\npath=" + Ascii(root) + "\\data\r\n";
    ASSERT_TRUE(machine.WriteAdminFile(admin));
    ASSERT_TRUE(KeepBasePath(kAdminFile, L"C:\\Users\\Daten", root + L"\\data"));
    const std::wstring old = std::wstring(kDataFolder) + (c.silent ? L"\\local" : L"") + L"\\Lumina\\cad\\mine.cad";
    ASSERT_TRUE(MakeDirs(FolderPart(old)) && WriteBytes(old, "mine"));
    ui.replaceAnswers.push_back(IDYES);
    state.silent = c.silent;
    std::wstring target = std::wstring(kDataFolder);
    if (c.installPath) {
        std::wstring path = c.installPath;
        const std::wstring base = path.rfind(L"<medium>", 0) == 0 ? root : dir.Path();
        target = base + path.substr(path.find(L'>') + 1);
        state.commandInstallPath = target;
    }
    if (!c.silent) {
        target = dir / L"chosen";
        ui.onOptionsPage = [&](std::wstring& installDir, CIEArray& elements) {
            installDir = target;
            elements[0]->destination = target;
            return IDOK;
        };
    }
    const std::wstring logPath = c.logAtTheCopyLog ? JoinPath(target, L"update.log") : dir / L"setup.log";
    if (c.logAtTheCopyLog) {
        ASSERT_TRUE(MakeDirs(target) && log.Open(logPath));
    }
    state.manufacturersGiven = c.emptyManufacturers;

    EXPECT_EQ(Run(), kExitFailed);

    EXPECT_EQ(ReadBytes(kAdminFile), admin);
    EXPECT_TRUE(Exists(KeptBasePathFile(kAdminFile)));
    EXPECT_EQ(ReadBytes(old), "mine");
    EXPECT_EQ(Started(), std::vector<std::string>{FollowUp()});
    const std::string text = ReadBytes(logPath);
    EXPECT_NE(text.find(c.endLine), std::string::npos) << text;
    EXPECT_EQ(text.find("is put back"), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(Sequencer, Refused, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The country of the administration file picks the packages offered (a package
// can exclude a country); without one the run keeps the country it started with.

struct CountryCase {
    const char* name;
    const char* land;  // the administration file's [Land] section
    int startCountry;
    int country;
    bool solOffered;  // Sol excludes 41
};

const CountryCase kCountries[] = {
    {"TakenFromTheAdministrationFile", "[Land]\r\nCountry=49\r\n", 41, 49, true},
    {"AnExcludedCountryFromTheAdministrationFile", "[Land]\r\nCountry=41\r\n", 49, 41, false},
    {"KeptWithoutOne", "", 41, 41, false},
};

class Country : public SequencerRun, public ::testing::WithParamInterface<CountryCase> {};

TEST_P(Country, PicksThePackagesOffered)
{
    const CountryCase& c = GetParam();
    ASSERT_TRUE(machine.WriteAdminFile(kAdminText + c.land));
    state.silent = true;
    state.country = c.startCountry;

    EXPECT_EQ(Run(), kExitInstalled);

    EXPECT_EQ(state.country, c.country);
    const std::wstring local = std::wstring(kDataFolder) + L"\\local";
    EXPECT_EQ(PackageFilesIn(local + L"\\Lumina", L"LUM"), 7);
    EXPECT_EQ(PackageFilesIn(local + L"\\Sol", L"SOL"), c.solOffered ? 7 : 0);
    std::vector<std::string> starts = {Installer(L"Lumina"), Installer(L"Helios"), FollowUp()};
    if (c.solOffered) starts.insert(starts.begin() + 2, Installer(L"Sol"));
    EXPECT_EQ(Started(), starts);
    EXPECT_TRUE(Logged("package catalogue " + Ascii(root) + "\\data\\ovkdata.inf: " +
                       (c.solOffered ? "3 packages offered" : "2 packages offered (1 not offered for country 41)")));
}

INSTANTIATE_TEST_SUITE_P(Sequencer, Country, ::testing::ValuesIn(kCountries),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The language page: its choice, or the language the run started with, decides
// the library; the later boxes speak that language, German when it is missing.

struct LanguageCase {
    const char* name;
    int startLanguage;
    int pageAnswer;
    int chosen;
    bool libraryOnMedium;  // res_09.dll beside the program
    int language;          // afterwards, also the user-interface language
    bool notLoaded;        // "Language could not be loaded."
    bool english;
};

const LanguageCase kLanguages[] = {
    {"CancelledKeepsGerman", 7, IDCANCEL, 9, true, 7, false, false},
    {"GermanChosenLoadsNothing", 9, IDOK, 7, false, 7, false, false},
    {"EnglishChosenWithItsLibrary", 7, IDOK, 9, true, 9, false, true},
    {"AnUnknownLanguageTakesEnglish", 7, IDOK, 8, true, 9, false, true},
    {"EnglishWithoutItsLibraryGoesOnInGerman", 9, IDCANCEL, 7, false, 0, true, false},
};

class LanguagePage : public SequencerRun, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(LanguagePage, DecidesTheLanguageOfTheRun)
{
    const LanguageCase& c = GetParam();
    if (c.libraryOnMedium) {
        ASSERT_TRUE(::CopyFileW((WinePathOf(LANGUAGE_DIR) + L"\\res_09.dll").c_str(),
                                (install + L"\\res_09.dll").c_str(), FALSE))
            << "no res_09.dll in " << LANGUAGE_DIR;
    }
    state.language = c.startLanguage;
    std::wstring pageScript;
    ui.onLanguagePage = [&](const std::wstring& scriptPath, int& language) {
        pageScript = scriptPath;
        if (c.pageAnswer == IDOK) language = c.chosen;
        return c.pageAnswer;
    };
    ASSERT_TRUE(machine.WriteAdminFile(kAdminText));
    OptionsPageOk(kAllPackages, false);  // the run ends with a box: nothing selected

    EXPECT_EQ(Run(), kExitCancelled);

    EXPECT_EQ(pageScript, paths.scriptPath);
    EXPECT_EQ(state.language, c.language);
    EXPECT_EQ(state.uiLanguage, c.language);
    std::vector<std::wstring> texts;
    for (const AskedMessage& message : ui.messages) texts.push_back(message.text);
    std::vector<std::wstring> expected;
    if (c.notLoaded) expected.push_back(L"Language could not be loaded.\nProceeding in german.");
    expected.push_back(c.english ? L"No component was selected for installation.\nThe installation is cancelled."
                                 : L"Es wurde keine Komponente zur Installation ausgew\u00e4hlt.\n"
                                   L"Die Installation wird abgebrochen.");
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(ui.Resources(), nullptr);  // the library is not used once it is freed
}

INSTANTIATE_TEST_SUITE_P(Sequencer, LanguagePage, ::testing::ValuesIn(kLanguages),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace seqtest
