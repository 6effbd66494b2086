#include "app/welcome.h"

namespace quenlo::app {

namespace {

// Box lines are indented by a TAB and two blanks and are 28 characters wide.
constexpr int box_width = 28;
const std::string indent = "\t  ";

std::string box_edge() {
    return indent + std::string(box_width, '*');
}

std::string box_line(const std::string& text) {
    std::string inner = text.empty() ? "" : " " + text;
    inner.resize(box_width - 2, ' ');
    return indent + "*" + inner + "*";
}

}  // namespace

std::vector<std::string> welcome_lines() {
    return {"",
            "Welcome to Quenlo ! :)",
            "",
            "This software is free, however if you do enjoy it, please consider a small "
            "donation to:",
            "",
            box_edge(),
            box_line(""),
            box_line("Medici Senza Frontiere"),
            box_line(""),
            box_line("www.msf.it"),
            box_line(""),
            box_edge(),
            "",
            "Thanks! :)",
            ""};
}

}  // namespace quenlo::app
