// Stands in for a CMD.exe that someone placed beside a program: it deletes nothing and only
// leaves a mark that it ran.
#include <windows.h>

int main() {
    const HANDLE mark = CreateFileW(L"C:\\planted-cmd-ran", GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(mark);
    return 0;
}
