#include "compilers/object_properties.h"

#include <algorithm>
#include <optional>

#include "checks/escape_text.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/parse_integer.h"
#include "foundation/text.h"
#include "model/object_keys.h"

namespace quenlo {

namespace {

bool is_game_identifier(std::string_view value) {
    return !value.empty() && value.front() == '_' && value.back() == '_';
}

std::optional<int> room_index(const Build& build, std::string_view identifier) {
    for (std::size_t i = 0; i < build.lstroom.size(); ++i)
        if (build.lstroom[i] == identifier) return static_cast<int>(i);
    return std::nullopt;
}

Error unknown_room(std::string_view value) {
    return Error("unknown room: " + std::string(value));
}

int room_value(const Build& build, std::string_view value) {
    if (value == "_rOUT_") return 0;
    if (value == "_rTAKEN_") return -1;
    if (value == "_rWORN_") return -2;
    const auto number = is_game_identifier(value) ? room_index(build, value) : parse_integer(value);
    if (!number || *number < -2) throw unknown_room(value);
    return *number;
}

int direction_value(const Build& build, std::string_view value) {
    const auto number = is_game_identifier(value) ? room_index(build, value) : parse_integer(value);
    if (!number || *number < 0) throw unknown_room(value);
    return *number;
}

int integer_value(std::string_view value) {
    const auto number = parse_integer(value);
    if (!number) throw Error("'" + std::string(value) + "' is not a valid integer value");
    return *number;
}

std::string found_value(std::string_view value, std::size_t line, std::vector<FoundName>& names) {
    std::string found = replace_all(value, ",", "|");
    if (count_code_points(found) < 3 || !is_game_identifier(found))
        throw Error("unknown :found: object: " + found);
    for (std::size_t start = 0; start <= found.size();) {
        const std::size_t bar = std::min(found.find('|', start), found.size());
        if (bar > start) names.push_back({found.substr(start, bar - start), line});
        start = bar + 1;
    }
    return found;
}

void quoted(std::string& out, std::string_view value) {
    out += '\'';
    out.append(value);
    out += "',";
}

void number(std::string& out, int value) {
    out += std::to_string(value);
    out += ',';
}

}  // namespace

std::string addobj_call(const ObjectRecord& o, ObjectKind kind) {
    std::string out = "f_addobj(";
    quoted(out, o.id);
    quoted(out, o.desc_short);
    quoted(out, o.desc_long);
    quoted(out, o.desc_examine);
    quoted(out, o.desc_found);
    quoted(out, o.desc_direction);
    number(out, static_cast<int>(kind));
    number(out, o.room);
    quoted(out, "I*");
    number(out, o.direction);
    number(out, o.weight);
    number(out, o.weight_worn);
    number(out, o.examinable);
    number(out, o.usable);
    number(out, o.takeable);
    quoted(out, o.found);
    number(out, o.tag);
    number(out, 0);  // the runtime's state bits start clear
    number(out, o.talkable);
    quoted(out, o.desc_talk);
    quoted(out, o.desc_next_talk);
    out.back() = ')';
    out += ';';
    return out;
}

void apply_property(const Build& build, const ObjectItem& item, ObjectRecord& object,
                    std::vector<FoundName>& found) {
    using Text = std::string ObjectRecord::*;
    using Number = int ObjectRecord::*;
    struct Key {
        std::string_view key;
        Text text = nullptr;
        Number number = nullptr;
    };
    static constexpr Key texts[] = {
        {":weight.worn:", nullptr, &ObjectRecord::weight_worn},
        {":weight:", nullptr, &ObjectRecord::weight},
        {":tag:", nullptr, &ObjectRecord::tag},
        {":desc.short:", &ObjectRecord::desc_short},
        {":desc.long:", &ObjectRecord::desc_long},
        {":desc.examine:", &ObjectRecord::desc_examine},
        {":desc.found:", &ObjectRecord::desc_found},
        {":desc.talk:", &ObjectRecord::desc_talk},
        {":desc.next.talk:", &ObjectRecord::desc_next_talk},
        {":desc.direction:", &ObjectRecord::desc_direction},
    };
    if (item.key == ":room:") {
        object.room = room_value(build, item.value);
    } else if (item.key == ":direction:") {
        object.direction = direction_value(build, item.value);
    } else if (item.key == ":found:") {
        object.found = found_value(item.value, item.line, found);
    } else {
        for (const Key& key : texts) {
            if (item.key != key.key) continue;
            if (key.text)
                object.*key.text = escape_text(item.value);
            else
                object.*key.number = integer_value(item.value);
        }
    }
}

void read_flags(std::string_view line, ObjectRecord& object) {
    struct Flag {
        std::string_view word;
        int ObjectRecord::*field;
        int value;
    };
    static constexpr Flag flags[] = {
        {"examinable", &ObjectRecord::examinable, 1}, {"usable", &ObjectRecord::usable, 1},
        {"takeable", &ObjectRecord::takeable, 1},     {"wearable", &ObjectRecord::takeable, 2},
        {"talkable", &ObjectRecord::talkable, 1},
    };
    if (line.starts_with(':') && line.size() > 1)
        for (const Flag& flag : flags)
            // Flags only switch on: a later "takeable" keeps a wearable object wearable.
            if (line.find(flag.word) != std::string_view::npos)
                object.*flag.field = std::max(object.*flag.field, flag.value);
    const std::string left = unknown_flag_text(line);
    if (left.empty()) return;
    Error error("unknown object property: " + left);
    // A misspelt flag or property key: the word the author may have meant.
    if (const auto meant = meant_flag_or_key(line, left))
        error.note("did you mean " + *meant + "?", {});
    throw error;
}

}  // namespace quenlo
