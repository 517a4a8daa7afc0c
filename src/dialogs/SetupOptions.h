// The options page "Vorgaben zur Installation": the installation folder and the
// manufacturer packages to install, each with its folder. Every change goes into
// the install elements at once; OK checks the space on each drive first.
#pragma once

#include "dialogs/BmpListBox.h"
#include "dialogs/PathCheck.h"
#include "framework/Dialog.h"

#include <memory>
#include <string>
#include <vector>

class CIEArray;
class CInstElement;
class FileList;
class InstallRun;
class SetupUi;

// One package row of the check list.
struct OptionRow : CheckListRow {
    CInstElement* element = nullptr;  // not owned
};

class CSetupOptions : public fw::Dialog {
public:
    // Bit of rememberedIndex: the last selection change selected the row
    // without toggling it.
    static constexpr int kSelectedOnly = 0x4000;

    // ui asks the user (messages, path dialog, folder browser; its resources hold
    // template 102); run is the copy engine's run (the path check); elements,
    // the script (folder names of section "DTBPath") and the source scan outlive
    // the page. parent (not owned) may be null.
    CSetupOptions(SetupUi& ui, InstallRun& run, const std::wstring& installDir, const std::wstring& sourceDir,
                  const std::wstring& scriptFile, CIEArray& elements, const FileList& sourceFiles, HWND parent);

    CBmpListBox list;                          // 1091
    std::vector<std::unique_ptr<OptionRow>> rows;  // in list order
    int rememberedIndex = -1;
    std::wstring installDir;                   // 1016
    std::wstring sourceDir;                    // kept for the caller; no step here uses it
    std::wstring scriptFile;
    CIEArray& elements;
    int dataSource = 1;                        // 1028/1029: 0 from the DVD, 1 onto the disk
    DriveSpaceQuery driveSpace = GetDriveSpace;

    // Each package's folder: its folder name below the installation folder.
    void AssignPackageDirectories();
    // Row texts, marks and enabled states from the elements.
    void RefreshRowTexts();
    // Inverts row index (list order) and its element, when allowed.
    void ToggleRow(int index);

protected:
    bool OnInitDialog() override;
    bool DoDataExchange(bool save) override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDpiChanged(int dpi) override;

private:
    void DataSourceChanged();
    void SelectionChanged();
    void DoubleClicked();
    void SetAllRows(int value);
    void ApplicationToggled();
    void ChooseInstallDir();
    void ChoosePackageFolder();
    // True when every drive has room, or the user chose to go on anyway.
    bool EnoughSpace();

    SetupUi& ui_;
    InstallRun& run_;
    const FileList& sourceFiles_;
};
