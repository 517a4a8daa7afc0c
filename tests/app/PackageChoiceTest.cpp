// The packages of /M as the command line gives them, matched against a medium.
#include "app/PackageChoice.h"
#include "app/SetupApp.h"
#include "app/SetupState.h"

#include <gtest/gtest.h>

namespace {

TEST(PackageChoice, NamesMatchByIdFolderOrNameInAnyCase)
{
    const std::vector<PackageNames> medium = {
        {L"LUM", L"Lumina", L"Lumina Leuchten"}, {L"HEL", L"Helios", L"Helios Licht"}, {L"NOR", L"Nordlicht", L"Nord"}};
    const struct { const wchar_t* arguments; bool every; std::vector<bool> chosen; std::vector<std::wstring> unknown; }
        cases[] = {
            {L"", true, {false, false, false}, {}},
            {L"/M none", false, {false, false, false}, {}},
            {L"/M \"helios licht;NORDLICHT\"", false, {false, true, true}, {}},
            {L"/M \"lum hel\"", false, {true, true, false}, {}},  // a list with blanks
            {L"/M \"Lumina Leuchten, Lumen\"", false, {true, false, false}, {L"Lumen"}},
            {L"/M \"Helios Lampen\"", false, {false, true, false}, {L"Lampen"}},  // the words, each
            {L"/M \"LUM;XYZ\" /M none", false, {false, false, false}, {}},     // none drops what came before
            {L"/M complete /M xyz", true, {false, false, false}, {L"xyz"}},
        };
    for (const auto& c : cases) {
        SetupState state;
        ApplyCommandLine(state, (std::wstring(L"setup.exe ") + c.arguments).c_str());
        const PackageChoice choice = ChoosePackages(state.manufacturerSelection, state.manufacturerRequests, medium);
        EXPECT_EQ(choice.every, c.every) << c.arguments;
        EXPECT_EQ(choice.chosen, c.chosen) << c.arguments;
        EXPECT_EQ(choice.unknown, c.unknown) << c.arguments;
    }
}

}  // namespace
