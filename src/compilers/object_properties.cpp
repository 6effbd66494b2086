#include "compilers/object_properties.h"

#include <algorithm>
#include <optional>

#include "checks/escape_text.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/parse_integer.h"
#include "foundation/symbol_table.h"
#include "foundation/text.h"

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

bool is_object_header(std::string_view line) {
    return count_code_points(line) > 4 && line.starts_with("{_") && line.ends_with("_}");
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

bool read_multiline_property(Build& build, const std::vector<std::string>& lines,
                             std::string_view key, std::size_t& index, std::string_view line,
                             std::string& field) {
    if (!line.starts_with(key)) return false;
    std::string value = " ";
    value.append(trim_view(line.substr(key.size())));
    while (++index < lines.size()) {
        build.poll_stop();
        const std::string_view next = trim_view(lines[index]);
        if (next.size() > 1 && next.starts_with("//")) continue;
        if (next.empty() || next.starts_with(':') || is_object_header(next)) break;
        value += ' ';
        value.append(next);
    }
    field = escape_text(value);
    return true;
}

bool read_property(Build& build, const std::vector<std::string>& lines, std::size_t& index,
                   std::string_view line, ObjectRecord& object, std::vector<FoundName>& found) {
    struct MultiLine {
        std::string_view key;
        std::string ObjectRecord::*field;
    };
    static constexpr MultiLine multi_line[] = {
        {":desc.examine:", &ObjectRecord::desc_examine},
        {":desc.found:", &ObjectRecord::desc_found},
        {":desc.talk:", &ObjectRecord::desc_talk},
        {":desc.next.talk:", &ObjectRecord::desc_next_talk},
    };
    const auto value_after = [&](std::string_view key) {
        return trim_view(line.substr(key.size()));
    };

    if (line.starts_with(":room:")) {
        object.room = room_value(build, value_after(":room:"));
    } else if (line.starts_with(":direction:")) {
        object.direction = direction_value(build, value_after(":direction:"));
    } else if (line.starts_with(":weight.worn:")) {
        object.weight_worn = integer_value(value_after(":weight.worn:"));
    } else if (line.starts_with(":weight:")) {
        object.weight = integer_value(value_after(":weight:"));
    } else if (line.starts_with(":tag:")) {
        object.tag = integer_value(value_after(":tag:"));
    } else if (line.starts_with(":desc.short:")) {
        object.desc_short = escape_text(value_after(":desc.short:"));
    } else if (line.starts_with(":desc.long:")) {
        object.desc_long = escape_text(value_after(":desc.long:"));
    } else {
        for (const MultiLine& property : multi_line)
            if (read_multiline_property(build, lines, property.key, index, line,
                                        object.*property.field))
                return true;  // `index` is on the line that ended the value
        if (line.starts_with(":desc.direction:")) {
            object.desc_direction = escape_text(value_after(":desc.direction:"));
        } else if (line.starts_with(":found:")) {
            object.found = found_value(value_after(":found:"), index, found);
        } else {
            return false;
        }
    }
    ++index;
    return true;
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
    std::string rest(line);
    if (line.starts_with(':') && line.size() > 1) {
        rest.erase(0, 1);
        for (const Flag& flag : flags) {
            if (line.find(flag.word) == std::string_view::npos) continue;
            // Flags only switch on: a later "takeable" keeps a wearable object wearable.
            object.*flag.field = std::max(object.*flag.field, flag.value);
            replace_all_in_place(rest, flag.word, "");
        }
    }
    const std::string_view left = trim_view(rest);
    if (left.empty()) return;
    Error error("unknown object property: " + std::string(left));
    // A misspelt flag or property key: the word the author may have meant.
    static const std::vector<std::string_view> known = {
        "examinable",       "usable",           "takeable",       "wearable",     "talkable",
        ":room:",           ":direction:",      ":weight.worn:",  ":weight:",     ":tag:",
        ":desc.short:",     ":desc.long:",      ":desc.examine:", ":desc.found:", ":desc.talk:",
        ":desc.next.talk:", ":desc.direction:", ":found:",        ":menu:"};
    const std::string_view word = trim_view(line).substr(0, trim_view(line).find(' '));
    const bool key = word.size() > 1 && word.ends_with(':');
    if (const auto meant = nearest_name(key ? word : left.substr(0, left.find(' ')), known))
        error.note("did you mean " + *meant + "?", {});
    throw error;
}

}  // namespace quenlo
