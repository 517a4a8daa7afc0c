// GoogleTest entry for the Unicode programs.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv)
{
    // Plain line ends: CTest reads the test list from this output (--gtest_list_tests).
    _setmode(_fileno(stdout), _O_BINARY);
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
