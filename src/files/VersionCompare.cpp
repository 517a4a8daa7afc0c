#include "files/VersionCompare.h"

#include "files/InstallRun.h"
#include "files/InstallFile.h"
#include "files/SourceFile.h"
#include "platform/SystemLibrary.h"

#include <cstring>
#include <vector>

namespace {

// Errors that mean the file itself cannot be read, as opposed to a file that
// simply carries no version resource.
bool IsReadError(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND: case ERROR_PATH_NOT_FOUND: case ERROR_TOO_MANY_OPEN_FILES: case ERROR_ACCESS_DENIED:
    case ERROR_OUTOFMEMORY: case ERROR_NO_MORE_FILES: case ERROR_SHARING_VIOLATION: case ERROR_NETWORK_BUSY:
        return true;
    default:
        return false;
    }
}

std::wstring Number(unsigned long value)
{
    return std::to_wstring(value);
}

enum class ReadStep { SizeFailed, InfoFailed, QueryFailed, Read };

struct VersionRead {
    ReadStep step = ReadStep::SizeFailed;
    DWORD error = 0;
    VS_FIXEDFILEINFO fixed{};
};

// What the first bytes of a file say about a version resource in it.
enum class Head { MayHaveVersion, NoVersion, Unread };

// The version library reads resources only from executables ("MZ", which NE and
// PE files begin with) and, in some versions, from files packed by the setup
// compressor ("SZDD", "KWAJ"). For anything else it opens the file, finds no
// such header and fails with ERROR_RESOURCE_DATA_NOT_FOUND, after first trying
// to map it as an image. Four bytes read with the same open answer the same,
// at a fraction of the cost; a file that this open cannot read is left to the
// library, so its error stands as the library gives it.
Head HeadOf(const char* head, int read)
{
    if (read < 0) return Head::Unread;
    if (read >= 2 && head[0] == 'M' && head[1] == 'Z') return Head::MayHaveVersion;
    if (read == 4 && (std::memcmp(head, "SZDD", 4) == 0 || std::memcmp(head, "KWAJ", 4) == 0))
        return Head::MayHaveVersion;
    return Head::NoVersion;
}

Head ReadHead(SourceFile& file)
{
    char head[4] = {};
    return HeadOf(head, file.ReadStart(head, sizeof head));
}

Head ReadHead(const std::wstring& path)
{
    SourceFile file(path);
    return ReadHead(file);
}

// head: what the file's first bytes said, read on the NT family only, where
// the library's answer for a file without a version header is known (the 95
// family answers otherwise).
VersionRead ReadFixedVersion(const std::wstring& path, Head head)
{
    VersionRead read;
    if (head == Head::NoVersion) {
        read.error = ERROR_RESOURCE_DATA_NOT_FOUND;
        return read;
    }
    DWORD ignored = 0;
    DWORD size = VersionInfoSize(path.c_str(), &ignored);
    if (size == 0) {
        read.error = ::GetLastError();
        return read;
    }
    std::vector<BYTE> block(size);
    if (!VersionInfo(path.c_str(), 0, size, block.data())) {
        read.step = ReadStep::InfoFailed;
        return read;
    }
    void* value = nullptr;
    UINT length = 0;
    if (!VersionQuery(block.data(), L"\\", &value, &length) || !value || length < sizeof(VS_FIXEDFILEINFO)) {
        read.step = ReadStep::QueryFailed;
        return read;
    }
    read.fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
    read.step = ReadStep::Read;
    return read;
}

CompareOutcome CompareByDate(InstallRun& run, const FILETIME& sourceTime, const FILETIME& destTime)
{
    // "Comparsion are": the copy log's text as other tools read it; keep it.
    run.copyLog.Write(L"\t\tComparsion are defaulting to file date...\n");
    if (::CompareFileTime(&sourceTime, &destTime) < 0) {
        run.copyLog.Write(L"\t\tDst are newer than the install file.\n");
        return {CompareVerdict::Done, kVifSrcOld};
    }
    return {CompareVerdict::Copy, 0};
}

}  // namespace

CompareOutcome CompareForInstall(InstallRun& run, SourceFile& source, const std::wstring& dest, const FILETIME& sourceTime,
                                 const FILETIME& destTime)
{
    const bool headCheck = run.systemKind == SystemKind::NtFamily;
    const VersionRead src = ReadFixedVersion(source.Path(), headCheck ? ReadHead(source) : Head::Unread);
    switch (src.step) {
    case ReadStep::SizeFailed:
        run.copyLog.Write(L"\t\tFailed to get version info size on src. Error " + std::to_wstring(static_cast<int>(src.error)) +
                     L"\n");
        if (IsReadError(src.error)) return {CompareVerdict::Done, kVifCannotReadSrc};
        return CompareByDate(run, sourceTime, destTime);
    case ReadStep::InfoFailed:
        run.copyLog.Write(L"\t\tFailed to get version information on src.\n");
        return CompareByDate(run, sourceTime, destTime);
    case ReadStep::QueryFailed:
        run.copyLog.Write(L"\t\tsrc: VerQueryValue() failed.\n");
        return CompareByDate(run, sourceTime, destTime);
    case ReadStep::Read:
        break;
    }

    const VersionRead dst = ReadFixedVersion(dest, headCheck ? ReadHead(dest) : Head::Unread);
    switch (dst.step) {
    case ReadStep::SizeFailed:
        run.copyLog.Write(L"\t\tFailed to get version info size on dst. Error " + std::to_wstring(static_cast<int>(dst.error)) +
                     L"\n");
        if (IsReadError(dst.error)) return {CompareVerdict::Done, kVifCannotReadDst};
        return {CompareVerdict::Copy, 0};  // a destination without version resource is replaced
    case ReadStep::InfoFailed:
        return CompareByDate(run, sourceTime, destTime);
    case ReadStep::QueryFailed:
        run.copyLog.Write(L"\t\tdst: VerQueryValue() failed.\n");
        return CompareByDate(run, sourceTime, destTime);
    case ReadStep::Read:
        break;
    }

    const auto& s = src.fixed;
    const auto& d = dst.fixed;
    // "Comparsion are": as above, spelled as the readers of the log expect.
    run.copyLog.Write(L"\t\tComparsion are done by file version.\n");
    run.copyLog.Write(L"\t\tsrc=(" + Number(s.dwFileVersionMS) + L"," + Number(s.dwFileVersionLS) + L") dst=(" +
                 Number(d.dwFileVersionMS) + L"," + Number(d.dwFileVersionLS) + L").\n");
    const unsigned long long srcVersion = (static_cast<unsigned long long>(s.dwFileVersionMS) << 32) | s.dwFileVersionLS;
    const unsigned long long dstVersion = (static_cast<unsigned long long>(d.dwFileVersionMS) << 32) | d.dwFileVersionLS;
    if (srcVersion > dstVersion) return {CompareVerdict::Copy, 0};
    if (srcVersion == dstVersion) {
        run.copyLog.Write(L"\t\t****Files have same version, do not copy.\n");
        return {CompareVerdict::Done, 0};
    }
    run.copyLog.Write(L"\t\tDst is more up to date than src.\n");
    return {CompareVerdict::Done, kVifSrcOld | kVifMismatch};
}
