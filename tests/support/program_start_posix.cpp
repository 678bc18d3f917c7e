// fork/exec runner for end-to-end tests; input and output go through files so that a
// program that writes much and reads little never blocks.
#include "program_run.hpp"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace {
std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
}  // namespace

std::string programPath(const std::string& name) { return std::string(TURNAJ_BIN_DIR) + "/" + name; }

bool programExists(const std::string& name) { return std::filesystem::exists(programPath(name)); }

ProgramRun runProgram(const std::string& program, const std::filesystem::path& folder,
                      const std::vector<std::string>& arguments, const std::string& input) {
    auto io = std::filesystem::temp_directory_path() / ("turnaj-io-" + std::to_string(getpid()));
    std::filesystem::create_directories(io);
    std::ofstream(io / "stdin", std::ios::binary) << input;
    const std::string path = programPath(program);

    pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(127);
        int in = open((io / "stdin").c_str(), O_RDONLY);
        int out = open((io / "stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open((io / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(path.c_str()));
        for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ProgramRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = slurp(io / "stdout");
    run.err = slurp(io / "stderr");
    std::filesystem::remove_all(io);
    return run;
}
