#include "project/bracket_check.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <tuple>
#include <vector>

#include "checks/script_lexer.h"
#include "foundation/build_log.h"
#include "foundation/project_files.h"
#include "foundation/source_location.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

constexpr std::string_view divider = "//=";

// A bracket of a block: its line (an index into the file's lines), its
// column in characters (from 1) and which it is.
struct Bracket {
    std::size_t line;
    std::size_t column;
    char c;
};

constexpr std::string_view openers = "([{";
constexpr std::string_view closers = ")]}";

// The brackets of lines `begin` to `end`, in order. In a script file those in
// strings, texts and comments are not code, so a ":)" in a text counts for
// nothing; the objects file is read as plain text.
std::vector<Bracket> block_brackets(const std::vector<std::string>& lines, std::size_t begin,
                                    std::size_t end, bool script) {
    std::vector<Bracket> brackets;
    ScriptLexer lexer;
    for (std::size_t i = begin; i < end; ++i) {
        const std::string_view line = lines[i];
        std::size_t column = 1;
        for (std::size_t k = 0; k <= line.size(); ++k) {
            const char c = k < line.size() ? line[k] : '\n';  // the line's break, for the lexer
            const bool code =
                !script ||
                lexer.step(c, k + 1 < line.size() ? line[k + 1] : '\n').part == ScriptPart::code;
            if (k < line.size() && code &&
                (openers.find(c) != std::string_view::npos ||
                 closers.find(c) != std::string_view::npos))
                brackets.push_back({i, column, c});
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++column;
        }
    }
    return brackets;
}

// The first bracket of a kind whose counts differ that has no partner: a
// closer before any opener is left, or else the first opener left open.
std::optional<Bracket> first_unmatched(const std::vector<Bracket>& brackets, std::size_t kind) {
    std::vector<const Bracket*> open;
    for (const Bracket& bracket : brackets) {
        if (bracket.c == openers[kind]) {
            open.push_back(&bracket);
        } else if (bracket.c == closers[kind]) {
            if (open.empty()) return bracket;
            open.pop_back();
        }
    }
    if (open.empty()) return std::nullopt;
    return *open.front();
}

struct Mismatch {
    std::string entry;  // the "Error:" entry
    std::optional<Bracket> first;
};

// The "Error:" entry for a block whose counts differ, or none when it
// matches: one line per unbalanced kind, then the block's lines as they are;
// and the first bracket that does not match.
std::optional<Mismatch> mismatch(const std::vector<std::string>& lines, std::size_t begin,
                                 std::size_t end, bool script) {
    const std::vector<Bracket> brackets = block_brackets(lines, begin, end, script);
    static constexpr std::string_view reports[] = {"Number of ( ) do not match:\r\n",
                                                   "Number of [ ] do not match:\r\n",
                                                   "Number of { } do not match:\r\n"};
    std::string report;
    std::optional<Bracket> first;
    for (std::size_t kind = 0; kind < 3; ++kind) {
        const auto count = [&](char c) {
            return std::count_if(brackets.begin(), brackets.end(),
                                 [c](const Bracket& b) { return b.c == c; });
        };
        if (count(openers[kind]) == count(closers[kind])) continue;
        report += reports[kind];
        const std::optional<Bracket> unmatched = first_unmatched(brackets, kind);
        if (unmatched && (!first || std::tie(unmatched->line, unmatched->column) <
                                        std::tie(first->line, first->column)))
            first = unmatched;
    }
    if (report.empty()) return std::nullopt;

    std::string entry = "Error:\r\n" + report;
    for (std::size_t i = begin; i < end; ++i) {
        if (i > begin) entry += crlf;
        entry += lines[i];
    }
    return Mismatch{std::move(entry), first};
}

void log_place(BuildLog& log, const std::string& path, const std::vector<std::string>& lines,
               const Bracket& bracket) {
    const SourceLocation where = line_location(path, lines, bracket.line, bracket.column);
    const std::vector<std::string> block =
        location_block(where, std::string(1, bracket.c) + " does not match");
    log.log_link(block[0], path);
    for (std::size_t k = 1; k < block.size(); ++k) log.log_line(block[k]);
}

}  // namespace

bool check_file(const std::string& path, BuildLog& log) {
    try {
        std::vector<std::string> lines = read_lines(path);
        lines.emplace_back(divider);  // so the last block is checked like the others
        log.log_line("");
        log.log_line("%Checking ( ) [ ] { } in file: " + path);

        const bool script = !path.ends_with(".qno");
        std::size_t block_begin = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (trim_view(lines[i]) != divider) continue;
            if (const std::optional<Mismatch> found = mismatch(lines, block_begin, i, script)) {
                log.log_line(found->entry);
                if (found->first) log_place(log, path, lines, *found->first);
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
