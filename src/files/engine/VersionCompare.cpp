#include "files/engine/VersionCompare.h"

#include "files/run/InstallRun.h"
#include "files/engine/VifFlags.h"
#include "files/source/SourceFile.h"
#include "platform/FileView.h"
#include "platform/SystemLibrary.h"
#include "platform/VersionResource.h"

#include <cstdint>
#include <cstring>
#include <optional>
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

// The file's size for the cap of the library's buffer: from the open file, or
// from its directory entry when this open cannot read it (the library may).
uint64_t FileSizeOf(SourceFile& file)
{
    LARGE_INTEGER size{};
    const HANDLE handle = file.FromStart();
    if (handle != INVALID_HANDLE_VALUE && ::GetFileSizeEx(handle, &size)) return static_cast<uint64_t>(size.QuadPart);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(file.Path().c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// headCheck: the first bytes decide on the NT family only, where the library's
// answer for a file without a version header is known (the 95 family answers
// otherwise). An image is believed only when its version resources lie inside
// it: the library copies what the resource claims, and faults on a claim that
// runs past the end of the file; anything else about it counts as version
// information that cannot be read.
VersionRead ReadFixedVersion(SourceFile& file, bool headCheck)
{
    VersionRead read;
    char head[4] = {};
    const int got = file.ReadStart(head, sizeof head);
    if (headCheck && HeadOf(head, got) == Head::NoVersion) {
        read.error = ERROR_RESOURCE_DATA_NOT_FOUND;
        return read;
    }
    if (got >= 2 && head[0] == 'M' && head[1] == 'Z') {
        const FileView view(file.FromStart());
        if (!view.Data()) {
            read.error = view.Error();
            return read;
        }
        if (CheckImageVersion(view.Data(), view.Size()) == ImageVersion::Malformed) {
            read.step = ReadStep::InfoFailed;
            return read;
        }
    }
    DWORD ignored = 0;
    const DWORD size = VersionInfoSize(file.Path().c_str(), &ignored);
    if (size == 0) {
        read.error = ::GetLastError();
        return read;
    }
    // A 16-bit or compressed file is read by the library alone: its answer is
    // held to what the file can hold before anything is allocated by it.
    if (size > VersionInfoSizeCap(FileSizeOf(file))) {
        read.step = ReadStep::InfoFailed;
        return read;
    }
    std::vector<BYTE> block(size);
    if (!VersionInfo(file.Path().c_str(), 0, size, block.data())) {
        read.step = ReadStep::InfoFailed;
        return read;
    }
    read.step = ReadStep::QueryFailed;
    if (!VersionBlockSound(block.data(), block.size())) return read;
    void* value = nullptr;
    UINT length = 0;
    if (!VersionQuery(block.data(), L"\\", &value, &length) || !value || length < sizeof(VS_FIXEDFILEINFO)) return read;
    const auto* fixed = static_cast<const BYTE*>(value);
    if (fixed < block.data() || fixed + sizeof(VS_FIXEDFILEINFO) > block.data() + block.size()) return read;
    std::memcpy(&read.fixed, fixed, sizeof read.fixed);
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

// One ladder for a version that cannot be read, on either side; the sides
// differ only in these, which the copy log's readers know as they stand.
struct Side {
    const wchar_t* name;     // in the copy log
    unsigned cannotRead;     // returned when the file itself cannot be read
    bool infoFailureLogged;  // the destination's unreadable block has never been logged
    bool noVersionCopies;    // a destination without version resource is replaced, no date compared
};

constexpr Side kSource{L"src", kVifCannotReadSrc, true, false};
constexpr Side kDestination{L"dst", kVifCannotReadDst, false, true};

// The decision when a side's version could not be read; none when it was.
std::optional<CompareOutcome> UnreadVersion(InstallRun& run, const VersionRead& read, const Side& side,
                                            const FILETIME& sourceTime, const FILETIME& destTime)
{
    const std::wstring name = side.name;
    switch (read.step) {
    case ReadStep::SizeFailed:
        run.copyLog.Write(L"\t\tFailed to get version info size on " + name + L". Error " +
                          std::to_wstring(static_cast<int>(read.error)) + L"\n");
        if (IsReadError(read.error)) return CompareOutcome{CompareVerdict::Done, side.cannotRead};
        if (side.noVersionCopies) return CompareOutcome{CompareVerdict::Copy, 0};
        return CompareByDate(run, sourceTime, destTime);
    case ReadStep::InfoFailed:
        if (side.infoFailureLogged) run.copyLog.Write(L"\t\tFailed to get version information on " + name + L".\n");
        return CompareByDate(run, sourceTime, destTime);
    case ReadStep::QueryFailed:
        run.copyLog.Write(L"\t\t" + name + L": VerQueryValue() failed.\n");
        return CompareByDate(run, sourceTime, destTime);
    case ReadStep::Read:
        break;
    }
    return std::nullopt;
}

}  // namespace

std::wstring UnreadableVersionText(const std::wstring& source, bool headCheck)
{
    SourceFile file(source);
    switch (ReadFixedVersion(file, headCheck).step) {
    case ReadStep::InfoFailed: return L"Failed to get version information on src.";
    case ReadStep::QueryFailed: return L"src: VerQueryValue() failed.";
    default: return std::wstring();
    }
}

CompareOutcome CompareForInstall(InstallRun& run, SourceFile& source, const std::wstring& dest, const FILETIME& sourceTime,
                                 const FILETIME& destTime)
{
    const bool headCheck = run.systemKind == SystemKind::NtFamily;
    const VersionRead src = ReadFixedVersion(source, headCheck);
    if (const auto decided = UnreadVersion(run, src, kSource, sourceTime, destTime)) return *decided;
    SourceFile destFile(dest);  // closed before the copy, which may move it aside
    const VersionRead dst = ReadFixedVersion(destFile, headCheck);
    if (const auto decided = UnreadVersion(run, dst, kDestination, sourceTime, destTime)) return *decided;

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
