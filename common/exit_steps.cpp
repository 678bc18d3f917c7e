// The exit steps of a program in their fixed order, and the stop that runs them.
#include "exit_steps.hpp"

#include <algorithm>
#include <iostream>
#include <vector>

#include "platform.hpp"

namespace {

struct Registered {
    ExitStepId id;
    ExitStep kind;
    std::function<void()> step;
};

std::vector<Registered>& registered() {
    static std::vector<Registered> steps;
    return steps;
}

}  // namespace

ExitStepId addExitStep(ExitStep kind, std::function<void()> step) {
    static ExitStepId next = 0;
    registered().push_back({++next, kind, std::move(step)});
    return next;
}

bool removeExitStep(ExitStepId id) {
    return std::erase_if(registered(), [&](const Registered& each) { return each.id == id; }) > 0;
}

[[noreturn]] void stopProgram(int code) {
    // Each step leaves the list as it runs: one that stops the program again runs no step twice.
    for (;;) {
        auto next = std::min_element(registered().begin(), registered().end(),
                                     [](const Registered& a, const Registered& b) { return a.kind < b.kind; });
        if (next == registered().end()) break;
        const std::function<void()> step = std::move(next->step);
        registered().erase(next);
        step();
    }
    std::cout.flush();
    std::cerr.flush();
    endProcess(code);
}

void eraseOnStop(const std::string& path) {
    static const bool registeredOnce = (addExitStep(ExitStep::RemoveFiles, platform::removeMarkedFiles), true);
    (void)registeredOnce;
    platform::markForRemoval(path);
}
