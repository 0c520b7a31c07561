// Start-up figures of a Windows program: the time from CreateProcess to its first visible
// top-level window, and the size of its file. (Wine reports no private memory of another
// process; bench/run reads that from Linux.)
// Usage: startup_bench PROGRAM [RUNS]   (prints one line of figures per program)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    bool found = false;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
        search.found = true;
    }
    return TRUE;
}

double SecondsToWindow(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start the program: error %lu\n", GetLastError());
        return -1;
    }
    double seconds = -1;
    for (int polls = 0; polls < 6000; ++polls) {  // 60 s at most
        Search search{process.dwProcessId};
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            QueryPerformanceCounter(&now);
            seconds = static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0) {
            break;
        }
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return seconds;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench PROGRAM [RUNS]\n");
        return 2;
    }
    std::wstring program = argv[1];
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double seconds = SecondsToWindow(program);
        if (seconds < 0) {
            std::fprintf(stderr, "run %d: no window\n", i + 1);
            return 1;
        }
        times.push_back(seconds);
    }
    std::sort(times.begin(), times.end());
    WIN32_FILE_ATTRIBUTE_DATA file{};
    GetFileAttributesExW(program.c_str(), GetFileExInfoStandard, &file);
    std::printf("window_s_median=%.3f window_s_min=%.3f file_kib=%.0f runs=%d\n",
                times[times.size() / 2], times.front(), file.nFileSizeLow / 1024.0, runs);
    return 0;
}
