#pragma once
// The command line's side of the build: the log goes to standard output (in
// colour on a terminal), the error dialog to standard error.

#include <iosfwd>

#include "foundation/build_log.h"
#include "generator/pipeline.h"

namespace quenlo::cli {

class TerminalLog : public LogSink {
public:
    TerminalLog(std::ostream& out, bool colours) : out_(out), colours_(colours) {}
    void append_line(LogColour colour, std::string_view text) override;
    void clear() override {}

private:
    std::ostream& out_;
    bool colours_;
};

// A terminal has no pending events to run; the stop flag is set from the
// interrupt watcher instead.
class NoEvents : public PollHook {
public:
    void process_events() override {}
};

class TerminalUi : public BuildUi {
public:
    explicit TerminalUi(std::ostream& err) : err_(err) {}
    void show_error(std::string_view text) override;
    void set_building(bool) override {}

private:
    std::ostream& err_;
};

// Colours only for a terminal, and never when NO_COLOR is set.
bool stdout_wants_colours();

}  // namespace quenlo::cli
