// Ending a program with a message: the run-time error report and our own messages, each after
// the console's output so far, so that nothing written before is lost.
#include "run_error.hpp"

#include <iostream>

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
