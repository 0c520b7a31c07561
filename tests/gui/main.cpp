// The end-to-end driver: takes the path of Tarnwick.exe as its first argument.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "tarnwick_process.h"

// With --personal-folder it prints what the shell gives a new process as its Documents folder.
int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--personal-folder") {
        wchar_t path[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path);
        std::fputs(tarnwick::testing::Utf8(path).c_str(), stdout);
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarnwick_gui_tests PATH-OF-Tarnwick.exe\n");
        return 2;
    }
    tarnwick::testing::SetTarnwickPath(argv[1]);
    return RUN_ALL_TESTS();
}
