#include "language/runtime_functions.h"

#include "foundation/base_script.h"
#include "foundation/text.h"

namespace quenlo::language {

namespace {

bool is_word(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Reads "f_name(a, b)" at `at`; advances past it, or returns false.
bool read_signature(std::string_view line, std::size_t& at, RuntimeFunction& function) {
    if (line.substr(at, 2) != "f_") return false;
    std::size_t end = at;
    while (end < line.size() && is_word(line[end])) ++end;
    if (end >= line.size() || line[end] != '(') return false;
    const std::size_t close = line.find(')', end);
    if (close == std::string_view::npos) return false;
    function.name = std::string(line.substr(at, end - at));
    function.signature = std::string(line.substr(at, close + 1 - at));
    std::string_view params = line.substr(end + 1, close - end - 1);
    while (!params.empty()) {
        const std::size_t comma = params.find(',');
        const std::string param = trim(params.substr(0, comma));
        if (!param.empty()) function.parameters.push_back(param);
        if (comma == std::string_view::npos) break;
        params.remove_prefix(comma + 1);
    }
    at = close + 1;
    return true;
}

}  // namespace

std::vector<RuntimeFunction> read_runtime_functions(const std::vector<std::string>& reference) {
    std::vector<RuntimeFunction> functions;
    std::size_t group = 0;  // the first function of the group being read
    bool group_has_text = false;
    for (const std::string& raw : reference) {
        const std::string_view line = raw;
        const std::size_t indent = line.find_first_not_of(' ');
        if (indent == std::string_view::npos) {
            group = functions.size();
            group_has_text = true;  // a blank line ends the group
            continue;
        }
        std::string text;
        if (indent == 2 && line.substr(2, 2) == "f_") {
            if (group_has_text) group = functions.size();
            std::size_t at = 2;
            RuntimeFunction function;
            while (read_signature(line, at, function)) {
                functions.push_back(function);
                function = {};
                while (at < line.size() && (line[at] == ',' || line[at] == ' ')) ++at;
            }
            text = trim(line.substr(at));
            group_has_text = !text.empty();
        } else if (indent > 2 && group < functions.size()) {
            text = trim(line);
            group_has_text = true;
        } else {
            group = functions.size();
            group_has_text = true;
            continue;
        }
        if (text.empty()) continue;
        for (std::size_t i = group; i < functions.size(); ++i) {
            std::string& description = functions[i].description;
            if (!description.empty()) description += ' ';
            description += text;
        }
    }
    return functions;
}

const std::vector<RuntimeFunction>& runtime_functions() {
    static const std::vector<RuntimeFunction> functions = [] {
        const auto reference = BaseScript().section_lines("#REFERENCE");
        return reference ? read_runtime_functions(*reference) : std::vector<RuntimeFunction>{};
    }();
    return functions;
}

ParameterKind parameter_kind(std::string_view parameter) {
    if (parameter.starts_with("ogg")) return ParameterKind::object;
    if (parameter == "stanza") return ParameterKind::room;
    if (parameter == "verbo") return ParameterKind::verb;
    return ParameterKind::other;
}

}  // namespace quenlo::language
