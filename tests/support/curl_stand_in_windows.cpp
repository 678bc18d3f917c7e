// curl.exe for the tests under Wine, which has none: hands its input, arguments, output and
// exit code to the system's curl through files in the folder TURNAJ_CURL_FILES names, since
// Wine starts a Linux program but gives back no handle to wait for.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    const std::string folder = std::getenv("TURNAJ_CURL_FILES") ? std::getenv("TURNAJ_CURL_FILES") : "/tmp";
    std::string windowsFolder = "Z:" + folder;
    std::replace(windowsFolder.begin(), windowsFolder.end(), '/', '\\');
    std::ofstream(windowsFolder + "\\input", std::ios::binary) << std::cin.rdbuf();
    DeleteFileA((windowsFolder + "\\status").c_str());
    // Arguments without quotes of their own (what stranky gives) go in single quotes.
    std::string script = "curl";
    for (int i = 1; i < argc; ++i) script += std::string(" '") + argv[i] + "'";
    script += " <'" + folder + "/input' >'" + folder + "/output'; echo $? >'" + folder + "/status.part'; mv '" +
              folder + "/status.part' '" + folder + "/status'";
    std::string line = "sh -c \"" + script + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    CreateProcessA("Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    for (int waited = 0; waited < 600000; waited += 50) {
        std::ifstream status(windowsFolder + "\\status");
        int code = 0;
        if (status >> code) {
            std::cout << std::ifstream(windowsFolder + "\\output", std::ios::binary).rdbuf() << std::flush;
            return code;
        }
        Sleep(50);
    }
    return 28;
}
