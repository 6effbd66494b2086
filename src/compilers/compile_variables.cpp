#include "compilers/compile_variables.h"

#include <array>
#include <string>

#include "checks/definition_name.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/parse_integer.h"
#include "foundation/project_files.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

constexpr int variable_count = 100;
constexpr int largest_initial_value = 65533;  // what a saved game can keep

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

void compile_variables(Build& build) {
    const SourceFile& file = build.sources.file("variables.qnv");
    const std::string& path = file.path;
    const std::vector<std::string>& lines = file.lines;
    build.log.log_line("%Merge file: " + path);

    build.lstvar.assign(variable_count, std::string());
    std::array<std::string, variable_count> initialisations;
    std::array<std::size_t, variable_count> declared_at{};  // line index of each declaration
    for (std::size_t i = 0; i < lines.size(); ++i) {
        build.poll_stop();
        const std::string_view line = trim_view(lines[i]);
        if (line.empty() || line.starts_with("//")) continue;
        const auto here = [&] { return line_location(path, lines, i); };
        const auto declaration = parse_declaration(line);
        if (!declaration) throw Error("syntax error: " + std::string(line), here());
        const auto& [index, name, value] = *declaration;
        if (!build.lstvar[index].empty())
            throw Error("duplicated variable index: " + std::to_string(index), here());
        for (std::size_t earlier = 0; earlier < build.lstvar.size(); ++earlier)
            if (build.lstvar[earlier] == name)
                throw Error("duplicated variable: " + name, here())
                    .note("first declared here",
                          line_location(path, lines, declared_at[earlier],
                                        column_of(lines[declared_at[earlier]], name)));
        build.lstvar[index] = name;
        declared_at[index] = i;
        initialisations[index] =
            "window.g_var[" + std::to_string(index) + "]=" + std::to_string(value) + ";";
    }

    std::string initialisation;
    std::string names;
    for (int index = 0; index < variable_count; ++index) {
        build.poll_stop();
        const std::string& name = build.lstvar[index];
        if (name.empty()) {
            names += "'',";
            names += crlf;
            continue;
        }
        initialisation += initialisations[index];
        initialisation += crlf;
        const auto declaration = [&] {
            return line_location(path, lines, declared_at[index],
                                 column_of(lines[declared_at[index]], name));
        };
        locating_errors(declaration, [&] { check_definition_name(name); });
        build.symbols.declare({name, SymbolKind::variable, declaration()});
        names += "'" + name + "',";
        names += crlf;
        build.log.log_line("Added variable: " + std::to_string(index) + ":" + name);
    }
    replace_all_in_place(build.page, "___INITIALIZATION___", initialisation);
    replace_all_in_place(build.page, "___VARIABLEIDS___", names);
}

}  // namespace quenlo
