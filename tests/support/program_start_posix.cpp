// Starting a program on Linux and other POSIX systems: fork, the standard streams redirected
// to the files, exec, waitpid. No hold keeps a reader out here (and root reads every file).
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "program_start.hpp"

int startAndWait(const std::string& program, const std::filesystem::path& folder,
                 const std::vector<std::string>& arguments, const StandardFiles& files) {
    pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(127);
        int in = open(files.in.c_str(), O_RDONLY);
        int out = open(files.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(files.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::shared_ptr<void> holdAgainstReaders(const std::filesystem::path&) { return nullptr; }
