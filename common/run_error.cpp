// Ending a program: the run-time error report, our own messages, orderly stops.
// Every path flushes the console first so that nothing written before is lost.
#include "run_error.hpp"

#include <iostream>
#include <vector>

#include "console.hpp"
#include "platform.hpp"
#include "text_writer.hpp"

namespace {
std::vector<std::string>& filesToErase() {
    static std::vector<std::string> files;
    return files;
}
}  // namespace

void eraseOnStop(const std::string& path) { filesToErase().push_back(path); }

[[noreturn]] void stopProgram(int code) {
    for (const auto& path : filesToErase()) platform::removeFile(path);
    // A replacement whose folder flush was put off is made durable now. One that fails still
    // leaves the files written: the organiser is told, and the run counts as it ended.
    for (const std::string& path : platform::flushOwedFolder()) warnNotDurable(processConsole(), path);
    waitBeforeWindowCloses();
    platform::restoreColours(std::cout);
    std::cout.flush();
    std::cerr.flush();
    endProcess(code);
}

[[noreturn]] void runError(int code, std::string_view detail) {
    std::cout.flush();
    std::cerr << "Runtime error " << code << '\n';
    if (!detail.empty()) std::cerr << detail << '\n';
    stopProgram(code);
}

[[noreturn]] void stopWithMessage(std::string_view message, int code) {
    std::cout.flush();
    std::cerr << message << '\n';
    stopProgram(code);
}

namespace {
std::int32_t fitOrOverflow(std::int64_t value) {
    if (value < INT32_MIN || value > INT32_MAX) runError(kErrorOverflow, "Preteceni celeho cisla");
    return static_cast<std::int32_t>(value);
}
}  // namespace

std::int32_t checkedAdd(std::int32_t a, std::int32_t b) { return fitOrOverflow(std::int64_t{a} + b); }
std::int32_t checkedSub(std::int32_t a, std::int32_t b) { return fitOrOverflow(std::int64_t{a} - b); }
std::int32_t checkedMul(std::int32_t a, std::int32_t b) { return fitOrOverflow(std::int64_t{a} * b); }
