#include "generator/page_line_place.h"

#include <utility>

#include "checks/line_annotation.h"
#include "foundation/error.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

// Line `number` (from 1) of the page, and the line before it.
std::pair<std::string_view, std::string_view> page_line(std::string_view page, std::size_t number) {
    std::string_view previous, current;
    std::size_t n = 0;
    for_each_line(page, [&](std::string_view line) {
        if (++n == number - 1) previous = line;
        if (n == number) current = line;
    });
    return {current, previous};
}

// The column of the author's line that column `column` of the page's line
// stands for: found while the page's line reads as the author's, whose double
// quotes became single ones; unknown (0) once they differ before it.
std::size_t author_column(std::string_view page_line, std::string_view author_line,
                          std::size_t column) {
    const auto first_letter = [](std::string_view text) {
        const std::size_t at = text.find_first_not_of(" \t");
        return at == std::string_view::npos ? text.size() : at;
    };
    std::size_t p = first_letter(page_line);
    std::size_t a = first_letter(author_line);
    std::size_t page_column = count_code_points(page_line.substr(0, p)) + 1;
    std::size_t column_there = count_code_points(author_line.substr(0, a)) + 1;
    while (p < page_line.size() && a < author_line.size()) {
        if (page_column == column) return column_there;
        const char32_t pc = next_code_point(page_line, p);
        const char32_t ac = next_code_point(author_line, a);
        if (pc != ac && !(pc == U'\'' && ac == U'"')) return 0;
        ++page_column;
        ++column_there;
    }
    return page_column == column ? column_there : 0;
}

}  // namespace

SourceLocation annotated_page_line(std::string_view page, std::size_t line, std::size_t column,
                                   ProjectSources& sources) {
    if (line < 2) return {};
    const auto [text, previous] = page_line(page, line);
    const auto annotation = annotated_source(previous);
    if (!annotation) return {};
    const auto& [file, source_line] = *annotation;
    SourceLocation where = sources.location(file, source_line);
    if (!sources.read(file)) {
        try {  // the game runs after its build: its file is read now
            where = sources.file(file).location(source_line);
        } catch (const Error&) {
        }
    }
    if (column > 0) where.column = author_column(text, where.text, column);
    return where;
}

}  // namespace quenlo
