#pragma once
// Every failure of a build travels as this error, carrying the exact text the
// author is shown. A stop request raises it with an empty text; the pipeline
// tells a stop from other failures by the stop flag, never by the text.
// When the fault lies in a project file, the error also carries its place, or
// one place for each offending line.

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "foundation/diagnostic.h"
#include "foundation/source_location.h"

namespace quenlo {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
    Error(const std::string& message, SourceLocation where) : std::runtime_error(message) {
        locate(std::move(where));
    }
    Error(const std::string& message, std::vector<SourceLocation> places)
        : std::runtime_error(message), places_(std::move(places)) {}

    const std::vector<SourceLocation>& locations() const { return places_; }
    // Related places that explain the first one: a first definition, a
    // near name the author may have meant.
    const std::vector<Note>& notes() const { return notes_; }
    Error& note(std::string text, SourceLocation where) {
        notes_.push_back({std::move(text), std::move(where)});
        return *this;
    }

    // Gives the error a place unless it has one already: the innermost step
    // that knew where it was tells it best.
    void locate(SourceLocation where) {
        if (places_.empty() && where.known()) places_.push_back(std::move(where));
    }

private:
    std::vector<SourceLocation> places_;
    std::vector<Note> notes_;
};

// The error a diagnostic tells, with its place and notes.
inline Error error_from(const Diagnostic& diagnostic) {
    Error error(diagnostic.text, diagnostic.where);
    for (const Note& note : diagnostic.notes) error.note(note.text, note.where);
    return error;
}

// Runs `step`; an error it raises without a place gets the place `where()`.
// For steps whose checks know the text but not the line it came from.
template <typename Where, typename Step>
decltype(auto) locating_errors(Where&& where, Step&& step) {
    try {
        return step();
    } catch (Error& error) {
        error.locate(where());
        throw;
    }
}

}  // namespace quenlo
