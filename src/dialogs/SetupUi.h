// Every page and prompt of a run, on top of what the copy engine asks. The real
// implementation shows dialogs (WindowsUi); tests answer from a script.
#pragma once

#include "files/run/InstallUi.h"

#include <cstddef>
#include <string>

class CIEArray;
class FileList;
class InstallRun;

class SetupUi : public InstallUi {
public:
    // The language page with the languages of section "SupportedLangs" of
    // scriptPath. IDOK (1): language holds the choice; IDCANCEL (2): unchanged.
    virtual int ChooseLanguage(const std::wstring& scriptPath, int& language) = 0;

    // The options page over elements: installDir (may be changed), the source the
    // packages come from, the data script (folder names of section "DTBPath") and
    // the source scan (space figures); run checks and creates folders. IDOK (1),
    // IDCANCEL (2) or 3; on IDOK the elements carry the choices and installDir the
    // installation folder. The elements change while the page is open, whatever
    // its result.
    virtual int ShowOptionsPage(InstallRun& run, std::wstring& installDir, const std::wstring& sourceDir,
                                const std::wstring& scriptFile, CIEArray& elements,
                                const FileList& sourceFiles) = 0;

    // The shell's folder browser, starting at path; true and path set when the
    // user chose a folder.
    virtual bool BrowseForFolder(std::wstring& path, const std::wstring& title) = 0;

    // The path dialog for element index of elements, proposing path, with caption
    // as its title when not empty; sourceFiles gives the space figures, run checks
    // and creates the folder. IDOK: path holds the new path.
    virtual int EditPath(InstallRun& run, CIEArray& elements, const FileList& sourceFiles, std::size_t index,
                         const std::wstring& caption, std::wstring& path) = 0;

    // The missing .NET framework prompt with the version text and the download
    // address; it ends only with IDCANCEL (2).
    virtual int ShowDotNetMissing(const std::wstring& versionText, const std::wstring& downloadUrl) = 0;
};
