#include "checks/script_calls.h"
#include "foundation/text.h"
#include "model/object_keys.h"
#include "model/read_sources.h"

namespace quenlo {

namespace {

bool is_object_header(std::string_view line) {
    return count_code_points(line) > 4 && line.starts_with("{_") && line.ends_with("_}");
}

// What ends a menu's code: a property key alone on its line, or an object header.
bool ends_menu(std::string_view line) {
    const bool property_key = line.starts_with(':') && line.ends_with(':');
    const bool object_header =
        line.starts_with("{_") && line.ends_with("_}") && count_code_points(line) >= 5;
    return property_key || object_header;
}

bool is_comment(std::string_view line) {
    return line.size() > 1 && line.starts_with("//");
}

// The verb of a menu line '++"verb";' or '-"verb";', as the player sees it.
std::optional<std::string> menu_verb(std::string_view line) {
    if (!line.ends_with("\";")) return std::nullopt;
    for (const std::string_view head : {"++\"", "-\""})
        if (line.starts_with(head) && line.size() >= head.size() + 2)
            return std::string(line.substr(head.size(), line.size() - head.size() - 2));
    return std::nullopt;
}

void add_found_names(const SourceFile& file, std::size_t line, std::string_view value,
                     ObjectDecl& object) {
    for (std::size_t start = 0; start <= value.size();) {
        const std::size_t end = std::min(value.find_first_of(",|", start), value.size());
        const std::string_view name = trim_view(value.substr(start, end - start));
        if (!name.empty())
            object.found.push_back({std::string(name), range_of(file.lines, line, name)});
        start = end + 1;
    }
}

// The game names of a line of menu code, which is JavaScript.
void add_menu_names(const std::string& line, std::size_t index, ObjectDecl& object) {
    for (const NamePlace& name : scan_script_uses(line, {}).game_names)
        object.menu_names.push_back(
            {name.name, range_at_column(line, index, name.column, name.name.size())});
}

class ObjectReader {
public:
    explicit ObjectReader(const SourceFile& file) : file_(file), lines_(file.lines) {}

    ObjectsReading read() {
        std::size_t i = 0;
        while (i < lines_.size() && !reading_.stop) read_line(i);
        if (!reading_.objects.empty()) reading_.objects.back().end_line = lines_.size();
        return std::move(reading_);
    }

private:
    void read_line(std::size_t& i) {
        const std::string_view line = trim_view(lines_[i]);
        if (line.empty() || line.starts_with("//")) {
            ++i;
        } else if (line.starts_with("{_")) {
            if (!line.ends_with("_}")) {
                reading_.stop = problem_at(file_, i, "syntax error: " + std::string(line));
                return;
            }
            if (!reading_.objects.empty()) reading_.objects.back().end_line = i;
            ObjectDecl& object = reading_.objects.emplace_back();
            const std::string_view id = trim_view(line.substr(1, line.size() - 2));
            object.id = {std::string(id), range_of(lines_, i, id)};
            object.header_line = i++;
        } else if (reading_.objects.empty()) {
            ++i;
        } else if (line == menu_key) {
            read_menu(i);
        } else if (const PropertyKey* key = property_key_of(line)) {
            read_property(i, *key, line);
        } else {
            ObjectItem item{ObjectItem::Kind::flags, {}, std::string(line), i, i + 1, {}};
            item.value_range = range_of(lines_, i, line);
            reading_.objects.back().items.push_back(std::move(item));
            ++i;
        }
    }

    void read_property(std::size_t& i, const PropertyKey& key, std::string_view line) {
        ObjectDecl& object = reading_.objects.back();
        const std::string_view rest = trim_view(line.substr(key.key.size()));
        ObjectItem item{ObjectItem::Kind::property, std::string(key.key), std::string(rest), i, 0,
                        range_of(lines_, i, rest)};
        const std::size_t at = i++;
        if (key.multi_line) {
            item.value = " " + item.value;
            for (; i < lines_.size(); ++i) {
                const std::string_view next = trim_view(lines_[i]);
                if (is_comment(next)) continue;
                if (next.empty() || next.starts_with(':') || is_object_header(next)) break;
                item.value += ' ';
                item.value.append(next);
            }
        }
        item.end_line = i;
        if (key.key == ":room:" && rest.starts_with('_'))
            object.room = {std::string(rest), item.value_range};
        if (key.key == ":direction:" && rest.starts_with('_'))
            object.direction = {std::string(rest), item.value_range};
        if (key.key == ":found:") add_found_names(file_, at, rest, object);
        object.items.push_back(std::move(item));
    }

    void read_menu(std::size_t& i) {
        ObjectDecl& object = reading_.objects.back();
        ObjectItem item{ObjectItem::Kind::menu, std::string(menu_key), {}, i, 0, {}};
        for (++i; i < lines_.size(); ++i) {
            const std::string_view line = trim_view(lines_[i]);
            if (line.empty() || is_comment(line)) continue;
            if (ends_menu(line)) break;
            item.menu_lines.push_back(i);
            if (const auto verb = menu_verb(line)) object.menu_verbs.push_back(*verb);
            add_menu_names(lines_[i], i, object);
        }
        item.end_line = i;
        object.items.push_back(std::move(item));
    }

    const SourceFile& file_;
    const std::vector<std::string>& lines_;
    ObjectsReading reading_;
};

}  // namespace

ObjectsReading read_objects(const SourceFile& file) {
    return ObjectReader(file).read();
}

}  // namespace quenlo
