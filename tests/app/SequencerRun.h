// A whole run of the sequencer inside the test process: a medium in a temporary
// folder, the machine's data folder to itself, the scripted user, a setup log,
// and the recorder in place of every program the run starts.
#pragma once

#include "app/QuietUi.h"
#include "app/Sequencer.h"
#include "app/SetupLog.h"
#include "app/SetupState.h"
#include "files/elements/InstElement.h"
#include "files/RecorderRecords.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <optional>
#include <string>
#include <vector>

namespace seqtest {

inline constexpr wchar_t kSuiteFolder[] = L"C:\\ProgramData\\Orvekhaus";
inline constexpr wchar_t kDataFolder[] = L"C:\\ProgramData\\Orvekhaus\\OrvekData";
inline constexpr wchar_t kAdminFile[] = L"C:\\ProgramData\\Orvekhaus\\OrvekData\\orvekAdmin.ini";
inline constexpr wchar_t kSuiteKey[] = L"SOFTWARE\\Orvekhaus\\OrvekSuite";

inline bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The names in a folder; empty when it is not there.
inline std::vector<std::wstring> FolderEntries(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
}

// The machine's data folder, where the run finds the administration file and
// installs: set aside while a test runs, put back afterwards.
class MachineDataFolder {
public:
    MachineDataFolder() : hadSuite_(Exists(kSuiteFolder))
    {
        if (Exists(kDataFolder) && !Exists(kSaved)) ::MoveFileExW(kDataFolder, kSaved, 0);
        RemoveTree(kDataFolder);
    }
    ~MachineDataFolder()
    {
        RemoveTree(kDataFolder);
        if (Exists(kSaved)) ::MoveFileExW(kSaved, kDataFolder, 0);
        if (!hadSuite_) ::RemoveDirectoryW(kSuiteFolder);
    }
    MachineDataFolder(const MachineDataFolder&) = delete;
    MachineDataFolder& operator=(const MachineDataFolder&) = delete;

    bool WriteAdminFile(const std::string& text) { return MakeDirs(kDataFolder) && WriteBytes(kAdminFile, text); }

private:
    static constexpr wchar_t kSaved[] = L"C:\\ProgramData\\Orvekhaus\\OrvekData.saved-by-sequencer-tests";
    bool hadSuite_;
};

// The suite's product key with its InstallDir, gone again with the object.
class SuiteInstalled {
public:
    explicit SuiteInstalled(const std::wstring& installDir)
    {
        HKEY parent = nullptr;
        hadParent_ = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Orvekhaus", 0, KEY_READ, &parent) == ERROR_SUCCESS;
        if (parent) ::RegCloseKey(parent);
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSuiteKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        set_ = ::RegSetValueExW(key, L"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(installDir.c_str()),
                                static_cast<DWORD>((installDir.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
        ::RegCloseKey(key);
    }
    ~SuiteInstalled()
    {
        ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kSuiteKey);
        if (!hadParent_) ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Orvekhaus");
    }
    SuiteInstalled(const SuiteInstalled&) = delete;
    SuiteInstalled& operator=(const SuiteInstalled&) = delete;
    bool Set() const { return set_; }

private:
    bool hadParent_ = false;
    bool set_ = false;
};

inline bool SuiteKeyThere()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSuiteKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

// Waits until no process runs whose program lies below folder: what a run
// started may still be finishing when its record is written.
inline void WaitForProgramsFrom(const std::wstring& folder)
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
        HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (!process) continue;
        wchar_t image[MAX_PATH * 2] = {};
        DWORD size = MAX_PATH * 2;
        const int length = static_cast<int>(folder.size());
        if (::QueryFullProcessImageNameW(process, 0, image, &size) && size >= folder.size() &&
            ::CompareStringOrdinal(image, length, folder.c_str(), length, TRUE) == CSTR_EQUAL) {
            EXPECT_EQ(::WaitForSingleObject(process, 30000), WAIT_OBJECT_0)
                << "still running: " << std::string(image, image + size);
        }
        ::CloseHandle(process);
    }
    ::CloseHandle(snapshot);
}

// A package of the medium; countries is its dbname when it has a country list.
struct MediumPackage {
    const wchar_t* id;
    const wchar_t* name;
    const wchar_t* dirname;
    const wchar_t* countries;
};

inline constexpr MediumPackage kPackages[] = {
    {L"LUM", L"Lumina Leuchten", L"Lumina", L""},
    {L"HEL", L"Helios Licht", L"Helios", L"CountryCodes: 49 43 00"},
    {L"SOL", L"Sol Architektur", L"Sol", L"CountryCodes: 41_ex 00"},
};
inline constexpr const wchar_t* kCategories[] = {L"cad", L"dtb", L"lvk", L"pic", L"geo", L"sym", L"att"};

// The bytes of a package's file on the medium.
inline std::string PackageFileBytes(const std::wstring& id, const std::wstring& category)
{
    return "data of " + std::string(id.begin(), id.end()) + " " + std::string(category.begin(), category.end()) +
           "\r\n";
}

class SequencerRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MakeDirs(install + L"\\") && MakeDirs(root + L"\\data"));
        ASSERT_TRUE(WriteText(install + L"\\setup.inf", L"[SetupInfo]\r\nSourcePath=\r\n"));
        DataScript(0);
        ASSERT_TRUE(WriteText(install + L"\\readme.txt", L"the medium's readme\r\n"));
        ASSERT_TRUE(CopyRecorder(install + L"\\PostSetup.exe"));
        std::wstring catalogue = L"[manufacturers]\r\n";
        for (const MediumPackage& p : kPackages) catalogue += std::wstring(p.id) + L"=" + p.id + L"\r\n";
        for (const MediumPackage& p : kPackages) {
            catalogue += L"[" + std::wstring(p.id) + L"]\r\nname=" + p.name + L"\r\nversion=2026.1\r\ndirname=" +
                         p.dirname + L"\r\nplugin=install.exe\r\n";
            catalogue += *p.countries ? L"dbname=" + std::wstring(p.countries) + L"\r\ndbname49=" + p.id +
                                            L"_de\r\ndbname00=" + p.id + L"_int\r\n"
                                      : L"dbname=" + std::wstring(p.id) + L"db\r\n";
            const std::wstring folder = root + L"\\data\\" + p.dirname;
            for (const wchar_t* category : kCategories) {
                ASSERT_TRUE(MakeDirs(folder + L"\\" + category));
                ASSERT_TRUE(WriteBytes(folder + L"\\" + category + L"\\" + p.id + L"0." + category,
                                       PackageFileBytes(p.id, category)));
            }
            ASSERT_TRUE(MakeDirs(folder + L"\\plg") && CopyRecorder(folder + L"\\plg\\install.exe"));
        }
        ASSERT_TRUE(WriteText(root + L"\\data\\ovkdata.inf", catalogue));

        paths.modulePath = install + L"\\setup.exe";
        paths.scriptPath = install + L"\\setup.inf";
        paths.moduleDir = install + L"\\";
        ASSERT_TRUE(log.Open(dir / L"setup.log"));
        state.language = 7;  // German: the program's own texts, no library
        state.country = 49;
    }

    // The data script; dotNet is the framework version it requires (0: none).
    void DataScript(int dotNet)
    {
        ASSERT_TRUE(WriteText(install + L"\\DataSetup.inf",
                              L"[Install32]\r\nIni=orvek.ini\r\nDotNetFx=" + std::to_wstring(dotNet) +
                                  L"\r\n[Ini32]\r\n[Files]\r\nreadme=1,install\\readme.txt,,,,\r\n[FilesPriv]\r\n"
                                  L"[CreateDir]\r\ndir1=obj\r\ndir2=local\r\n"));
    }

    // The options page left with OK: it gives the application the installation
    // folder when it opens; the user ticks off the packages named and, unless
    // application, the application.
    void OptionsPageOk(std::vector<std::wstring> tickedOff = {}, bool application = true)
    {
        ui.onOptionsPage = [=, this](std::wstring& installDir, CIEArray& elements) {
            ++optionsPages;
            elements[0]->destination = installDir;
            elements[0]->selected = application ? 1 : 0;
            for (std::size_t i = 1; i < elements.GetSize(); ++i)
                for (const std::wstring& name : tickedOff)
                    if (elements[i]->package && elements[i]->package->name == name) elements[i]->selected = 0;
            return IDOK;
        };
    }
    void OptionsPageCancel()
    {
        ui.onOptionsPage = [this](std::wstring&, CIEArray&) {
            ++optionsPages;
            return IDCANCEL;
        };
    }

    // One run: the start command's handler, then what message 0x47B does. A
    // quiet run answers through the quiet interface, as the program does.
    int Run()
    {
        RecorderSettings recorder(dir / L"records.log");
        SetupUi& shown = state.quiet ? static_cast<SetupUi&>(quietUi.emplace(ui, log)) : ui;
        int exitCode = -1;
        {
            Sequencer sequencer(state, paths, shown, log);
            sequencer.StartRun();
            sequencer.FinishRun();
            exitCode = sequencer.ExitCode();
        }
        // Every run ends by starting the follow-up program, which it does not wait
        // for: the test waits for its record.
        const auto followedUp = [](const std::vector<std::string>& started) {
            return !started.empty() && started.back().rfind("install\\PostSetup.exe", 0) == 0;
        };
        std::vector<std::string> started = Started();
        for (const ULONGLONG deadline = ::GetTickCount64() + 60000; !followedUp(started); started = Started()) {
            if (::GetTickCount64() > deadline) {
                std::string seen;
                for (const std::string& start : started) seen += "\n  " + start;
                ADD_FAILURE() << "the follow-up program left no record within 60 s; started:" << seen;
                break;
            }
            ::Sleep(10);
        }
        WaitForProgramsFrom(root + L"\\");
        return exitCode;
    }

    // Each start the recorder saw: the program below the medium's folder, and its
    // arguments with the medium's folder shown as <medium>.
    std::vector<std::string> Started() const
    {
        const std::string medium(root.begin(), root.end());
        const auto shorter = [&medium](std::string text) {
            for (std::size_t at; (at = text.find(medium)) != std::string::npos;) text.replace(at, medium.size(), "<medium>");
            return text;
        };
        std::vector<std::string> starts;
        const std::string records = ReadBytes(dir / L"records.log");
        std::size_t at = 0;
        for (std::size_t end; (end = records.find("\n\n", at)) != std::string::npos; at = end + 2) {
            const std::string record = records.substr(at, end - at + 1);
            std::string start;
            for (int i = 0;; ++i) {
                const std::string key = "\narg" + std::to_string(i) + "=";
                const std::size_t from = record.find(key);
                if (from == std::string::npos) break;
                const std::size_t valueAt = from + key.size();
                std::string value = shorter(record.substr(valueAt, record.find('\n', valueAt) - valueAt));
                if (i == 0 && value.rfind("<medium>\\", 0) == 0) value.erase(0, 9);
                start += (i ? " " : "") + value;
            }
            starts.push_back(start);
        }
        return starts;
    }
    // The start of the follow-up program: the setup folder is its argument.
    static std::string FollowUp() { return "install\\PostSetup.exe <medium>\\install\\"; }
    static std::string Installer(const std::wstring& dirname)
    {
        return "data\\" + std::string(dirname.begin(), dirname.end()) + "\\plg\\install.exe";
    }

    // How many of a package's files are in folder with the medium's bytes.
    static int PackageFilesIn(const std::wstring& folder, const std::wstring& id)
    {
        int found = 0;
        for (const wchar_t* category : kCategories)
            if (ReadBytes(folder + L"\\" + category + L"\\" + id + L"0." + category) == PackageFileBytes(id, category))
                ++found;
        return found;
    }

    // The setup log's lines without their times.
    std::vector<std::string> LogLines() const
    {
        std::vector<std::string> lines;
        const std::string text = ReadBytes(dir / L"setup.log");
        std::size_t at = 0;
        for (std::size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(text.size() > at + 25 ? text.substr(at + 25, end - at - 25) : text.substr(at, end - at));
        return lines;
    }
    bool Logged(const std::string& line) const
    {
        for (const std::string& logged : LogLines())
            if (logged == line) return true;
        return false;
    }
    std::string LastLogLine() const
    {
        const std::vector<std::string> lines = LogLines();
        return lines.empty() ? std::string() : lines.back();
    }

    // Declared in this order so that the log closes before the folders go.
    TempDir dir;
    MachineDataFolder machine;
    const std::wstring root = dir / L"Daten DVD";  // a blank: the follow-up's argument must stay whole
    const std::wstring install = root + L"\\install";
    SetupState state;
    ModulePaths paths;
    ScriptedUi ui;
    SetupLog log;
    std::optional<QuietUi> quietUi;
    int optionsPages = 0;
};

// ASCII, as the temporary folders are.
inline std::string Ascii(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

}  // namespace seqtest
