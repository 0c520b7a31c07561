// The end-to-end driver: takes the path of Tarnwick.exe as its first argument.
#include <gtest/gtest.h>

#include <cstdio>

#include "tarnwick_process.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarnwick_gui_tests PATH-OF-Tarnwick.exe\n");
        return 2;
    }
    tarnwick::testing::SetTarnwickPath(argv[1]);
    return RUN_ALL_TESTS();
}
