#include "app/LogTarget.h"

#include "app/SetupLog.h"
#include "framework/Handles.h"
#include "platform/FileLinks.h"
#include "platform/PathUtil.h"
#include "platform/Win32Error.h"
#include "catalogue/KeptBasePath.h"
#include "files/run/RunFiles.h"

namespace {

std::wstring FullPath(const std::wstring& path)
{
    std::wstring full = FullPathName(path);
    for (wchar_t& c : full)
        if (c == L'/') c = L'\\';
    // The same file as the plain form names it.
    if (full.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + full.substr(8);
    if (full.rfind(L"\\\\?\\", 0) == 0) return full.substr(4);
    return full;
}

// The long form of an existing path; path itself when it cannot be had.
std::wstring LongPath(const std::wstring& path)
{
    const DWORD size = ::GetLongPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return path;
    std::wstring longer(size, L'\0');
    const DWORD length = ::GetLongPathNameW(path.c_str(), longer.data(), size);
    if (length == 0 || length >= size) return path;
    longer.resize(length);
    return longer;
}

}  // namespace

std::wstring ComparablePath(const std::wstring& path)
{
    if (path.empty()) return path;
    std::wstring full = FullPath(path);
    const std::wstring::size_type slash = full.rfind(L'\\');
    std::wstring folder = slash == std::wstring::npos ? std::wstring() : full.substr(0, slash + 1);
    std::wstring name = slash == std::wstring::npos ? full : full.substr(slash + 1);
    // "update.log::$DATA" and "update.log. " open update.log itself.
    const std::wstring::size_type colon = name.find(L':');
    if (colon != std::wstring::npos) name.erase(colon);
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
    const std::wstring whole = folder + name;
    if (PathExists(whole)) return FileNameKey(LongPath(whole));
    if (!folder.empty()) folder = LongPath(folder);
    return FileNameKey(folder + name);
}

bool SameFile(const std::wstring& a, const std::wstring& b)
{
    if (a.empty() || b.empty()) return false;
    FileIdentity first;
    FileIdentity second;
    if (FileIdentityOf(a, first) && FileIdentityOf(b, second)) return first == second;
    return ComparablePath(a) == ComparablePath(b);
}

bool LogPathRefused(const std::wstring& logPath, const OwnFiles& own, std::wstring& why)
{
    const std::wstring log = ComparablePath(logPath);
    // Package folders can be anywhere; their uninstall logs have these names.
    const std::wstring name = LastPathComponent(log);
    if (name == L".UNINST.INF" || name == L"_UNINST.INF") {
        why = L"it is named like an uninstall log of the run (" + LastPathComponent(logPath) + L")";
        return true;
    }
    for (const OwnFile& file : own.files) {
        if (SameFile(logPath, file.path)) {
            why = L"it is " + file.what + L" (" + file.path + L")";
            return true;
        }
    }
    if (FileExists(logPath)) {
        for (const std::wstring& folder : own.folders) {
            if (folder.empty()) continue;
            std::wstring root = ComparablePath(folder);
            if (!root.empty() && root.back() != L'\\') root += L'\\';
            if (log.size() > root.size() && log.compare(0, root.size(), root) == 0) {
                why = L"it is a file of the installation medium (" + folder + L")";
                return true;
            }
        }
    }
    return false;
}

namespace {

// The log goes to fallback, with why as its first line of this run. A link
// planted at fallback (the temporary folder may be shared) is left as it is:
// the log then goes to a numbered name beside it, which says so too.
void OpenFallback(SetupLog& log, const std::wstring& fallback, std::wstring why)
{
    if (fallback.empty()) return;
    std::wstring path = fallback;
    if (!log.Open(path) && log.Link() != FileLink::None) {
        why += std::wstring(why.empty() ? L"" : L"; ") + L"the setup log " + fallback + L" is refused: " +
               FileLinkText(log.Link());
        const std::wstring stem = ReplaceExtension(fallback, std::wstring());
        for (int number = 1; number < 100 && !log.IsOpen(); ++number) {
            path = stem + L"-" + std::to_wstring(number) + L".log";
            log.Open(path);
        }
    }
    if (log.IsOpen() && !why.empty()) log.Write(why + L"; this log is written instead");
}

}  // namespace

std::wstring OpenSetupLog(SetupLog& log, const std::wstring& requested, bool quiet, const std::wstring& fallback,
                          const OwnFiles& own, bool& refused, std::wstring* refusal)
{
    refused = false;
    std::wstring why;
    // The line of this log and, when the run must not go on, the sentence it ends with.
    auto refuse = [&refused, refusal](const std::wstring& path, const std::wstring& reason) {
        refused = true;
        const std::wstring rest = L"setup log " + path + L" is refused: " + reason;
        if (refusal) *refusal = L"The " + rest;
        return L"the " + rest;
    };
    if (requested.empty()) {
        if (!quiet || fallback.empty()) return why;
        if (log.Open(fallback)) return why;
        if (log.Link() == FileLink::None) return why;  // a quiet run without a log, as before
        why = refuse(fallback, FileLinkText(log.Link()));
        OpenFallback(log, fallback, std::wstring());
        return why;
    }
    std::wstring reason;
    if (LogPathRefused(requested, own, reason)) {
        why = refuse(requested, reason);
    } else if (log.Open(requested)) {
        return why;
    } else if (log.Link() != FileLink::None) {
        why = refuse(requested, FileLinkText(log.Link()));
    } else {
        why = L"the setup log " + requested + L" cannot be written (" + Win32ErrorText(log.OpenError()) + L")";
    }
    OpenFallback(log, fallback, why);
    return why;
}

void AddRunFiles(OwnFiles& own, const std::wstring& adminFile, const std::wstring& logFolder)
{
    own.files.push_back({adminFile, L"the administration file"});
    own.files.push_back({KeptBasePathFile(adminFile), L"the kept data base path"});
    own.files.push_back({CopyLogPath(logFolder), L"the copy log of the run"});
    own.files.push_back({RunLogPath(logFolder), L"the uninstall log of the run"});
}
