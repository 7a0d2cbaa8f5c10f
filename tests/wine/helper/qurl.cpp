// Test helper: the handler of a web address's scheme. Writes the command line it was given to
// "qurl.txt" beside itself, so a test sees which address the shell passed on.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file = path;
    file = file.substr(0, file.find_last_of('\\') + 1) + "qurl.txt";
    const HANDLE out = ::CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    ::WriteFile(out, commandLine, static_cast<DWORD>(std::string(commandLine).size()), &written, nullptr);
    ::CloseHandle(out);
    return 0;
}
