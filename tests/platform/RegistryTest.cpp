// Registry reads against real keys of the Wine prefix.
#include "platform/Registry.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t kSuiteKey[] = L"SOFTWARE\\Orvekhaus\\OrvekSuite";
// Stands in for the system's CurrentVersion key, which the tests leave alone.
constexpr wchar_t kVersionKey[] = L"SOFTWARE\\Orvekhaus\\OrvekSuite\\CurrentVersion";
const std::string kNumberAA("\x41\0\x41\0", 4);  // "AA" if taken for text

class RegistryValues : public ::testing::Test {
protected:
    void SetUp() override
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSuiteKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        Set(key, L"InstallDir", L"C:\\Program Files\\Orvek Suite");
        Set(key, L"Long", longValue);
        Set(key, L"Empty", L"");
        // Stored without its terminator.
        const std::wstring raw = L"abc";
        ::RegSetValueExW(key, L"Unterminated", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw.data()),
                         static_cast<DWORD>(raw.size() * sizeof(wchar_t)));
        SetRaw(key, L"Number", REG_DWORD, kNumberAA);
        SetRaw(key, L"List", REG_MULTI_SZ, std::string("a\0\0\0b\0\0\0\0\0", 10));
        ::RegCloseKey(key);
    }
    void TearDown() override
    {
        ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kVersionKey);
        ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kSuiteKey);
        ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Orvekhaus");
    }
    static void Set(HKEY key, const wchar_t* name, const std::wstring& value)
    {
        ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }

    static void SetRaw(HKEY key, const wchar_t* name, DWORD type, const std::string& bytes)
    {
        ::RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), DWORD(bytes.size()));
    }

    const std::wstring longValue = std::wstring(300, L'x') + L"END";
};

TEST_F(RegistryValues, ProductValueIsReadWhole)
{
    std::wstring text;
    EXPECT_TRUE(RegistryValue(L"OrvekSuite", L"InstallDir", text));
    EXPECT_EQ(text, L"C:\\Program Files\\Orvek Suite");
    // Longer than 127 characters: the second read with the reported size.
    EXPECT_TRUE(RegistryValue(L"OrvekSuite", L"Long", text));
    EXPECT_EQ(text, longValue);
    EXPECT_TRUE(RegistryValue(L"OrvekSuite", L"Unterminated", text));
    EXPECT_EQ(text, L"abc");
}

TEST_F(RegistryValues, ProductJoinsWithExactlyOneBackslash)
{
    std::wstring text;
    EXPECT_TRUE(RegistryValue(L"\\OrvekSuite", L"InstallDir", text));
    EXPECT_EQ(text, L"C:\\Program Files\\Orvek Suite");
}

TEST_F(RegistryValues, MissingOrEmptyReadsAsNotFound)
{
    std::wstring text = L"old";
    EXPECT_FALSE(RegistryValue(L"OrvekDesktopNone", L"InstallDir", text));
    EXPECT_EQ(text, L"");
    text = L"old";
    EXPECT_FALSE(RegistryValue(L"OrvekSuite", L"Empty", text));
    EXPECT_EQ(text, L"");
    EXPECT_FALSE(RegistryValue(L"OrvekSuite", L"NoSuchValue", text));
    EXPECT_EQ(text, L"");
}

TEST_F(RegistryValues, NumbersAndListsAreNoText)
{
    std::wstring text = L"old";
    EXPECT_FALSE(RegistryValue(L"OrvekSuite", L"Number", text));
    EXPECT_FALSE(RegistryValue(L"OrvekSuite", L"List", text));
    EXPECT_EQ(text, L"");
}

TEST_F(RegistryValues, ProgramFilesIsTheDriveRootWithoutATextValue)
{
    HKEY version = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kVersionKey, 0, nullptr, 0, KEY_WRITE, nullptr, &version, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(ProgramFilesDir(kVersionKey), L"c:\\");  // the key opens, the value is missing
    SetRaw(version, L"ProgramFilesDir", REG_DWORD, kNumberAA);
    EXPECT_EQ(ProgramFilesDir(kVersionKey), L"c:\\");
    Set(version, L"ProgramFilesDir", L"D:\\Programme");
    EXPECT_EQ(ProgramFilesDir(kVersionKey), L"D:\\Programme");
    ::RegCloseKey(version);
}

TEST_F(RegistryValues, ReadStringValueGivesTheDefaultOnFailure)
{
    RegistryKey key;
    EXPECT_EQ(ReadStringValue(key, L"InstallDir", L"dflt"), L"dflt");  // holds nothing
    ASSERT_EQ(key.Open(HKEY_LOCAL_MACHINE, kSuiteKey), ERROR_SUCCESS);
    EXPECT_EQ(ReadStringValue(key, L"NoSuchValue", L"dflt"), L"dflt");
    EXPECT_EQ(ReadStringValue(key, L"NoSuchValue"), L"");
}

TEST_F(RegistryValues, HolderKeepsItsKeyWhenAnOpenFails)
{
    RegistryKey key;
    key.Close();  // nothing held: nothing happens
    ASSERT_EQ(key.Open(HKEY_LOCAL_MACHINE, kSuiteKey), ERROR_SUCCESS);
    HKEY held = key.Get();
    EXPECT_NE(key.Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Orvekhaus\\NoSuchProduct"), ERROR_SUCCESS);
    EXPECT_EQ(key.Get(), held);
    EXPECT_EQ(ReadStringValue(key, L"InstallDir"), L"C:\\Program Files\\Orvek Suite");
    key.Close();
    EXPECT_FALSE(key.IsOpen());
}

TEST(ProgramFiles, FolderComesFromTheSystemKey)
{
    std::wstring folder = ProgramFilesDir();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.substr(1, 2), L":\\");
    EXPECT_NE(folder.find(L"Program Files"), std::wstring::npos);
}

}  // namespace
