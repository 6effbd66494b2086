#pragma once
// One reading of the project as an editor sees it: the files on disk with the
// editor's unsaved buffers standing for theirs, the model read from them, and
// every name the project declares, with where. A new reading is made after
// each change; the language features only ask it questions.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/project_model.h"
#include "foundation/project_sources.h"
#include "foundation/text_range.h"

namespace quenlo::language {

// A piece of a project file: the file's name ("rooms.qnr") and bytes of a line.
struct Place {
    std::string file;
    TextRange range;

    bool operator==(const Place& other) const {
        return file == other.file && range.line == other.range.line &&
               range.begin == other.range.begin && range.end == other.range.end;
    }
};

enum class NameKind { room, object, variable, function };

struct Declaration {
    std::string name;
    NameKind kind = NameKind::object;
    Place where;                   // the name where it is declared
    std::size_t first_line = 0;    // the lines it spans, from 0
    std::size_t end_line = 0;      // the line after its last one
    std::string detail;            // a short description, for lists
};

// The project's text files, in the order the build reads them.
const std::vector<std::string_view>& source_file_names();

// Whether `name` ("rooms.qnr") is one of them.
bool is_source_file(std::string_view name);

class LanguageProject {
public:
    LanguageProject(std::string folder, std::map<std::string, std::string> open_texts);

    const std::string& folder() const { return folder_; }
    const ProjectModel& model() const { return model_; }
    // The lines of a project file, or null when it is missing or unreadable.
    const SourceFile* file(std::string_view name) const;

    const std::vector<Declaration>& declarations() const { return declarations_; }
    const Declaration* declaration(std::string_view name) const;
    // The declaration and every use of `name` as a whole word, in every file.
    std::vector<Place> occurrences(std::string_view name) const;
    // The whole word (letters, digits, "_", "$") at byte `byte` of a line.
    std::optional<Place> word_at(std::string_view file, std::size_t line, std::size_t byte) const;

private:
    void declare(Declaration declaration);

    std::string folder_;
    std::unique_ptr<ProjectSources> sources_;
    std::map<std::string, const SourceFile*, std::less<>> files_;
    ProjectModel model_;
    std::vector<Declaration> declarations_;
    std::map<std::string, std::size_t, std::less<>> by_name_;
};

// Whether `c` may stand inside a name of the game or the scripts.
inline bool is_name_byte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '_' || c == '$';
}

}  // namespace quenlo::language
