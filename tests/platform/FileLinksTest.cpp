// A file the run writes is never written through a link planted at its name:
// the file it leads to stays as it was, and the caller learns which kind it is.
#include "platform/FileLinks.h"
#include "platform/PathUtil.h"
#include "support/TempDir.h"
#include "support/Win32Support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr DWORD kAppend = FILE_APPEND_DATA;
constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE;

bool Append(const fw::ScopedFile& file, const char* text)
{
    DWORD written = 0;
    return ::WriteFile(file.Get(), text, static_cast<DWORD>(std::strlen(text)), &written, nullptr) && written > 0;
}

TEST(FileLinks, PlainFilesAreOpenedAndMadeWhenMissing)
{
    TempDir dir;
    ASSERT_TRUE(WriteBytes(dir / L"update.log", "old\n"));
    for (const wchar_t* name : {L"update.log", L"UPDATE.LOG", L"new.log"}) {
        FileLink link = FileLink::Link;
        fw::ScopedFile file = OpenWithoutLink(dir / name, kAppend, kShare, true, link);
        ASSERT_TRUE(file.Valid()) << name;
        EXPECT_EQ(link, FileLink::None) << name;
        EXPECT_TRUE(Append(file, "line\n"));
    }
    EXPECT_EQ(ReadBytes(dir / L"update.log"), "old\nline\nline\n");
    EXPECT_EQ(ReadBytes(dir / L"new.log"), "line\n");

    FileLink link = FileLink::Link;
    EXPECT_FALSE(OpenWithoutLink(dir / L"missing.log", kAppend, kShare, false, link).Valid());
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(link, FileLink::None);
    EXPECT_FALSE(PathExists(dir / L"missing.log"));
}

TEST(FileLinks, LinksAndSecondNamesAreLeftUnwritten)
{
    TempDir dir;
    ASSERT_TRUE(MakeDirs(dir / L"data"));
    ASSERT_TRUE(MakeDirs(dir / L"elsewhere"));
    ASSERT_TRUE(WriteBytes(dir / L"elsewhere\\victim.ini", "victim\n"));
    ASSERT_TRUE(::CreateHardLinkW((dir / L"data\\update.log").c_str(), (dir / L"elsewhere\\victim.ini").c_str(),
                                  nullptr));
    ASSERT_TRUE(MakeFileSymlink(dir / L"data", L".UNINST.INF", L"../elsewhere/victim.ini"));
    // A link to a file of the same name in another folder.
    ASSERT_TRUE(WriteBytes(dir / L"elsewhere\\_uninst.inf", "victim\n"));
    ASSERT_TRUE(MakeFileSymlink(dir / L"data", L"_uninst.inf", L"../elsewhere/_uninst.inf"));
    // A link whose file is gone: its create would make the file it points at.
    ASSERT_TRUE(WriteBytes(dir / L"elsewhere\\gone.log", ""));
    ASSERT_TRUE(MakeFileSymlink(dir / L"data", L"dangling.log", L"../elsewhere/gone.log"));
    ASSERT_TRUE(::DeleteFileW((dir / L"elsewhere\\gone.log").c_str()));

    const struct {
        const wchar_t* name;
        FileLink link;
        DWORD error;
    } cases[] = {
        {L"update.log", FileLink::ManyNames, kErrorFileHasNames},
        {L".UNINST.INF", FileLink::Link, kErrorFileIsLink},
        {L"_uninst.inf", FileLink::Link, kErrorFileIsLink},
        {L"dangling.log", FileLink::Link, kErrorFileIsLink},
    };
    for (const auto& c : cases) {
        const std::wstring path = dir / (std::wstring(L"data\\") + c.name);
        FileLink link = FileLink::None;
        fw::ScopedFile file = OpenWithoutLink(path, kAppend, kShare, true, link);
        EXPECT_FALSE(file.Valid()) << c.name;
        EXPECT_EQ(::GetLastError(), c.error) << c.name;
        EXPECT_EQ(link, c.link) << c.name;
        // Looked at without opening for writing, the same (a link to nothing shows nothing).
        EXPECT_EQ(FileLinkAt(path), std::wstring(c.name) == L"dangling.log" ? FileLink::None : c.link) << c.name;
        EXPECT_FALSE(FileLinkText(link).empty());
    }
    EXPECT_EQ(ReadBytes(dir / L"elsewhere\\victim.ini"), "victim\n");
    EXPECT_EQ(ReadBytes(dir / L"elsewhere\\_uninst.inf"), "victim\n");
    EXPECT_FALSE(PathExists(dir / L"elsewhere\\gone.log"));
    EXPECT_EQ(FileLinkAt(dir / L"elsewhere\\_uninst.inf"), FileLink::None);
}

TEST(FileLinks, IdentityIsTheSameForEveryNameOfAFile)
{
    TempDir dir;
    ASSERT_TRUE(WriteBytes(dir / L"one.log", "1"));
    ASSERT_TRUE(WriteBytes(dir / L"two.log", "2"));
    ASSERT_TRUE(::CreateHardLinkW((dir / L"second name.log").c_str(), (dir / L"one.log").c_str(), nullptr));
    FileIdentity one;
    FileIdentity second;
    FileIdentity two;
    ASSERT_TRUE(FileIdentityOf(dir / L"one.log", one));
    ASSERT_TRUE(FileIdentityOf(dir / L"second name.log", second));
    ASSERT_TRUE(FileIdentityOf(dir / L"two.log", two));
    EXPECT_TRUE(one == second);
    EXPECT_FALSE(one == two);
    EXPECT_FALSE(FileIdentityOf(dir / L"missing.log", two));
}

}  // namespace
