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

}  // namespace quenlo::test
