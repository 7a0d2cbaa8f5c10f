// Test helper: a second process that maps the library and calls one export.
//   qlib get NAME          exit code = the int getter's result
//   qlib set NAME VALUE    calls the int setter
//   qlib cmd INDEX         prints GetMouseCutCmd(INDEX) as hex bytes
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hooklib/quordll.h"

int main(int argc, char** argv) {
    if (argc < 3) return 200;
    HMODULE library = ::GetModuleHandleA("Quordll.dll");
    if (std::strcmp(argv[1], "get") == 0) {
        auto getter = reinterpret_cast<int (*)()>(::GetProcAddress(library, argv[2]));
        return getter ? getter() : 201;
    }
    if (std::strcmp(argv[1], "set") == 0 && argc >= 4) {
        auto setter = reinterpret_cast<void (*)(int)>(::GetProcAddress(library, argv[2]));
        if (!setter) return 201;
        setter(std::atoi(argv[3]));
        return 0;
    }
    if (std::strcmp(argv[1], "stat") == 0) return static_cast<int>(GetStatMouse(std::atoi(argv[2])));
    if (std::strcmp(argv[1], "cmd") == 0) {
        for (const char* p = GetMouseCutCmd(std::atoi(argv[2])); *p; ++p)
            std::printf("%02x", static_cast<unsigned char>(*p));
        std::printf("\n");
        return 0;
    }
    return 202;
}
