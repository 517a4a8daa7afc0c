// The language library: found only in the given folder, loaded as data, freed.
#include "app/LanguageLibrary.h"
#include "framework/Strings.h"
#include "resources/resource.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(LanguageLibraryTest, LoadsResNNFromTheFolderAsDataOnly)
{
    EXPECT_EQ(LanguageLibrary::FileName(9), L"res_09.dll");
    EXPECT_EQ(LanguageLibrary::FileName(204), L"res_204.dll");

    TempDir dir;
    LanguageLibrary library;
    EXPECT_FALSE(library.Load(dir.Path() + L"\\", 9));
    EXPECT_EQ(library.Module(), nullptr);

    // Any image with the program's resources stands in for a translation here.
    wchar_t self[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    ASSERT_TRUE(::CopyFileW(self, (dir / L"res_12.dll").c_str(), FALSE));
    ASSERT_TRUE(library.Load(dir.Path() + L"\\", 12));
    EXPECT_EQ(fw::LoadStr(library.Module(), IDS_NOTHING_SELECTED), fw::LoadStr(nullptr, IDS_NOTHING_SELECTED));
    // Loaded as data, not as a program module: it cannot be found as a loaded library.
    EXPECT_EQ(::GetModuleHandleW((dir / L"res_12.dll").c_str()), nullptr);

    library.Free();
    EXPECT_EQ(library.Module(), nullptr);
    EXPECT_TRUE(::DeleteFileW((dir / L"res_12.dll").c_str()));  // nothing holds it any more
}

}  // namespace
