// A small installation source in a temporary folder: a data script, a source
// catalogue and package folders, written by the tests that need one.
#pragma once

#include "app/SetupState.h"
#include "files/sections/FileSection.h"
#include "files/run/InstallRun.h"
#include "support/ScriptedUi.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct TestPackage {
    std::wstring id;
    std::wstring name;
    std::wstring dirname;
};

class GeneratedSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state.sourceDir = dir / L"src\\";
        state.scriptFile = dir / L"src\\DataSetup.inf";
        state.installDir = dir / L"dst";
        state.uiLanguage = 9;
        state.country = 49;
        state.runMode = 3;
        ASSERT_TRUE(MakeDirs(dir / L"src\\data"));
        ASSERT_TRUE(MakeDirs(dir / L"dst"));
        run.sourceDir = state.sourceDir;
    }

    // What the file sections are read against in this source.
    SectionContext Sections() { return SectionContext{ui, run, state.sourceDir, state.uiLanguage}; }

    // data\ovkdata.inf listing packages in this order.
    void Catalogue(const std::vector<TestPackage>& packages)
    {
        std::wstring text = L"[manufacturers]\r\n";
        for (const auto& p : packages) text += p.id + L"=" + p.id + L"\r\n";
        for (const auto& p : packages)
            text += L"[" + p.id + L"]\r\nname=" + p.name + L"\r\ndbname=" + p.id + L"db\r\ndirname=" + p.dirname + L"\r\n";
        ASSERT_TRUE(WriteText(dir / L"src\\data\\ovkdata.inf", text));
    }
    void Script(const std::wstring& text) { ASSERT_TRUE(WriteText(state.scriptFile, text)); }
    // A source file of size bytes below src.
    void SourceFile(const std::wstring& relative, size_t size, char fill = 'x')
    {
        const std::wstring path = dir / (L"src\\" + relative);
        MakeDirs(path.substr(0, path.rfind(L'\\')));
        ASSERT_TRUE(WriteBytes(path, std::string(size, fill)));
    }
    // The lines of a log file, without their line feeds.
    static std::vector<std::string> Lines(const std::wstring& path)
    {
        std::vector<std::string> lines;
        const std::string bytes = ReadBytes(path);
        size_t start = 0;
        for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(bytes.substr(start, end - start));
        if (start < bytes.size()) lines.push_back(bytes.substr(start) + "<no line end>");
        return lines;
    }
    std::string Ansi(const std::wstring& relative) const
    {
        const std::wstring path = dir / relative;
        return std::string(path.begin(), path.end());  // the temporary folder is plain ASCII
    }

    // Declared in this order so the logs close before the folder goes.
    TempDir dir;
    SetupState state;
    ScriptedUi ui;
    InstallRun run{ui};
};
