// A file the run writes is never written through a link planted at its name:
// the file it leads to stays as it was, and the caller learns which kind it is.
// Under Wine a Linux symbolic link to a file shows as the file itself; hard
// links show their count.
#include "platform/FileLinks.h"
#include "platform/PathUtil.h"
#include "support/TempDir.h"
#include "support/Win32Support.h"

#include <gtest/gtest.h>

namespace {

TEST(FileLinks, OnlyPlainFilesAreWrittenAndLinksAreLeftAsTheyAre)
{
    TempDir dir;
    ASSERT_TRUE(MakeDirs(dir / L"data") && MakeDirs(dir / L"elsewhere"));
    ASSERT_TRUE(WriteBytes(dir / L"data\\plain.log", "old\n"));
    for (const wchar_t* name : {L"victim.ini", L"_uninst.inf", L"gone.log"})
        ASSERT_TRUE(WriteBytes(dir / (std::wstring(L"elsewhere\\") + name), "victim\n"));
    ASSERT_TRUE(::CreateHardLinkW((dir / L"data\\update.log").c_str(), (dir / L"elsewhere\\victim.ini").c_str(),
                                  nullptr));
    ASSERT_TRUE(MakeFileSymlink(dir / L"data", L".UNINST.INF", L"../elsewhere/victim.ini"));
    ASSERT_TRUE(MakeFileSymlink(dir / L"data", L"_uninst.inf", L"../elsewhere/_uninst.inf"));  // the same name
    // A link whose file is gone: a plain create would make the file it points at.
    ASSERT_TRUE(MakeFileSymlink(dir / L"data", L"dangling.log", L"../elsewhere/gone.log"));
    ASSERT_TRUE(::DeleteFileW((dir / L"elsewhere\\gone.log").c_str()));

    const struct {
        const wchar_t* name;
        FileLink link;
        DWORD error;  // when refused
    } cases[] = {
        {L"plain.log", FileLink::None, 0},       {L"PLAIN.LOG", FileLink::None, 0},
        {L"new.log", FileLink::None, 0},         {L"update.log", FileLink::ManyNames, kErrorFileHasNames},
        {L".UNINST.INF", FileLink::Link, kErrorFileIsLink}, {L"_uninst.inf", FileLink::Link, kErrorFileIsLink},
        {L"dangling.log", FileLink::Link, kErrorFileIsLink},
    };
    for (const auto& c : cases) {
        const std::wstring path = dir / (std::wstring(L"data\\") + c.name);
        FileLink link = FileLink::Link;
        fw::ScopedFile file = OpenWithoutLink(path, FILE_APPEND_DATA, FILE_SHARE_READ, true, link);
        EXPECT_EQ(link, c.link) << c.name;
        EXPECT_EQ(file.Valid(), c.link == FileLink::None) << c.name;
        DWORD written = 0;
        if (file.Valid()) {
            EXPECT_TRUE(::WriteFile(file.Get(), "line\n", 5, &written, nullptr)) << c.name;
        } else {
            EXPECT_EQ(::GetLastError(), c.error) << c.name;
        }
        // Looked at without opening for writing, the same (a link to nothing shows nothing).
        EXPECT_EQ(FileLinkAt(path), c.name == std::wstring(L"dangling.log") ? FileLink::None : c.link) << c.name;
    }
    EXPECT_EQ(ReadBytes(dir / L"data\\plain.log"), "old\nline\nline\n");
    EXPECT_EQ(ReadBytes(dir / L"data\\new.log"), "line\n");
    EXPECT_EQ(ReadBytes(dir / L"elsewhere\\victim.ini"), "victim\n");
    EXPECT_EQ(ReadBytes(dir / L"elsewhere\\_uninst.inf"), "victim\n");
    EXPECT_FALSE(PathExists(dir / L"elsewhere\\gone.log"));

    // Without create a missing file stays missing.
    FileLink link = FileLink::Link;
    EXPECT_FALSE(OpenWithoutLink(dir / L"data\\missing.log", FILE_APPEND_DATA, 0, false, link).Valid());
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(PathExists(dir / L"data\\missing.log"));
}

}  // namespace
