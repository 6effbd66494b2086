#include "preview/build_outcome.h"

#include <algorithm>
#include <utility>

namespace quenlo {

namespace {

constexpr std::string_view generated_marker = "Generated: ";
constexpr std::string_view error_marker = "Error: ";

}  // namespace

// One entry may hold several lines (a location block, the bracket check's
// report); each is recorded on its own.
void RecordingLog::append_line(LogColour colour, std::string_view text) {
    shown_.append_line(colour, text);
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines_.emplace_back(line);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
}

void RecordingLog::clear() {
    shown_.clear();
    lines_.clear();
}

std::vector<std::string> RecordingLog::take_lines() {
    return std::exchange(lines_, {});
}

std::vector<std::string> generated_pages(const std::vector<std::string>& log) {
    std::vector<std::string> pages;
    for (const std::string& line : log)
        if (line.starts_with(generated_marker)) pages.push_back(line.substr(generated_marker.size()));
    return pages;
}

std::vector<std::string> error_block(const std::vector<std::string>& log) {
    const auto error = std::find_if(log.rbegin(), log.rend(), [](const std::string& line) {
        return line.starts_with(error_marker);
    });
    if (error == log.rend()) return {};
    std::vector<std::string> block(error.base() - 1, log.end());
    while (!block.empty() && block.back().empty()) block.pop_back();
    return block;
}

}  // namespace quenlo
