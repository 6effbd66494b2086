// The two files of numbered declarations: messages and variables.

#include "foundation/parse_integer.h"
#include "foundation/project_limits.h"
#include "foundation/text.h"
#include "model/read_sources.h"

namespace quenlo {

namespace {

// "{7}", "{07}", "{ 7}": a brace pair of at most four characters in all.
bool is_message_header(std::string_view line) {
    return line.size() >= 2 && line.front() == '{' && line.back() == '}' &&
           count_code_points(line) <= 4;
}

struct Declaration {
    int index = 0;
    std::string name;
    int value = 0;
};

// "1:_vMOVES_=0"; nothing when the line breaks any rule of the format.
std::optional<Declaration> parse_declaration(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    Declaration d;
    const auto index = parse_integer(line.substr(0, colon));
    if (!index || *index < 0 || *index >= variable_count) return std::nullopt;
    d.index = *index;

    const std::string_view rest = trim_view(line.substr(colon + 1));
    const std::size_t equals = rest.find('=');
    if (equals != std::string_view::npos) {
        const auto value = parse_integer(trim_view(rest.substr(equals + 1)));
        if (!value || *value < 0 || *value > largest_initial_value) return std::nullopt;
        d.value = *value;
    }
    d.name = rest.substr(0, equals);  // blanks before "=" stay and spoil the name
    if (count_code_points(d.name) < 3 || d.name.front() != '_' || d.name.back() != '_')
        return std::nullopt;
    return d;
}

}  // namespace

Diagnostic problem_at(const SourceFile& file, std::size_t index, std::string text) {
    return {Severity::error, std::move(text), line_location(file.path, file.lines, index), {}, {}};
}

MessagesReading read_messages(const SourceFile& file) {
    MessagesReading reading;
    MessageDecl* current = nullptr;
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        const std::string_view line = trim_view(file.lines[i]);
        if (is_message_header(line)) {
            const auto number = parse_integer(trim_view(line.substr(1, line.size() - 2)));
            if (!number) {
                reading.stop = problem_at(file, i, "syntax error: " + std::string(line));
                return reading;
            }
            current = &reading.messages.emplace_back();
            current->number = *number;
            current->header_line = i;
        } else if (current && current->number > 0 && current->number < message_count) {
            current->joined.append(line);
            current->joined += ' ';
            current->lines.push_back(i);
        }
    }
    return reading;
}

VariablesReading read_variables(const SourceFile& file) {
    VariablesReading reading;
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        const std::string_view line = trim_view(file.lines[i]);
        if (line.empty() || line.starts_with("//")) continue;
        const auto fail = [&](std::string text, std::vector<Note> notes = {}) {
            reading.stop = problem_at(file, i, std::move(text));
            reading.stop->notes = std::move(notes);
            return reading;
        };
        const auto declaration = parse_declaration(line);
        if (!declaration) return fail("syntax error: " + std::string(line));
        for (const VariableDecl& earlier : reading.variables)
            if (earlier.index == declaration->index)
                return fail("duplicated variable index: " + std::to_string(declaration->index));
        for (const VariableDecl& earlier : reading.variables)
            if (earlier.name.text == declaration->name)
                return fail("duplicated variable: " + declaration->name,
                            {{"first declared here", place_of(file, earlier.name.range)}});
        reading.variables.push_back(
            {declaration->index,
             {declaration->name, range_of(file.lines, i, declaration->name)},
             declaration->value,
             i});
    }
    return reading;
}

}  // namespace quenlo
