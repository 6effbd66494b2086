#pragma once
// The runtime's functions (f_moveplayer, f_action, ...) as the authoring
// reference lists them: each with its parameters and its line of explanation,
// for completion, hover and the names rename must leave alone.

#include <string>
#include <string_view>
#include <vector>

namespace quenlo::language {

struct RuntimeFunction {
    std::string name;                     // "f_moveplayer"
    std::string signature;                // "f_moveplayer(stanza)"
    std::vector<std::string> parameters;  // {"stanza"}
    std::string description;              // its explanation, lines joined
};

// The functions of the reference's lines: a line "  f_name(params)  text"
// starts a function, further "f_" names before the text share it, and the
// lines indented under it go on with the text.
std::vector<RuntimeFunction> read_runtime_functions(const std::vector<std::string>& reference);

// The functions of the reference the program carries.
const std::vector<RuntimeFunction>& runtime_functions();

// What a parameter named so takes: "ogg", "ogg1" an object, "stanza" a room,
// "verbo" a verb, anything else nothing the project declares.
enum class ParameterKind { object, room, verb, other };
ParameterKind parameter_kind(std::string_view parameter);

}  // namespace quenlo::language
