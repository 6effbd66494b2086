#include "project/bracket_check.h"

#include <exception>
#include <vector>

#include "foundation/build_log.h"
#include "foundation/project_files.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

constexpr std::string_view divider = "//=";

struct BracketCounts {
    int round_open = 0, round_close = 0;
    int square_open = 0, square_close = 0;
    int curly_open = 0, curly_close = 0;

    // Brackets are ASCII, so counting bytes counts characters.
    void add(std::string_view line) {
        for (const char c : line) {
            switch (c) {
                case '(':
                    ++round_open;
                    break;
                case ')':
                    ++round_close;
                    break;
                case '[':
                    ++square_open;
                    break;
                case ']':
                    ++square_close;
                    break;
                case '{':
                    ++curly_open;
                    break;
                case '}':
                    ++curly_close;
                    break;
                default:
                    break;
            }
        }
    }
};

// The "Error:" entry for a block whose counts differ, or "" when it matches:
// one line per unbalanced kind, then the block's lines as they are.
std::string mismatch_report(const std::vector<std::string>& lines, std::size_t begin,
                            std::size_t end) {
    BracketCounts counts;
    for (std::size_t i = begin; i < end; ++i) counts.add(lines[i]);
    std::string report;
    if (counts.round_open != counts.round_close) report += "Number of ( ) do not match:\r\n";
    if (counts.square_open != counts.square_close) report += "Number of [ ] do not match:\r\n";
    if (counts.curly_open != counts.curly_close) report += "Number of { } do not match:\r\n";
    if (report.empty()) return report;

    std::string entry = "Error:\r\n" + report;
    for (std::size_t i = begin; i < end; ++i) {
        if (i > begin) entry += crlf;
        entry += lines[i];
    }
    return entry;
}

}  // namespace

bool check_file(const std::string& path, BuildLog& log) {
    try {
        std::vector<std::string> lines = read_lines(path);
        lines.emplace_back(divider);  // so the last block is checked like the others
        log.log_line("");
        log.log_line("%Checking ( ) [ ] { } in file: " + path);

        std::size_t block_begin = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (trim_view(lines[i]) != divider) continue;
            const std::string report = mismatch_report(lines, block_begin, i);
            if (!report.empty()) {
                log.log_line(report);
                return false;
            }
            block_begin = i + 1;
        }
    } catch (const std::exception&) {
        log.log_line("Error: Unable to check file: " + path);
    }
    log.log_line("...OK!");
    return true;
}

bool check_parentheses(std::string_view project_folder, BuildLog& log) {
    for (const std::string_view file :
         {"actions.qna", "counters.qna", "conditions.qna", "objects.qno"})
        if (!check_file(project_path(project_folder, file), log)) return false;
    return true;
}

}  // namespace quenlo
