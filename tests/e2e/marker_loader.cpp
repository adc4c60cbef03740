// The control of the planted-DLL test: a program that declares no safe DLL search and loads the
// named DLLs by bare name, as system components do. Where it runs a planted DLL, the loader
// imitates Windows' search order, and the test of the real programs means something.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) LoadLibraryW(argv[i]);
    return 0;
}
