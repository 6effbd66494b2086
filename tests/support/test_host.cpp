#include "support/test_host.h"

namespace quenlo::test {

std::vector<std::string> RecordingLog::texts() const {
    std::vector<std::string> out;
    for (const auto& line : lines) out.push_back(line.text);
    return out;
}

int RecordingLog::index_of(std::string_view text) const {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].text == text) return static_cast<int>(i);
    return -1;
}

bool RecordingLog::logged_in_order(const std::vector<std::string>& expected) const {
    std::size_t next = 0;
    for (const auto& line : lines)
        if (next < expected.size() && line.text == expected[next]) ++next;
    return next == expected.size();
}

}  // namespace quenlo::test
