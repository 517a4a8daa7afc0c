// The path dialog: a new folder for one install element, with the drive's
// letter, free space and the space the selected elements would need there.
#pragma once

#include "dialogs/PathCheck.h"
#include "framework/Dialog.h"

#include <cstddef>
#include <string>

class CIEArray;
class FileList;
class InstallRun;

class CEditPath : public fw::Dialog {
public:
    // run, elements and sourceFiles are not owned and outlive the dialog; index
    // is the element whose folder is edited. resources holds template 105.
    CEditPath(HINSTANCE resources, InstallRun& run, CIEArray& elements, const FileList& sourceFiles,
              std::size_t index, HWND parent);

    std::wstring newPath;       // 1012; read by the caller after IDOK
    std::wstring freeText;      // 1014
    std::wstring requiredText;  // 1015
    std::wstring driveText;     // 1013
    std::wstring caption;       // empty: the template's title
    DriveSpaceQuery driveSpace = GetDriveSpace;

    // "Ermitteln": the figures for the path in the edit control. The edited
    // element counts with that path meanwhile and gets its own folder back.
    void ShowDriveInfo();

protected:
    bool OnInitDialog() override;
    bool DoDataExchange(bool save) override;
    // Ends only when the path is usable (or the user had it created).
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    InstallRun& run_;
    CIEArray& elements_;
    const FileList& sourceFiles_;
    std::size_t index_;
};
