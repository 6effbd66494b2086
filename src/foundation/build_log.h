#pragma once
// The build log: the coloured, append-only list of lines through which every
// part of Quenlo reports progress. Whoever shows the log (the window, the
// command line, a test) implements LogSink; whoever can run pending user
// events implements PollHook.

#include <string>
#include <string_view>
#include <vector>

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
    // A line that points at a file (a page written, the place of an error):
    // a view may show it as a link to `target`; others show the text alone.
    virtual void append_link(LogColour colour, std::string_view text, std::string_view target) {
        (void)target;
        append_line(colour, text);
    }
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
    // A line that names the file `target`, which the window shows as a link.
    void log_link(std::string_view text, std::string_view target);
    void clear_log();

    // From now on every line logged is also kept, as shown (one entry per
    // line of text), until `take_transcript` hands them over.
    void start_transcript();
    std::vector<std::string> take_transcript();
    PollHook& events() { return events_; }

private:
    void keep(std::string_view shown);

    LogSink& sink_;
    PollHook& events_;
    bool keeping_ = false;
    std::vector<std::string> transcript_;
};

}  // namespace quenlo
