#include "cli/terminal.h"

#include <unistd.h>

#include <cstdlib>
#include <ostream>

#include "foundation/text.h"

namespace quenlo::cli {

namespace {

std::string_view ansi_colour(LogColour colour) {
    switch (colour) {
        case LogColour::red:
            return "\033[31m";
        case LogColour::purple:
            return "\033[35m";
        case LogColour::green:
            return "\033[32m";
        case LogColour::blue:
            return "\033[34m";
        case LogColour::olive:
            return "\033[33m";
        case LogColour::black:
            break;
    }
    return {};
}

}  // namespace

// An entry may span several lines (the bracket check's report does); they are
// printed as the terminal's own lines.
void TerminalLog::append_line(LogColour colour, std::string_view text) {
    const std::string lines = replace_all(text, crlf, "\n");
    const std::string_view start = colours_ ? ansi_colour(colour) : std::string_view{};
    if (start.empty())
        out_ << lines << '\n';
    else
        out_ << start << lines << "\033[0m\n";
}

// The dialog's text breaks its lines with CR LF; a terminal wants its own.
void TerminalUi::show_error(std::string_view text) {
    err_ << replace_all(text, crlf, "\n") << std::endl;
}

bool stdout_wants_colours() {
    const char* no_color = std::getenv("NO_COLOR");
    return isatty(STDOUT_FILENO) && (no_color == nullptr || *no_color == '\0');
}

}  // namespace quenlo::cli
