// How a program ends with a message: the run-time error report ("Runtime error N"), our own
// one-line messages for mended faults; and integer arithmetic that reports overflow.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "exit_steps.hpp"

// Run-time error numbers of the report.
inline constexpr int kErrorFileNotFound = 2;
inline constexpr int kErrorBadNumber = 106;
inline constexpr int kErrorRange = 201;
inline constexpr int kErrorOverflow = 215;

// Writes "Runtime error N" (and, when given, a second line with the detail) to standard
// error and ends the program with exit status N.
[[noreturn]] void runError(int code, std::string_view detail = {});

// Writes one line of our own to standard error and ends the program with the exit code.
[[noreturn]] void stopWithMessage(std::string_view message, int code = 1);

// 32-bit arithmetic that ends with run-time error 215 instead of wrapping.
std::int32_t checkedAdd(std::int32_t a, std::int32_t b);
std::int32_t checkedSub(std::int32_t a, std::int32_t b);
std::int32_t checkedMul(std::int32_t a, std::int32_t b);
