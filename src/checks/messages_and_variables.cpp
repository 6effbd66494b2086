#include "checks/messages_and_variables.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "checks/escape_text.h"
#include "foundation/build.h"
#include "foundation/parse_integer.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

constexpr int last_fixed_message = 50;
constexpr int last_message = 99;
constexpr int message_header_room = 100;  // rows of `message_headers`

bool named(const Build& build, const std::string& name) {
    return build.text_names.contains(name) ||
           std::any_of(build.script_uses.begin(), build.script_uses.end(),
                       [&](const ScriptUses& uses) { return uses.names.contains(name); });
}

bool message_empty(const Build& build, int n) {
    return trim(string_value(build.message(static_cast<std::size_t>(n)))).empty();
}

// The fixed messages whose emptiness is a choice the game knows: 16 is free,
// an empty 36 hides the completion line (and its unit 37), an empty 41 (or
// "...") means no custom room (whose button is 42), an empty 49 no undo; the
// map button 43 shows only with maps.
bool may_be_empty(const Build& build, int n) {
    switch (n) {
        case 16:
        case 36:
        case 41:
        case 49:
            return true;
        case 37:
            return message_empty(build, 36);
        case 42: {
            const std::string room = trim(string_value(build.message(41)));
            return room.empty() || room == "...";
        }
        case 43:
            return !build.map_enabled;
        default:
            return false;
    }
}

// Where message `n` is, or where it would go: before the next message the
// file holds, else after the last one, else at the file's first line.
SourceLocation message_place(const Build& build, int n) {
    const std::vector<SourceLocation>& headers = build.message_headers;
    if (headers.size() < message_header_room) return {};
    if (headers[n].known()) return headers[n];
    for (int k = n + 1; k <= last_message; ++k)
        if (headers[k].known()) return headers[k];
    for (int k = n - 1; k > 0; --k)
        if (headers[k].known()) return headers[k];
    return headers[0];
}

void warn_about_fixed_messages(Build& build) {
    for (int n = 1; n <= last_fixed_message; ++n) {
        if (!message_empty(build, n) || may_be_empty(build, n)) continue;
        const bool written =
            build.message_headers.size() >= message_header_room && build.message_headers[n].known();
        build.warn("fixed message " + std::to_string(n) + (written ? " is empty" : " is missing") +
                       ": the game shows an empty text where it uses it",
                   message_place(build, n), "missing-message");
    }
}

// The messages above 50 that scripts read by number with f_gmes; false when
// one is read in a way no check can follow (a computed number, g_mes itself,
// a call written in a text).
bool messages_read(const Build& build, std::unordered_set<int>& read) {
    if (named(build, "g_mes") || build.text_names.contains("f_gmes")) return false;
    for (const ScriptUses& uses : build.script_uses)
        for (const ScriptCall& call : uses.calls) {
            if (call.function != "f_gmes") continue;
            if (call.arguments.size() != 1 ||
                call.arguments[0].kind != ScriptArgument::Kind::number)
                return false;
            if (const auto number = parse_integer(call.arguments[0].value)) read.insert(*number);
        }
    return true;
}

void warn_about_unused_messages(Build& build) {
    std::unordered_set<int> read;
    if (!messages_read(build, read)) return;
    // A project that reads none of its own messages is not told about each:
    // only a project that reads some has one it forgot or misnumbered.
    if (std::none_of(read.begin(), read.end(), [](int n) { return n > last_fixed_message; }))
        return;
    for (int n = last_fixed_message + 1; n <= last_message; ++n) {
        if (message_empty(build, n) || read.contains(n)) continue;
        build.warn("message " + std::to_string(n) + " is never used: no f_gmes(" +
                       std::to_string(n) + ") reads it",
                   message_place(build, n), "unused-message");
    }
}

// A variable is used where any name of a script or a text holds it: the
// names are replaced by their array places wherever they occur.
void warn_about_unused_variables(Build& build) {
    if (named(build, "g_var") || named(build, "g_variableids")) return;
    std::vector<const std::string*> names;
    for (const std::string& name : build.text_names) names.push_back(&name);
    for (const ScriptUses& uses : build.script_uses)
        for (const std::string& name : uses.names) names.push_back(&name);
    // Variable 0 is the completion the game shows itself.
    for (std::size_t n = 1; n < build.lstvar.size(); ++n) {
        const std::string& variable = build.lstvar[n];
        if (variable.empty() || named(build, variable) ||
            std::any_of(names.begin(), names.end(), [&](const std::string* name) {
                return name->find(variable) != std::string::npos;
            }))
            continue;
        const Symbol* declared = build.symbols.find(variable);
        if (!declared) continue;
        build.warn("variable " + variable + " is never used: no script or text names it",
                   declared->where, "unused-variable");
    }
}

}  // namespace

void warn_about_messages_and_variables(Build& build) {
    warn_about_fixed_messages(build);
    warn_about_unused_messages(build);
    warn_about_unused_variables(build);
}

}  // namespace quenlo
