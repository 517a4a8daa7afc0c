#include "app/CheckFindings.h"

#include "app/Sequencer.h"
#include "app/SetupLog.h"

#include <windows.h>

namespace {

const wchar_t* Consequence(FindingKind kind)
{
    switch (kind) {
    case FindingKind::Refused: return L"refused, the run ends with 1603";
    case FindingKind::LeftOut: return L"left out";
    case FindingKind::Told: return L"told";
    case FindingKind::Note: return L"note";
    }
    return L"note";
}

// The standard output handle, attached to the parent's console when the
// program was given none: a GUI program has no console of its own.
HANDLE StandardOutput()
{
    HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (out && out != INVALID_HANDLE_VALUE) return out;
    if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return nullptr;
    out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    return out && out != INVALID_HANDLE_VALUE ? out : nullptr;
}

void WriteOut(HANDLE out, const std::wstring& line)
{
    DWORD mode = 0;
    if (::GetConsoleMode(out, &mode)) {
        const std::wstring text = line + L"\r\n";
        DWORD written = 0;
        ::WriteConsoleW(out, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    // A pipe or a file: UTF-8, as the setup log.
    const std::wstring text = line + L"\n";
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                            nullptr, nullptr);
    if (bytes <= 0) return;
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), bytes, nullptr,
                          nullptr);
    DWORD written = 0;
    ::WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

}  // namespace

void CheckFindings::Add(FindingKind kind, const std::wstring& file, const std::wstring& text)
{
    findings_.push_back({kind, file, text});
}

std::size_t CheckFindings::Count(FindingKind kind) const
{
    std::size_t count = 0;
    for (const Finding& finding : findings_)
        if (finding.kind == kind) ++count;
    return count;
}

int CheckFindings::ExitCode() const
{
    return Count(FindingKind::Refused) > 0 ? kExitFailed : kExitInstalled;
}

std::wstring CheckFindings::Line(const Finding& finding)
{
    return (finding.file.empty() ? std::wstring() : finding.file + L": ") + finding.text + L": " +
           Consequence(finding.kind);
}

std::wstring CheckFindings::CountLine() const
{
    return L"check: " + std::to_wstring(Count(FindingKind::Refused)) + L" refused, " +
           std::to_wstring(Count(FindingKind::LeftOut)) + L" left out, " +
           std::to_wstring(Count(FindingKind::Told)) + L" told, " + std::to_wstring(Count(FindingKind::Note)) +
           L" notes; exit code " + std::to_wstring(ExitCode());
}

void WriteCheckLines(const std::vector<std::wstring>& lines, SetupLog* log)
{
    const HANDLE out = StandardOutput();
    for (const std::wstring& line : lines) {
        if (out) WriteOut(out, line);
        if (log && log->IsOpen()) log->Write(line);
    }
}
