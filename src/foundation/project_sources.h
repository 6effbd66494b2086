#pragma once
// The project's source files as one build sees them: each is read and decoded
// once, the first time a phase asks for it, and every later reader (the
// compilers, the checks, the places of errors) gets the same lines. A text
// given for a file (an editor's unsaved buffer) stands for the file on disk.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/project_files.h"
#include "foundation/source_location.h"

namespace quenlo {

struct SourceFile {
    std::string name;  // "rooms.qnr"
    std::string path;  // as the log shows it
    std::vector<std::string> lines;
    InvalidUtf8 first_invalid;  // line 0 when every line is UTF-8

    // The lines joined by CR LF, without a break after the last one.
    std::string text() const;
    // The place of line `line` (from 1), with the column where `needle`
    // first occurs in it when given; a line beyond the file has no text.
    SourceLocation location(std::size_t line, std::string_view needle = {}) const;
    // The first of lines `first` to `last` (from 1) that holds `needle`, at
    // its column; when none does, line `first` without a column.
    SourceLocation find(std::string_view needle, std::size_t first = 1,
                        std::size_t last = SIZE_MAX) const;
};

class ProjectSources {
public:
    explicit ProjectSources(std::string folder, std::map<std::string, std::string> open_texts = {})
        : folder_(std::move(folder)), open_texts_(std::move(open_texts)) {}

    // The file `name` of the project folder, read now if it was not yet.
    // Fails with the error of read_bytes or read_decoded_lines.
    const SourceFile& file(std::string_view name);
    // Whether the file is there (or given as a text), without reading it.
    bool exists(std::string_view name) const;
    // The file, read now if it was not yet; null when it is missing or
    // cannot be read. For readers that judge what they can see.
    const SourceFile* readable(std::string_view name);
    // The file when some reader has read it already, else null.
    const SourceFile* read(std::string_view name) const;

    // The place of line `line` of a file read already, as SourceFile::location;
    // a file not read has a place without its text. Never fails, so that a
    // failed build's report cannot fail in turn.
    SourceLocation location(std::string_view name, std::size_t line,
                            std::string_view needle = {}) const;
    // SourceFile::find in a file read already; an unknown place otherwise.
    SourceLocation find(std::string_view name, std::string_view needle, std::size_t first = 1,
                        std::size_t last = SIZE_MAX) const;

    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
    std::map<std::string, std::string> open_texts_;
    std::map<std::string, std::unique_ptr<const SourceFile>, std::less<>> files_;
};

}  // namespace quenlo
