#include "foundation/source_location.h"

#include "foundation/project_files.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

constexpr std::size_t shown_characters = 160;
constexpr std::string_view indent = "    ";

// The line as the log shows it: tabs as blanks, at most 160 characters.
std::string shown_source_line(std::string_view line) {
    std::string out(indent);
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < line.size() && count < shown_characters; ++count) {
        const std::size_t start = pos;
        const char32_t c = next_code_point(line, pos);
        if (c == '\t')
            out += ' ';
        else
            out.append(line, start, pos - start);
    }
    return out;
}

}  // namespace

SourceLocation line_location(const std::string& path, const std::vector<std::string>& lines,
                             std::size_t index, std::size_t column) {
    if (index >= lines.size()) return {path, 0, 0, {}, {}};
    return {path, index + 1, column, lines[index], {}};
}

SourceLocation find_location(const std::string& path, const std::vector<std::string>& lines,
                             std::string_view needle, std::size_t first) {
    for (std::size_t i = first; i < lines.size(); ++i)
        if (const std::size_t column = column_of(lines[i], needle))
            return line_location(path, lines, i, column);
    return {path, 0, 0, {}, {}};
}

std::size_t column_of(std::string_view line, std::string_view needle) {
    const std::size_t at = needle.empty() ? std::string_view::npos : line.find(needle);
    if (at == std::string_view::npos) return 0;
    return count_code_points(line.substr(0, at)) + 1;
}

std::string location_line(const SourceLocation& where, std::string_view message,
                          std::string_view kind) {
    std::string out = where.path + ":" + std::to_string(where.line);
    if (where.column > 0) out += ":" + std::to_string(where.column);
    out += ": ";
    out += kind;
    out += ": ";
    out.append(message.substr(0, message.find_first_of("\r\n")));
    out += where.note;
    return out;
}

std::vector<std::string> location_block(const SourceLocation& where, std::string_view message,
                                        std::string_view kind) {
    std::vector<std::string> block = {location_line(where, message, kind),
                                      shown_source_line(where.text)};
    if (where.column > 0)
        block.push_back(std::string(indent) + std::string(where.column - 1, ' ') + "^");
    return block;
}

}  // namespace quenlo
