// Helpers of the optimiser tests: a task from task-file text, a pairing searched from it,
// and a folder made current for the length of a test.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "search.hpp"
#include "task_file.hpp"
#include "text_reader.hpp"

inline std::unique_ptr<Task> taskFrom(const std::string& text) {
    auto task = std::make_unique<Task>();
    TextReader reader("zadani.txt", text);
    auto overLimit = readTask(reader, *task);
    if (overLimit) throw std::runtime_error(*overLimit);
    computeAROPR(*task);
    return task;
}

// Bye and later-round search, as VYRES runs them.
struct Searched {
    Pairing pairing;
    CostMatrices costs;
    SearchTrace trace;
};

inline std::unique_ptr<Searched> searchLaterRound(const Task& task) {
    auto result = std::make_unique<Searched>();
    result->pairing.N = task.N;
    chooseBye(task, result->pairing);
    SearchWork work;
    pairLaterRound(task, result->costs, work, result->pairing, &result->trace);
    return result;
}

class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() { std::filesystem::current_path(previous_); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    std::filesystem::path previous_;
};
