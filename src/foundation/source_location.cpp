#include "foundation/source_location.h"

#include <fstream>
#include <iterator>

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

// The file's lines by the reading rule, or none when it cannot be read. Only
// used on the way out of a failed build, where a second failure must not hide
// the first.
std::vector<std::string> lines_of_file(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return split_lines(decode_text(bytes));
}

}  // namespace

SourceLocation line_location(const std::string& path, const std::vector<std::string>& lines,
                             std::size_t index, std::size_t column) {
    if (index >= lines.size()) return {path, 0, 0, {}, {}};
    return {path, index + 1, column, lines[index], {}};
}

SourceLocation file_location(const std::string& path, std::size_t line, std::string_view needle) {
    SourceLocation where{path, line, 0, {}, {}};
    const std::vector<std::string> lines = lines_of_file(path);
    if (line >= 1 && line <= lines.size()) {
        where.text = lines[line - 1];
        if (!needle.empty()) where.column = column_of(where.text, needle);
    }
    return where;
}

SourceLocation find_location(const std::string& path, const std::vector<std::string>& lines,
                             std::string_view needle, std::size_t first) {
    for (std::size_t i = first; i < lines.size(); ++i)
        if (const std::size_t column = column_of(lines[i], needle))
            return line_location(path, lines, i, column);
    return {path, 0, 0, {}, {}};
}

SourceLocation find_in_file(const std::string& path, std::string_view needle, std::size_t first,
                            std::size_t last) {
    std::vector<std::string> lines = lines_of_file(path);
    if (first == 0) return {path, 0, 0, {}, {}};
    if (last < lines.size()) lines.resize(last);
    const SourceLocation found = find_location(path, lines, needle, first - 1);
    return found.known() ? found : line_location(path, lines, first - 1);
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
