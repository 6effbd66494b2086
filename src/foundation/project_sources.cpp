#include "foundation/project_sources.h"

#include "foundation/error.h"
#include "foundation/text.h"

namespace quenlo {

std::string SourceFile::text() const {
    return join_lines(lines);
}

SourceLocation SourceFile::location(std::size_t line, std::string_view needle) const {
    SourceLocation where{path, line, 0, {}, {}};
    if (line >= 1 && line <= lines.size()) {
        where.text = lines[line - 1];
        if (!needle.empty()) where.column = column_of(where.text, needle);
    }
    return where;
}

SourceLocation SourceFile::find(std::string_view needle, std::size_t first,
                                std::size_t last) const {
    if (first == 0) return {path, 0, 0, {}, {}};
    const std::size_t end = std::min(last, lines.size());
    for (std::size_t i = first - 1; i < end; ++i)
        if (const std::size_t column = column_of(lines[i], needle))
            return line_location(path, lines, i, column);
    return first - 1 < end ? line_location(path, lines, first - 1)
                           : SourceLocation{path, 0, 0, {}, {}};
}

const SourceFile& ProjectSources::file(std::string_view name) {
    if (const auto found = files_.find(name); found != files_.end()) return *found->second;
    auto file = std::make_unique<SourceFile>();
    file->name = name;
    file->path = project_path(folder_, name);
    DecodedText decoded;
    if (const auto given = open_texts_.find(file->name); given != open_texts_.end())
        decoded.text = given->second;
    else
        decoded = read_decoded_lines(file->path);
    file->first_invalid = decoded.first_invalid;
    file->lines = split_lines(decoded.text);
    return *files_.emplace(file->name, std::move(file)).first->second;
}

const SourceFile* ProjectSources::readable(std::string_view name) {
    if (!exists(name)) return nullptr;
    try {
        return &file(name);
    } catch (const Error&) {
        return nullptr;
    }
}

bool ProjectSources::exists(std::string_view name) const {
    return open_texts_.contains(std::string(name)) || file_exists(project_path(folder_, name));
}

SourceLocation ProjectSources::location(std::string_view name, std::size_t line,
                                        std::string_view needle) const {
    if (const SourceFile* file = read(name)) return file->location(line, needle);
    return {project_path(folder_, name), line, 0, {}, {}};
}

SourceLocation ProjectSources::find(std::string_view name, std::string_view needle,
                                    std::size_t first, std::size_t last) const {
    if (const SourceFile* file = read(name)) return file->find(needle, first, last);
    return {project_path(folder_, name), 0, 0, {}, {}};
}

const SourceFile* ProjectSources::read(std::string_view name) const {
    const auto found = files_.find(name);
    return found == files_.end() ? nullptr : found->second.get();
}

}  // namespace quenlo
