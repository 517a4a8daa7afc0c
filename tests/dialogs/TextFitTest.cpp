// Every page and prompt in every language: each text fits its control, measured
// with the control's own font, so a translation longer than the German words is
// never shown cut, at 100 % here and at 125, 150 and 200 % in the runs through
// atdpi.exe (tests/CMakeLists.txt).
#include "DisplayScale.h"
#include "PageDriver.h"
#include "PageElements.h"
#include "app/LanguageLibrary.h"
#include "dialogs/DeleteOldProductDataDlg.h"
#include "dialogs/DotNetFrameworkDlg.h"
#include "platform/DotNetFramework.h"
#include "dialogs/EditPath.h"
#include "dialogs/LanguageDlg.h"
#include "dialogs/ProgressDlg.h"
#include "dialogs/SetupOptions.h"
#include "files/source/FileList.h"
#include "files/run/InstallRun.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"
#include "support/Win32Support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[32] = {};
    ::GetClassNameW(window, name, 32);
    return name;
}

// The size text takes with font in a box width pixels wide (format as DrawText's).
SIZE Measure(HWND window, HFONT font, const std::wstring& text, int width, UINT format)
{
    fw::WindowDC dc(window);
    fw::SelectGuard select(dc.Get(), font);
    RECT need{0, 0, width, 0};
    ::DrawTextW(dc.Get(), text.c_str(), -1, &need, format | DT_CALCRECT | DT_EXPANDTABS);
    return {need.right, need.bottom};
}

// The family of the font a window's text is drawn in, as the system realised it
// (the face name answers with the name asked for: "MS Shell Dlg").
std::wstring FamilyOf(HWND window)
{
    fw::WindowDC dc(window);
    fw::SelectGuard select(dc.Get(), reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)));
    const UINT size = ::GetOutlineTextMetricsW(dc.Get(), 0, nullptr);
    if (size == 0) return L"a bitmap font";
    std::vector<BYTE> buffer(size);
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
    if (!::GetOutlineTextMetricsW(dc.Get(), size, metrics)) return L"?";
    return reinterpret_cast<const wchar_t*>(buffer.data() + reinterpret_cast<std::uintptr_t>(metrics->otmpFamilyName));
}

// What a button draws beside its text: the frame of a push button, the mark of a
// check box or radio button, the indents of a group box's caption. Zero: no text.
int ButtonFrame(LONG style)
{
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: return 4 * ::GetSystemMetrics(SM_CXEDGE);
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return ::GetSystemMetrics(SM_CXMENUCHECK) + 4;
    case BS_GROUPBOX: return 16;
    default: return 0;
    }
}

// "name: text" for the dialog's caption and each control's text that does not fit.
std::vector<std::wstring> CutTexts(HWND dialog, const std::wstring& name)
{
    std::vector<std::wstring> cut;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    fw::ScopedFont captionFont(::CreateFontIndirectW(&metrics.lfCaptionFont));
    RECT frame{};
    ::GetWindowRect(dialog, &frame);
    const int captionRoom = frame.right - frame.left - 2 * ::GetSystemMetrics(SM_CXFIXEDFRAME) -
                            ::GetSystemMetrics(SM_CXSIZE) - 8;
    if (Measure(dialog, captionFont.Get(), TextOf(dialog), 0, DT_SINGLELINE | DT_NOPREFIX).cx > captionRoom)
        cut.push_back(name + L" caption: " + TextOf(dialog));

    for (HWND item = ::GetWindow(dialog, GW_CHILD); item; item = ::GetWindow(item, GW_HWNDNEXT)) {
        const std::wstring text = TextOf(item);
        const LONG style = ::GetWindowLongW(item, GWL_STYLE);
        int beside = 0;
        UINT format = 0;
        if (ClassOf(item) == L"Static") {
            // Pictures and frames have no text; a path is shortened on purpose.
            if ((style & SS_TYPEMASK) > SS_RIGHT || (style & SS_ELLIPSISMASK)) continue;
            format = DT_WORDBREAK | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
        } else if (ClassOf(item) == L"Button" && ButtonFrame(style) > 0) {
            beside = ButtonFrame(style);
            format = DT_SINGLELINE;
        } else {
            continue;
        }
        if (text.empty()) continue;
        RECT client{};
        ::GetClientRect(item, &client);
        const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(item, WM_GETFONT, 0, 0));
        const SIZE need = Measure(item, font, text, client.right - beside, format);
        if (need.cx + beside > client.right || need.cy > client.bottom)
            cut.push_back(name + L" " + std::to_wstring(::GetDlgCtrlID(item)) + L": " + text);
    }
    return cut;
}

struct Language {
    int number;
    const wchar_t* name;
    friend void PrintTo(const Language& language, std::ostream* out) { *out << language.number; }
};

class TextFitTest : public ::testing::TestWithParam<Language> {
protected:
    void SetUp() override
    {
        // Run at 100 % and again at 125, 150 and 200 % (atdpi.exe): each run is
        // at the scale it was started for.
        ASSERT_EQ(ScreenDpi(), ExpectedDpi());
        if (GetParam().number != 7) {
            ASSERT_TRUE(library.Load(WinePathOf(LANGUAGE_DIR) + L"\\", GetParam().number))
                << LanguageLibrary::FileName(GetParam().number) << " in " << LANGUAGE_DIR;
        }
        ui.UseResources(library.Module());
        WriteScript(script, L"[SetupInfo]\r\nDefLanguage=Deutsch\r\n[SupportedLangs]\r\nDeutsch=7\r\nEnglish=9\r\n"
                            L"Fran\u00E7ais=12\r\nItaliano=16\r\nEspa\u00F1ol=10\r\n");
    }

    // Shows dialog modally and collects its cut texts.
    void Check(fw::Dialog& dialog, const std::wstring& name)
    {
        RunModal(dialog, {[&](HWND window) {
            // Measured in the dialog font users see ("MS Shell Dlg" is Tahoma): a
            // narrower stand-in would let cut texts pass.
            EXPECT_EQ(FamilyOf(window), L"Tahoma") << std::wstring(name) << ": the prefix lacks Wine's fonts";
            for (const std::wstring& text : CutTexts(window, name)) cut.push_back(text);
            ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        }});
    }

    LanguageLibrary library;
    TempDir dir;
    std::wstring script = dir / L"setup.inf";
    ScriptedUi ui;
    InstallRun run{ui};
    FileList files;
    std::vector<std::wstring> cut;
};

TEST_P(TextFitTest, EveryPageAndPromptShowsItsTextsWhole)
{
    HINSTANCE resources = library.Module();
    CLanguageDlg language(resources, script, GetParam().number);
    Check(language, L"language page");

    CIEArray elements = MakeElements({{L"Lumina Leuchten", L"Lumina"}, {L"Helios Licht", L"Helios"}});
    CSetupOptions options(ui, run, L"C:\\Program Files\\OrvekDesktop\\", dir.Path(), script, elements, files,
                          nullptr);
    Check(options, L"options page");

    elements[0]->destination = L"C:\\Program Files\\OrvekDesktop";
    CEditPath path(resources, run, elements, files, 0, nullptr);
    Check(path, L"path dialog");

    DeleteOldProductDataDlg oldData(resources, L"Nordlicht Systeme",
                                    L"C:\\Program Files\\OrvekDesktop\\local\\Nordlicht", nullptr, false);
    Check(oldData, L"replace-old-data question");

    DotNetFrameworkDlg dotNet(resources, L"3.5", kDotNet35DownloadUrl);
    Check(dotNet, L".NET prompt");

    CProgressDlg progress(resources);
    ASSERT_TRUE(progress.Create());
    EXPECT_EQ(FamilyOf(progress.Handle()), L"Tahoma");
    for (const std::wstring& text : CutTexts(progress.Handle(), L"progress dialog")) cut.push_back(text);
    progress.Destroy();

    std::wstring list;
    for (const std::wstring& text : cut) list += L"\n  " + text;
    EXPECT_TRUE(cut.empty()) << "cut in " << std::wstring(GetParam().name) << ":" << list;
}

INSTANTIATE_TEST_SUITE_P(Languages, TextFitTest,
                         ::testing::Values(Language{7, L"German"}, Language{9, L"English"},
                                           Language{10, L"Spanish"}, Language{12, L"French"},
                                           Language{16, L"Italian"}),
                         [](const auto& info) { return std::to_string(info.param.number); });

}  // namespace
