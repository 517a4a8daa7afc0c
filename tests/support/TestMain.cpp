// GoogleTest entry for the Unicode programs.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> storage;
    for (int i = 0; i < argc; ++i) {
        int size = ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size > 0 ? size - 1 : 0, '\0');
        if (size > 1) ::WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, arg.data(), size, nullptr, nullptr);
        storage.push_back(arg);
    }
    std::vector<char*> args;
    for (auto& s : storage) args.push_back(s.data());
    args.push_back(nullptr);
    int count = argc;
    ::testing::InitGoogleTest(&count, args.data());
    return RUN_ALL_TESTS();
}
