// Stands in for the web browser in the test prefix: appends the address it was asked to open
// to urls.txt beside itself, one line per call.

#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    std::string address = commandLine ? commandLine : "";
    if (address.size() >= 2 && address.front() == '"' && address.back() == '"') {
        address.erase(address.size() - 1);
        address.erase(0, 1);
    }
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string log(path);
    log = log.substr(0, log.find_last_of('\\')) + "\\urls.txt";
    if (FILE* file = std::fopen(log.c_str(), "a")) {
        std::fprintf(file, "%s\n", address.c_str());
        std::fclose(file);
    }
    return 0;
}
