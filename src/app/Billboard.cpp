#include "app/Billboard.h"

#include "app/BillboardPicture.h"
#include "platform/Profile.h"
#include "platform/ReadableFile.h"

std::vector<std::pair<std::wstring, PictureCheck>> Billboard::Entries(const std::wstring& pictureFolder,
                                                                      const std::wstring& scriptPath)
{
    std::vector<std::pair<std::wstring, PictureCheck>> entries;
    // The run ends on a script it cannot read; the backdrop shows no slideshow.
    if (ReadableFile(scriptPath).found != FileFound::Readable) return entries;
    for (const std::wstring& name : ReadProfileKeys(scriptPath, L"Billboard")) {
        const std::wstring path = pictureFolder + name;
        entries.emplace_back(path, CheckPictureFile(path));
    }
    return entries;
}

void Billboard::Load(const std::wstring& pictureFolder, const std::wstring& scriptPath, SIZE drawn)
{
    drawn_ = drawn;
    for (const auto& [path, check] : Entries(pictureFolder, scriptPath)) {
        if (check == PictureCheck::NotOpened) continue;
        const std::wstring name = path.substr(pictureFolder.size());
        const int duration =
            static_cast<int>(::GetPrivateProfileIntW(L"Billboard", name.c_str(), kDefaultDuration, scriptPath.c_str()));
        entries_.push_back({path, duration, check == PictureCheck::Usable});
    }
    if (!entries_.empty()) Show(0);
}

void Billboard::Show(int index)
{
    elapsed_ = 0;
    if (index == current_ && shown_) return;  // a slideshow of one picture
    current_ = index;
    // The file is read again: a picture is held only while it is on show.
    shown_.Reset();
    const Entry& entry = entries_[static_cast<size_t>(index)];
    if (entry.usable) shown_ = ReadPictureAt(entry.path, drawn_);
}

bool Billboard::Tick()
{
    if (current_ < 0) return false;
    elapsed_ += kTickMs;
    if (elapsed_ < entries_[static_cast<size_t>(current_)].duration) return false;
    Show((current_ + 1) % static_cast<int>(entries_.size()));
    return true;
}
