#include "preview/script_error_report.h"

#include <algorithm>

#include "foundation/parse_integer.h"
#include "foundation/source_location.h"
#include "foundation/text.h"
#include "generator/page_line_place.h"

namespace quenlo {

namespace {

// The rest of `text` after its first line, and that line.
std::string_view take_line(std::string_view& text) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    return line;
}

// A message goes to terminals: none of its bytes may steer one.
std::string shown(std::string_view text) {
    std::string out(text);
    std::replace_if(
        out.begin(), out.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }, ' ');
    return trim(out);
}

std::optional<std::size_t> count(std::string_view word) {
    const auto value = parse_integer(word);
    if (!value || *value < 0) return std::nullopt;
    return static_cast<std::size_t>(*value);
}

// Where the report's line lies in the page: in a script the preview put in
// the place of script element `script`, its lines count from the line that
// opens it.
std::size_t page_line_number(const ScriptErrorReport& report, std::string_view page) {
    if (!report.script) return report.line;
    std::size_t at = 0;
    for (std::size_t k = 0; k <= *report.script; ++k) {
        at = page.find("<script", k == 0 ? 0 : at + 1);
        if (at == std::string_view::npos) return 0;
    }
    const std::size_t opened = page.find('>', at);
    if (opened == std::string_view::npos) return 0;
    return static_cast<std::size_t>(std::count(page.begin(), page.begin() + opened, '\n')) +
           report.line;
}

SourceLocation page_place(std::string_view page, const std::string& path, std::size_t number,
                          std::size_t column) {
    SourceLocation where;
    std::size_t n = 0;
    for_each_line(page, [&](std::string_view line) {
        if (++n == number) where = {path, number, column, std::string(line), {}};
    });
    return where;
}

}  // namespace

std::optional<ScriptErrorReport> read_script_error_report(std::string_view text) {
    ScriptErrorReport report;
    std::vector<std::string_view> words;
    for (std::string_view head = take_line(text); !head.empty();) {
        const std::size_t blank = head.find(' ');
        words.push_back(head.substr(0, blank));
        head = blank == std::string_view::npos ? std::string_view() : head.substr(blank + 1);
    }
    if (words.size() != 5) return std::nullopt;
    const auto build = count(words[1]);
    const auto line = count(words[2]);
    const auto column = count(words[3]);
    if (!build || !line || !column) return std::nullopt;
    if (words[4] != "-") {
        report.script = count(words[4]);
        if (!report.script) return std::nullopt;
    }
    report.page = words[0];
    report.build = static_cast<std::uint64_t>(*build);
    report.line = *line;
    report.column = *column;
    report.choice = shown(take_line(text));
    report.message = shown(text);
    if (report.message.empty()) return std::nullopt;
    return report;
}

std::vector<std::string> script_error_lines(const ScriptErrorReport& report, std::string_view page,
                                            const std::string& page_path,
                                            const std::string& project_folder) {
    std::vector<std::string> lines{"Script error in the game: " + report.message};
    const std::size_t number = page.empty() ? 0 : page_line_number(report, page);
    if (number > 0) {
        ProjectSources sources(project_folder);
        SourceLocation where = annotated_page_line(page, number, report.column, sources);
        if (!where.known()) where = page_place(page, page_path, number, report.column);
        if (where.known())
            for (std::string& line : location_block(where, report.message))
                lines.push_back(std::move(line));
    }
    if (!report.choice.empty()) lines.push_back("The choice being processed: " + report.choice);
    return lines;
}

}  // namespace quenlo
