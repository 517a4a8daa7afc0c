#include "catalogue/AdminDocument.h"

#include "platform/PathUtil.h"

ProfileDocument& AdminDocument::For(const std::wstring& path)
{
    if (loaded_ && path == path_ && (document_.Dirty() || Same(StampOf(path_), stamp_))) return document_;
    path_ = path;
    loaded_ = true;
    if (path_.empty()) {
        // No file: nothing to read, and nothing may go to the Windows profile.
        document_.Parse(nullptr, 0);
        readable_ = false;
        stamp_ = Stamp();
        return document_;
    }
    // The stamp before the reading: a change in between is seen next time.
    stamp_ = StampOf(path_);
    readable_ = document_.Load(path_);
    return document_;
}

Win32Result AdminDocument::Commit()
{
    if (!loaded_ || !document_.Dirty()) return Win32Result::Done();
    // An unreadable file read as empty: writing that would lose all it holds.
    if (!readable_) {
        loaded_ = false;
        return Win32Result::Failed(ERROR_ACCESS_DENIED);
    }
    if (!document_.Save()) {
        const DWORD error = ::GetLastError();
        loaded_ = false;
        return Win32Result::Failed(error);
    }
    stamp_ = StampOf(path_);
    return Win32Result::Done();
}

bool AdminDocument::SamePath(const std::wstring& a, const std::wstring& b)
{
    if (a.empty() || b.empty()) return false;
    return a == b || ::lstrcmpiW(FullPathName(a).c_str(), FullPathName(b).c_str()) == 0;
}

AdminDocument::Stamp AdminDocument::StampOf(const std::wstring& path)
{
    Stamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return stamp;
    stamp.exists = true;
    stamp.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.written = data.ftLastWriteTime;
    return stamp;
}

bool AdminDocument::Same(const Stamp& a, const Stamp& b)
{
    return a.exists == b.exists && a.size == b.size && a.written.dwLowDateTime == b.written.dwLowDateTime &&
           a.written.dwHighDateTime == b.written.dwHighDateTime;
}
