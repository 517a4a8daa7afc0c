// What a run remembers of folders: found by any spelling of the same path,
// never by a neighbour's, and gone with the folder above it.
#include "platform/FolderCache.h"

#include <gtest/gtest.h>

namespace {

TEST(FolderCacheTest, AFolderIsKnownByItsPathInAnyCaseOnly)
{
    FolderCache known;
    known.RememberPlain(L"C:\\Data\\local\\Lumo\\cad");
    known.At(L"C:\\Data\\local\\Büro").listed = true;

    struct Case {
        const wchar_t* folder;
        bool plain;
    } cases[] = {
        {L"C:\\Data\\local\\Lumo\\cad", true},
        {L"c:\\DATA\\Local\\LUMO\\CAD", true},
        {L"C:\\Data\\local\\Lumo", false},       // only on the way
        {L"C:\\Data\\local\\Lumo\\cad\\x", false},
        {L"C:\\Data\\local\\Lumo\\ca", false},   // a prefix of the name
        {L"C:\\Data\\local\\Lumo\\cadx", false},
        {L"D:\\Data\\local\\Lumo\\cad", false},
        {L"C:\\Data\\local\\Lumo\\\\cad", false},  // an empty part is a name of its own
    };
    for (const Case& c : cases) EXPECT_EQ(known.IsPlain(c.folder), c.plain) << c.folder;

    const FolderCache::Facts* facts = known.Find(L"C:\\DATA\\LOCAL\\BÜRO");
    ASSERT_NE(facts, nullptr);
    EXPECT_TRUE(facts->listed);
    EXPECT_FALSE(facts->plain);
    EXPECT_EQ(known.Find(L"C:\\Data\\local\\Buro"), nullptr);
}

TEST(FolderCacheTest, ForgettingBelowAFolderForgetsWhatItHoldsAndNothingElse)
{
    FolderCache known;
    for (const wchar_t* folder : {L"C:\\Data\\local", L"C:\\Data\\local\\Lumo", L"C:\\Data\\local\\Lumo\\cad",
                                  L"C:\\Data\\local\\Lumos", L"C:\\Data\\local\\Helios\\cad"})
        known.RememberPlain(folder);
    FolderCache::Facts& kept = known.At(L"C:\\Data\\local\\Helios\\cad");
    known.At(L"C:\\Data\\local\\Lumo").listed = true;

    known.ForgetBelow(L"c:\\data\\LOCAL\\lumo");
    EXPECT_TRUE(known.IsPlain(L"C:\\Data\\local\\Lumo"));
    EXPECT_FALSE(known.Find(L"C:\\Data\\local\\Lumo")->listed);  // listed afresh when asked
    EXPECT_FALSE(known.IsPlain(L"C:\\Data\\local\\Lumo\\cad"));
    EXPECT_TRUE(known.IsPlain(L"C:\\Data\\local"));
    EXPECT_TRUE(known.IsPlain(L"C:\\Data\\local\\Lumos"));
    EXPECT_TRUE(known.IsPlain(L"C:\\Data\\local\\Helios\\cad"));
    EXPECT_EQ(&kept, &known.At(L"C:\\Data\\local\\Helios\\cad"));  // a sibling's going moved nothing

    known.ForgetBelow(L"C:\\Data\\local\\Nowhere\\cad");  // never known: nothing happens
    EXPECT_TRUE(known.IsPlain(L"C:\\Data\\local\\Helios\\cad"));
    known.Clear();
    EXPECT_FALSE(known.IsPlain(L"C:\\Data\\local"));
}

}  // namespace
