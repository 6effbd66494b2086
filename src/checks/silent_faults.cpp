#include "checks/silent_faults.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "checks/messages_and_variables.h"
#include "checks/verbs_offered.h"
#include "foundation/build.h"

namespace quenlo {

namespace {

// The player carries up to this much unless a script changes the limit.
constexpr int default_weight_limit = 100;

// The names that calls of `functions` give as argument `argument` (any
// argument when it is npos). False when some such argument is no plain text:
// a script computes it, and no warning may then guess.
bool named_by_calls(const Build& build, std::initializer_list<std::string_view> functions,
                    std::size_t argument, std::unordered_set<std::string>& names) {
    for (const ScriptUses& uses : build.script_uses)
        for (const ScriptCall& call : uses.calls) {
            if (std::find(functions.begin(), functions.end(), call.function) == functions.end())
                continue;
            for (std::size_t k = 0; k < call.arguments.size(); ++k) {
                if (argument != std::string::npos && k != argument) continue;
                const ScriptArgument& given = call.arguments[k];
                if (given.kind != ScriptArgument::Kind::text) return false;
                names.insert(given.value);
            }
        }
    return true;
}

bool scripts_use(const Build& build, const std::string& name) {
    return std::any_of(build.script_uses.begin(), build.script_uses.end(),
                       [&](const ScriptUses& uses) { return uses.names.contains(name); });
}

void warn_about_unreachable_rooms(Build& build) {
    std::unordered_set<std::string> entered;
    if (!named_by_calls(build, {"f_moveplayer"}, 0, entered)) return;
    std::unordered_set<int> led_to;
    for (const ObjectFacts& object : build.objects)
        if (object.direction > 0) led_to.insert(object.direction);
    for (int n = 1; n < static_cast<int>(build.lstroom.size()); ++n) {
        const std::string& room = build.lstroom[n];
        if (room.empty() || n == build.start_room || led_to.contains(n) || entered.contains(room))
            continue;
        const Symbol* declared = build.symbols.find(room);
        if (!declared) continue;
        build.warn("room " + room + " cannot be reached: no exit, link or f_moveplayer leads to it",
                   declared->where, "unreachable-room");
    }
}

void warn_about_objects_never_in_play(Build& build) {
    std::unordered_set<std::string> brought;
    if (!named_by_calls(build, {"f_move", "f_givetoplayer", "f_putonplayer"}, 0, brought) ||
        !named_by_calls(build, {"f_swap"}, std::string::npos, brought))
        return;
    for (const ObjectFacts& object : build.objects)
        brought.insert(object.found_names.begin(), object.found_names.end());
    for (const ObjectFacts& object : build.objects) {
        if (object.fixed || object.exit || object.room != 0 || brought.contains(object.id))
            continue;
        build.warn("object " + object.id +
                       " starts out of play (_rOUT_) and nothing brings it in: no :found:, f_move, "
                       "f_givetoplayer, f_putonplayer or f_swap names it",
                   object.where, "never-in-play");
    }
}

void warn_about_objects(Build& build) {
    const bool limit_changed = scripts_use(build, "g_max_weight");
    for (const ObjectFacts& object : build.objects) {
        if (object.exit && object.direction == 0)
            build.warn("exit object " + object.id + " has no :direction:", object.where,
                       "exit-without-direction");
        if (object.found.known() && !object.examinable)
            build.warn("object " + object.id +
                           " is not examinable, so what its :found: names is never found",
                       object.found, "found-not-examinable");
        if (object.takeable && !limit_changed && object.weight > default_weight_limit)
            build.warn("object " + object.id + " weighs " + std::to_string(object.weight) +
                           ", more than the player can ever carry (" +
                           std::to_string(default_weight_limit) + ")",
                       object.where, "too-heavy");
    }
}

}  // namespace

void warn_about_silent_faults(Build& build) {
    warn_about_unreachable_rooms(build);
    warn_about_objects_never_in_play(build);
    warn_about_objects(build);
    warn_about_verbs_never_offered(build);
    warn_about_messages_and_variables(build);
}

}  // namespace quenlo
