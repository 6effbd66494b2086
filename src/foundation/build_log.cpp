#include "foundation/build_log.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace quenlo {

namespace {

bool contains_ignoring_case(std::string_view text, std::string_view upper_word) {
    const auto it = std::search(
        text.begin(), text.end(), upper_word.begin(), upper_word.end(),
        [](char c, char w) { return std::toupper(static_cast<unsigned char>(c)) == w; });
    return it != text.end();
}

constexpr std::string_view pound = "\xC2\xA3";  // "£" in UTF-8

}  // namespace

StyledLine style_log_line(std::string_view text) {
    if (contains_ignoring_case(text, "ERROR:")) return {LogColour::red, text};
    if (contains_ignoring_case(text, "WARNING")) return {LogColour::purple, text};
    if (text.starts_with('$')) return {LogColour::green, text.substr(1)};
    if (text.starts_with(pound)) return {LogColour::blue, text.substr(pound.size())};
    if (text.starts_with('%')) return {LogColour::olive, text.substr(1)};
    return {LogColour::black, text};
}

void BuildLog::log_line(std::string_view text) {
    const StyledLine line = style_log_line(text);
    sink_.append_line(line.colour, line.shown);
    keep(line.shown);
    events_.process_events();
}

void BuildLog::log_link(std::string_view text, std::string_view target) {
    const StyledLine line = style_log_line(text);
    sink_.append_link(line.colour, line.shown, target);
    keep(line.shown);
    events_.process_events();
}

void BuildLog::start_transcript() {
    keeping_ = true;
    transcript_.clear();
}

std::vector<std::string> BuildLog::take_transcript() {
    keeping_ = false;
    return std::exchange(transcript_, {});
}

// An entry may hold several lines (the bracket check's report); each is kept
// on its own.
void BuildLog::keep(std::string_view shown) {
    if (!keeping_) return;
    for (std::size_t start = 0;;) {
        const std::size_t end = shown.find('\n', start);
        std::string_view line = shown.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        transcript_.emplace_back(line);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
}

void BuildLog::clear_log() {
    sink_.clear();
}

}  // namespace quenlo
