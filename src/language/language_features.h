#pragma once
// What an editor asks of a project's language: completion, the declaration
// and the uses of a name, renaming it, a description on hover, the outline,
// and fixes for the "did you mean" notes. Every answer is data in the
// project's own terms (files, lines, bytes); the language server and the
// window turn them into their own.

#include <optional>
#include <string>
#include <vector>

#include "foundation/diagnostic.h"
#include "language/language_project.h"

namespace quenlo::language {

enum class CompletionKind { room, object, variable, function, property, flag, verb };

struct Completion {
    std::string label;
    CompletionKind kind = CompletionKind::object;
    std::string detail;         // the kind and short description, or the parameters
    std::string documentation;  // the reference's line, for a function
    Place replaces;             // the piece typed so far, which the label replaces
};

// What fits at byte `byte` of line `line` of `file`.
std::vector<Completion> complete(const LanguageProject& project, const std::string& file,
                                 std::size_t line, std::size_t byte);

// Where the name at a place is declared: a project name, or nothing.
std::optional<Place> definition(const LanguageProject& project, const std::string& file,
                                std::size_t line, std::size_t byte);

// Every occurrence of the name at a place, its declaration included.
std::vector<Place> references(const LanguageProject& project, const std::string& file,
                              std::size_t line, std::size_t byte);

struct Edit {
    Place where;
    std::string text;
};
struct RenameResult {
    std::vector<Edit> edits;
    std::string refused;  // why not, when it cannot be renamed
};
// Renaming the project name at a place: every occurrence in every file.
// Refused for the runtime's names, the pseudo-rooms and a new name that is
// no name, or that the project declares already.
RenameResult rename(const LanguageProject& project, const std::string& file, std::size_t line,
                    std::size_t byte, const std::string& new_name);
// The name at a place when it can be renamed, else why not.
RenameResult prepare_rename(const LanguageProject& project, const std::string& file,
                            std::size_t line, std::size_t byte, Place& name);

struct HoverText {
    std::string markdown;
    Place where;
};
std::optional<HoverText> hover(const LanguageProject& project, const std::string& file,
                               std::size_t line, std::size_t byte);

struct Symbol {
    std::string name;
    std::string detail;
    enum class Kind { room, object, message, variable, function } kind = Kind::object;
    Place where;                 // the name
    std::size_t first_line = 0;  // the whole declaration, from 0
    std::size_t last_line = 0;   // its last line
};
// The outline of one file.
std::vector<Symbol> document_symbols(const LanguageProject& project, const std::string& file);
// The project's symbols whose names hold `query` (letters in any case).
std::vector<Symbol> workspace_symbols(const LanguageProject& project, const std::string& query);

// A fix for a "did you mean" note: the unknown word and what it should be.
struct QuickFix {
    std::string title;  // "Cambia in _banco_"
    Edit edit;
};
// The fix a diagnostic's "did you mean" note offers, when it has one and the
// word is found at the diagnostic's place.
std::optional<QuickFix> quick_fix(const LanguageProject& project, const Diagnostic& diagnostic,
                                  const Place& at);

// The pseudo-rooms an object's ":room:" may name besides the rooms.
inline constexpr std::string_view pseudo_rooms[] = {"_rOUT_", "_rTAKEN_", "_rWORN_"};

}  // namespace quenlo::language
