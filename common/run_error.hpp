// How a program ends: the run-time error report ("Runtime error N"), our own one-line
// messages for mended faults, orderly stops, and integer arithmetic that reports overflow.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

// Ends the program with the exit code after flushing the console. Every path that ends a
// program comes here.
[[noreturn]] void stopProgram(int code);

// The last step of stopProgram: hands the exit status to the system. It is alone in
// process_exit.cpp so that the fuzz targets can link their own definition, which gives
// control back to the target instead of ending the process.
[[noreturn]] void endProcess(int code);

// Files that must not outlive the run (the task file and pairing list of los): every later
// stop of the program erases them; a file that is already gone is fine.
void eraseOnStop(const std::string& path);

// 32-bit arithmetic that ends with run-time error 215 instead of wrapping.
std::int32_t checkedAdd(std::int32_t a, std::int32_t b);
std::int32_t checkedSub(std::int32_t a, std::int32_t b);
std::int32_t checkedMul(std::int32_t a, std::int32_t b);
