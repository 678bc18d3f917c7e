// A console window of the test's own (Windows; under Wine on a virtual display): a program
// started in it, keys typed into it, and its screen read back cell by cell.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct ConsoleScreen {
    std::vector<std::wstring> rows;
    std::vector<std::vector<std::uint16_t>> colours;  // the attributes of every cell
    std::uint16_t current = 0;                        // the attributes the next text gets

    bool shows(const std::wstring& text) const;
};

// What a program ended by Ctrl+C returns (STATUS_CONTROL_C_EXIT).
inline constexpr std::uint32_t kEndedByControlC = 0xC000013A;

class ConsoleWindow {
public:
    ConsoleWindow() = default;
    ConsoleWindow(const ConsoleWindow&) = delete;
    ConsoleWindow& operator=(const ConsoleWindow&) = delete;
    ~ConsoleWindow();

    // A new console in these colours with a line of text on it; false when it has no window
    // (under Wine without a display its handles do nothing).
    bool open(std::uint16_t colours, const std::wstring& before);
    // Each key pressed and let go ('\n' is Enter).
    bool type(const std::wstring& keys);
    // Ctrl+C pressed only: Wine's console takes its letting go for a second Ctrl+C.
    bool pressControlC();
    // The program with the arguments in the folder, its standard streams the window's, held
    // until resume.
    bool start(const std::string& program, const std::vector<std::wstring>& arguments,
               const std::filesystem::path& folder);
    // The test leaves the window (its handles stay usable): the program has it to itself, as
    // after a double click.
    void leave();
    void resume();
    // The program's exit code once it ends within the patience; nothing while it runs.
    std::optional<std::uint32_t> exitCode(std::uint32_t patienceMs);
    ConsoleScreen screen() const;
    // Whether the text appears on the screen within the patience.
    bool waitFor(const std::wstring& text, std::uint32_t patienceMs) const;

private:
    void* input_ = nullptr;
    void* output_ = nullptr;
    void* process_ = nullptr;
    void* thread_ = nullptr;
};

// Ctrl+C events that reach the test's own process, counted by a handler that ends nothing.
void startCountingControlC();
void stopCountingControlC();
int controlCCounted();
