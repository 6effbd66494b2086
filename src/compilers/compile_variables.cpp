#include "compilers/compile_variables.h"

#include <array>
#include <string>

#include "checks/definition_name.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/project_limits.h"
#include "foundation/text.h"
#include "model/project_reading.h"

namespace quenlo {

void compile_variables(Build& build) {
    const SourceFile& file = build.sources.file("variables.qnv");
    build.log.log_line("%Merge file: " + file.path);
    const VariablesReading& reading = project_model(build).variables;
    if (reading.stop) throw error_from(*reading.stop);

    build.lstvar.assign(variable_count, std::string());
    std::array<const VariableDecl*, variable_count> declarations{};
    for (const VariableDecl& variable : reading.variables) {
        build.lstvar[variable.index] = variable.name.text;
        declarations[variable.index] = &variable;
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
        const VariableDecl& variable = *declarations[index];
        initialisation +=
            "window.g_var[" + std::to_string(index) + "]=" + std::to_string(variable.value) + ";";
        initialisation += crlf;
        const auto declaration = [&] { return place_of(file, variable.name.range); };
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
