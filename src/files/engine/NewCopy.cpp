#include "files/engine/NewCopy.h"

#include "files/run/InstallRun.h"
#include "files/engine/OldFileAside.h"
#include "files/source/SourceFile.h"
#include "platform/FileCopy.h"

namespace {

// The attributes a new copy is created with: the source's, without read-only
// (an installed file is left writable, and so the copy can be removed).
DWORD NewFileAttributes(DWORD attributes)
{
    attributes &= FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

}  // namespace

fw::ScopedFile WriteCopy(InstallRun& run, SourceFile& source, const std::wstring& name, DWORD disposition,
                         const WIN32_FILE_ATTRIBUTE_DATA& sourceData)
{
    const HANDLE from = source.FromStart();
    if (from == INVALID_HANDLE_VALUE) return fw::ScopedFile();
    fw::ScopedFile file(::CreateFileW(name.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, disposition,
                                      NewFileAttributes(sourceData.dwFileAttributes), nullptr));
    if (!file) return file;
    if (run.copyData(from, file.Get()) && ::SetFileTime(file.Get(), nullptr, nullptr, &sourceData.ftLastWriteTime))
        return file;
    const DWORD error = ::GetLastError();
    file.Reset();
    ::DeleteFileW(name.c_str());
    ::SetLastError(error ? error : ERROR_WRITE_FAULT);
    return file;
}

bool AlreadyInPlace(SourceFile& source, const std::wstring& dest, const WIN32_FILE_ATTRIBUTE_DATA& sourceData,
                    const WIN32_FILE_ATTRIBUTE_DATA& destData)
{
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (sourceData.nFileSizeHigh != destData.nFileSizeHigh || sourceData.nFileSizeLow != destData.nFileSizeLow ||
        ::CompareFileTime(&sourceData.ftLastWriteTime, &destData.ftLastWriteTime) != 0 ||
        (sourceData.dwFileAttributes & kKept) != (destData.dwFileAttributes & kKept))
        return false;
    const HANDLE from = source.FromStart();
    if (from == INVALID_HANDLE_VALUE) return false;
    fw::ScopedFile installed(::CreateFileW(dest.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    return installed && SameFileData(from, installed.Get());
}

NewCopy::~NewCopy()
{
    file_.Reset();
    if (!path_.empty()) ::DeleteFileW(path_.c_str());
}

DWORD NewCopy::Make(InstallRun& run, SourceFile& source, const std::wstring& dest,
                    const WIN32_FILE_ATTRIBUTE_DATA& sourceData)
{
    return PlaceBeside(
        dest, L".~ovn",
        [&](const std::wstring& name, bool ownPlaceholder) {
            file_ = WriteCopy(run, source, name, ownPlaceholder ? CREATE_ALWAYS : CREATE_NEW, sourceData);
            return file_.Valid();
        },
        path_);
}

bool NewCopy::MoveTo(InstallRun& run, const std::wstring& dest, bool replace)
{
    if (!run.renameOpenFile(file_.Get(), dest.c_str(), replace ? TRUE : FALSE)) return false;
    file_.Reset();
    path_.clear();
    return true;
}
