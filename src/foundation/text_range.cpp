#include "foundation/text_range.h"

#include "foundation/text.h"

namespace quenlo {

TextRange range_of(const std::vector<std::string>& lines, std::size_t line,
                   std::string_view piece) {
    if (line >= lines.size()) return {line, 0, 0};
    const std::string& text = lines[line];
    const std::size_t at = piece.empty() ? std::string::npos : text.find(piece);
    if (at == std::string::npos) return {line, 0, text.size()};
    return {line, at, at + piece.size()};
}

TextRange range_at_column(std::string_view line, std::size_t index, std::size_t column,
                          std::size_t length) {
    std::size_t begin = 0;
    for (std::size_t at = 1; at < column && begin < line.size(); ++at) next_code_point(line, begin);
    return {index, begin, begin + length};
}

SourceLocation place_of(const SourceFile& file, const TextRange& range) {
    SourceLocation where = line_location(file.path, file.lines, range.line);
    if (where.known())
        where.column = count_code_points(std::string_view(where.text).substr(0, range.begin)) + 1;
    return where;
}

std::size_t utf16_column(std::string_view line, std::size_t byte) {
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < byte && pos < line.size();)
        units += next_code_point(line, pos) > 0xFFFF ? 2 : 1;
    return units;
}

std::size_t byte_of_utf16_column(std::string_view line, std::size_t column) {
    std::size_t units = 0;
    std::size_t pos = 0;
    while (pos < line.size() && units < column) {
        std::size_t next = pos;
        units += next_code_point(line, next) > 0xFFFF ? 2 : 1;
        pos = next;
    }
    return pos;
}

}  // namespace quenlo
