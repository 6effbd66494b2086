#pragma once
// The build log: the coloured, append-only list of lines through which every
// part of Quenlo reports progress. Whoever shows the log (the window, the
// command line, a test) implements LogSink; whoever can run pending user
// events implements PollHook.

#include <string_view>

namespace quenlo {

enum class LogColour { black, red, purple, green, blue, olive };

struct StyledLine {
    LogColour colour;
    std::string_view shown;  // the text without its colour prefix, if it had one
};

// The colour rule. A text containing "ERROR:" in any letter case is red, one
// containing "WARNING" purple; otherwise a leading "$", "£" or "%" selects
// green, blue or olive and is not shown; everything else is black.
StyledLine style_log_line(std::string_view text);

class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void append_line(LogColour colour, std::string_view text) = 0;
    virtual void clear() = 0;
};

// Lets the user interface run pending events during a build. Called after
// every log line and at every poll, so it must be cheap: the window throttles
// its event processing, the command line does nothing.
class PollHook {
public:
    virtual ~PollHook() = default;
    virtual void process_events() = 0;
};

class BuildLog {
public:
    BuildLog(LogSink& sink, PollHook& events) : sink_(sink), events_(events) {}

    void log_line(std::string_view text);
    void clear_log();
    PollHook& events() { return events_; }

private:
    LogSink& sink_;
    PollHook& events_;
};

}  // namespace quenlo
