#pragma once
// Everything wrong with the project as the editor has it, at its place in a
// project file: the model's problems, each script file's JavaScript syntax
// error, and the errors and warnings of a real build of the editor's texts.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "foundation/diagnostic.h"
#include "language/language_project.h"

namespace quenlo {
class ScriptParser;
struct Workspace;
}  // namespace quenlo

namespace quenlo::language {

struct RelatedPlace {
    Place where;
    std::string text;
};

struct PlacedDiagnostic {
    Place where;
    Diagnostic diagnostic;
    std::vector<RelatedPlace> related;  // its notes that have a place
    std::string source;                 // "quenlo" or "javascript"
};

// The place in a project file of a diagnostic's location, the range running
// over the name or word at its column, or over its line without one.
std::optional<Place> place_in_project(const LanguageProject& project,
                                      const SourceLocation& where);

// The diagnostics of one reading: the model's problems and the scripts'
// syntax errors. Fast: nothing is written.
std::vector<PlacedDiagnostic> reading_diagnostics(const LanguageProject& project,
                                                  const ScriptParser& parser);

// Builds the project as the editor has it in a copy of its folder, so that
// unsaved texts count and the author's folder gets no pages. The copy is kept
// and only changed files are copied again.
class ShadowBuilder {
public:
    explicit ShadowBuilder(std::string program_folder, std::shared_ptr<ScriptParser> parser);
    ~ShadowBuilder();

    std::vector<PlacedDiagnostic> build(const LanguageProject& project,
                                        const std::map<std::string, std::string>& open_texts);

private:
    void refresh_copy(const std::string& folder,
                      const std::map<std::string, std::string>& open_texts);

    std::string program_folder_;
    std::shared_ptr<ScriptParser> parser_;
    std::string copy_;  // the folder of the copy, made at the first build
    std::unique_ptr<Workspace> workspace_;
    std::map<std::string, std::string> written_;  // the open texts the copy holds
};

// The union of two lists, each diagnostic once.
void merge_diagnostics(std::vector<PlacedDiagnostic>& into, std::vector<PlacedDiagnostic> more);

}  // namespace quenlo::language
