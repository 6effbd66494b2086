#pragma once
// Where a piece of a project file lies, as the model records it: bytes of one
// line. Each reader turns it into what it counts in: characters for the build
// log, UTF-16 code units for editors.

#include <cstddef>
#include <string_view>

#include "foundation/project_sources.h"
#include "foundation/source_location.h"

namespace quenlo {

struct TextRange {
    std::size_t line = 0;   // from 0
    std::size_t begin = 0;  // bytes of the line, [begin, end)
    std::size_t end = 0;
};

// The range of the first occurrence of `piece` in line `line` of `lines`,
// or the whole line when it does not occur there.
TextRange range_of(const std::vector<std::string>& lines, std::size_t line, std::string_view piece);

// The range of `length` bytes at character column `column` (from 1) of line
// `index` (from 0), whose text is `line`.
TextRange range_at_column(std::string_view line, std::size_t index, std::size_t column,
                          std::size_t length);

// The place of the range's start, as the build log shows it (column in
// characters, from 1).
SourceLocation place_of(const SourceFile& file, const TextRange& range);

// The column, from 0, of byte `byte` of `line` in UTF-16 code units.
std::size_t utf16_column(std::string_view line, std::size_t byte);
// The byte of `line` at UTF-16 column `column` (from 0); the line's end when
// the column is past it.
std::size_t byte_of_utf16_column(std::string_view line, std::size_t column);

}  // namespace quenlo
