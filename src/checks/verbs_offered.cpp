#include "checks/verbs_offered.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "checks/escape_text.h"
#include "foundation/build.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

// The verbs of a new project's messages. A project that renames a verb and
// still tests the old word is taken at its word: its test names the built-in
// verb, which is not the fault this check is about.
constexpr std::pair<int, std::string_view> default_verbs[] = {
    {18, "usa con"}, {19, "esamina"}, {20, "prendi"}, {21, "lascia"},
    {22, "indossa"}, {23, "togli"},   {25, "vai"},    {44, "parla con"},
};

// Names a script can change the menus with; where one is used, no check can
// tell what a menu offers.
constexpr std::string_view menu_changers[] = {
    "f_additem",  "f_getmenus",   "f_createdefaultobjsubmenu",
    "o_usable",   "o_examinable", "o_takeable",
    "o_talkable", "o_direction",  "o_dd",
    "g_use_",     "g_examine_",   "g_take_",
    "g_leave_",   "g_wear_",      "g_takeoff_",
    "g_go_",      "g_talk_",
};

// Letters to lower case as the browser does for the Latin letters: ASCII and
// the accented capitals of UTF-8 ("È" is C3 88, "è" C3 A8).
std::string fold_case(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            const auto d = static_cast<unsigned char>(out[++i]);
            if (d >= 0x80 && d <= 0x9E && d != 0x97) out[i] = static_cast<char>(d + 0x20);
        }
    }
    return out;
}

bool scripts_use(const Build& build, std::string_view name) {
    return std::any_of(
        build.script_uses.begin(), build.script_uses.end(),
        [&](const ScriptUses& uses) { return uses.names.contains(std::string(name)); });
}

// The objects that scripts may give to the player, who can then leave them
// and take them off; `all` when a script names one it computes.
struct Carried {
    std::unordered_set<std::string> names;
    bool all = false;
};

Carried carried_by_scripts(const Build& build) {
    Carried carried;
    for (const ScriptUses& uses : build.script_uses)
        for (const ScriptCall& call : uses.calls) {
            const bool every_argument = call.function == "f_swap";
            if (!every_argument && call.function != "f_move" && call.function != "f_givetoplayer" &&
                call.function != "f_putonplayer")
                continue;
            for (std::size_t k = 0; k < call.arguments.size() && (every_argument || k == 0); ++k) {
                if (call.arguments[k].kind != ScriptArgument::Kind::text) carried.all = true;
                carried.names.insert(fold_case(call.arguments[k].value));
            }
        }
    return carried;
}

class VerbsOffered {
public:
    explicit VerbsOffered(const Build& build) : build_(build), carried_(carried_by_scripts(build)) {
        for (const ObjectFacts& object : build.objects)
            objects_.emplace(fold_case(object.id), &object);
    }

    // The object an f_action argument names (compared as f_action does), or null.
    const ObjectFacts* object(const ScriptArgument& argument) const {
        if (argument.kind != ScriptArgument::Kind::text) return nullptr;
        const auto found = objects_.find(fold_case(argument.value));
        return found == objects_.end() ? nullptr : found->second;
    }

    bool offers(const ObjectFacts& object, const std::string& verb) const {
        if (std::find(object.verbs.begin(), object.verbs.end(), verb) != object.verbs.end())
            return true;
        std::vector<int> messages = object.verb_messages;
        if (carried_.all || carried_.names.contains(fold_case(object.id)))
            messages.insert(messages.end(), {21, 23});  // leave, take off
        return std::any_of(messages.begin(), messages.end(), [&](int n) {
            if (verb == verb_key(build_.message(n))) return true;
            return std::any_of(
                std::begin(default_verbs), std::end(default_verbs),
                [&](const auto& given) { return given.first == n && verb == given.second; });
        });
    }

private:
    const Build& build_;
    const Carried carried_;
    std::unordered_map<std::string, const ObjectFacts*> objects_;
};

}  // namespace

std::string verb_key(std::string_view content) {
    return fold_case(trim(string_value(content)));
}

void warn_about_verbs_never_offered(Build& build) {
    for (const std::string_view name : menu_changers)
        if (scripts_use(build, name)) return;
    const VerbsOffered menus(build);
    for (const ScriptUses& uses : build.script_uses)
        for (const ScriptCall& call : uses.calls) {
            const std::vector<ScriptArgument>& given = call.arguments;
            if (call.function != "f_action" || given.size() < 2 || given.size() > 3 ||
                std::any_of(given.begin(), given.end(), [](const ScriptArgument& argument) {
                    return argument.kind != ScriptArgument::Kind::text;
                }))
                continue;
            const std::string verb = verb_key(escape_text(given[1].value));
            // An identifier is the verb of an item that stands for an object.
            if (verb.empty() || (verb.size() > 1 && verb.front() == '_' && verb.back() == '_'))
                continue;
            // With three arguments either object may be the one touched.
            std::vector<const ObjectFacts*> touched;
            for (std::size_t k = 0; k < given.size(); k += 2)
                if (const ObjectFacts* object = menus.object(given[k])) touched.push_back(object);
            if (touched.empty() ||
                std::any_of(touched.begin(), touched.end(), [&](const ObjectFacts* object) {
                    return !object->verbs_known || menus.offers(*object, verb);
                }))
                continue;
            std::string names = touched.front()->id;
            if (touched.size() > 1) names += " or " + touched.back()->id;
            SourceLocation where = build.sources.location(uses.file, call.line);
            where.column = call.column;
            build.warn("f_action tests the verb \"" + given[1].value + "\" on " + names +
                           ", but neither its :menu: nor the built-in verbs ever offer it",
                       std::move(where), "verb-not-offered");
        }
}

}  // namespace quenlo
