// The runner for end-to-end tests; input and output go through files so that a program that
// writes much and reads little never blocks. Starting the program is the system's part.
#include "program_run.hpp"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "program_start.hpp"

namespace {
std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
}  // namespace

// A Windows build names its programs los.exe and so on.
std::string programPath(const std::string& name) { return std::string(TURNAJ_BIN_DIR) + "/" + name + TURNAJ_PROGRAM_SUFFIX; }

bool programExists(const std::string& name) { return std::filesystem::exists(programPath(name)); }

ProgramRun runProgram(const std::string& program, const std::filesystem::path& folder,
                      const std::vector<std::string>& arguments, const std::string& input) {
    auto io = std::filesystem::temp_directory_path() / ("turnaj-io-" + std::to_string(getpid()));
    std::filesystem::create_directories(io);
    const StandardFiles files{io / "stdin", io / "stdout", io / "stderr"};
    std::ofstream(files.in, std::ios::binary) << input;
    ProgramRun run;
    run.exitCode = startAndWait(programPath(program), folder, arguments, files);
    run.out = slurp(files.out);
    run.err = slurp(files.err);
    std::filesystem::remove_all(io);
    return run;
}
