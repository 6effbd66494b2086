#pragma once
// Test doubles for what a build needs from its user interface: a log that
// remembers its lines, a poll hook that can press the stop button, and a UI
// that records the error dialogs instead of showing them.

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "foundation/build_log.h"
#include "generator/pipeline.h"

namespace quenlo::test {

struct LoggedLine {
    LogColour colour;
    std::string text;
    std::string link;  // the file a linked line names
};

class RecordingLog : public LogSink {
public:
    void append_line(LogColour colour, std::string_view text) override {
        lines.push_back({colour, std::string(text), {}});
    }
    void append_link(LogColour colour, std::string_view text, std::string_view target) override {
        lines.push_back({colour, std::string(text), std::string(target)});
    }
    void clear() override { lines.clear(); }

    std::vector<std::string> texts() const;
    // Index of the first line equal to `text`, or -1.
    int index_of(std::string_view text) const;
    bool contains(std::string_view text) const { return index_of(text) >= 0; }
    // True when `expected` were logged in this order, other lines between.
    bool logged_in_order(const std::vector<std::string>& expected) const;

    std::vector<LoggedLine> lines;
};

// Runs `on_poll` at every poll, with the number of polls so far.
class ScriptedEvents : public PollHook {
public:
    void process_events() override {
        ++polls;
        if (on_poll) on_poll(polls);
    }
    int polls = 0;
    std::function<void(int)> on_poll;
};

class RecordingUi : public BuildUi {
public:
    void show_error(std::string_view text) override { errors.emplace_back(text); }
    void set_building(bool running) override { building_changes.push_back(running); }

    std::vector<std::string> errors;
    std::vector<bool> building_changes;
};

}  // namespace quenlo::test
