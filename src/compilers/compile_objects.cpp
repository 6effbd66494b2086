#include "compilers/compile_objects.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>

#include "checks/definition_name.h"
#include "checks/script_calls.h"
#include "checks/verbs_offered.h"
#include "compilers/compile_object_menus.h"
#include "compilers/object_properties.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/project_files.h"
#include "foundation/text.h"
#include "foundation/work_buffer.h"

namespace quenlo {

namespace {

constexpr std::size_t reserved_objects = 11;   // rows 0 to 10 of `lstobj`
constexpr std::size_t full_object_list = 299;  // a flush that finds this many rows fails
constexpr std::size_t object_rows = 300;
constexpr std::string_view sentinel_header = "{_$$$_}";

std::string ascii_upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names) out += (out.empty() ? "" : " ") + name;
    return out;
}

// The author's objects, then the exit objects declared by the room links, then
// a closing header that writes out the last object.
struct ObjectSource {
    std::vector<std::string> lines;
    std::size_t own_lines = 0;  // the first lines, those of "objects.qno" itself
};

class ObjectCompiler {
public:
    ObjectCompiler(Build& build, std::string path, const ObjectSource& source)
        : build_(build), path_(std::move(path)), source_(source) {
        for (std::size_t i = 0; i < source_.lines.size(); ++i) {
            const std::string_view line = trim_view(source_.lines[i]);
            if (line.size() > 3 && line.starts_with("{_") && line.ends_with("_}"))
                headers_.declare({std::string(trim_view(line.substr(1, line.size() - 2))),
                                  SymbolKind::object, place(i)});
        }
    }

    // Every object a room link names must be declared; a typo is told at the
    // link, before the object it was meant for is blamed for lacking its
    // descriptions.
    void check_linked_objects_declared() const {
        std::vector<std::string> missing;
        for (const std::string& id : build_.room_link_objects)
            if (!headers_.find(id)) missing.push_back(id);
        if (missing.empty()) return;
        const std::string rooms = build_.path("rooms.qnr");
        SourceLocation link = find_in_file(rooms, "|" + missing.front() + "}");
        if (link.column > 0) ++link.column;  // on the name, after its bar
        Error error("missing objects specification: " + joined(missing), link);
        if (const auto meant = headers_.nearest(missing.front()))
            error.note("did you mean " + *meant + "?", headers_.find(*meant)->where);
        throw error;
    }

    void scan() {
        const std::vector<std::string>& lines = source_.lines;
        std::size_t i = 0;
        while (i < lines.size()) {
            build_.poll_stop();
            const std::size_t at = i;
            locating_errors([&] { return place(at); }, [&] { return read_line(i); });
            if (done_) return;
        }
    }

    void finish() {
        std::string identifiers;
        if (build_.lstobj.size() < object_rows) build_.lstobj.resize(object_rows);
        for (std::size_t row = 0; row < object_rows; ++row) {
            build_.poll_stop();
            const std::string& id = build_.lstobj[row];
            if (id.empty()) {
                identifiers += "'',";
                identifiers += crlf;
                continue;
            }
            identifiers += "'" + id + "',";
            identifiers += crlf;
            for (FoundName& found : found_)
                if (found.name == id) found.name.clear();
            // The header's place is cheap; an exit's link is looked for only
            // when it is needed.
            const auto header = header_lines_.find(id);
            const SourceLocation declared =
                header == header_lines_.end() ? SourceLocation{} : place(header->second);
            if (const Symbol* earlier = build_.symbols.declare({id, SymbolKind::object, declared}))
                throw Error("duplicated definition: " + id, header_place(id))
                    .note("first declared here", earlier->where);
        }

        const auto unknown = std::find_if(found_.begin(), found_.end(), [](const FoundName& found) {
            return !found.name.empty();
        });
        if (unknown != found_.end())
            throw Error("unknown :found: objects specification: " + unknown_found_names(),
                        line_location(path_, source_.lines, unknown->line,
                                      column_of(source_.lines[unknown->line], unknown->name)));

        replace_all_in_place(build_.page, "___OBJECTS___", code_);
        replace_all_in_place(build_.page, "___OBJECTIDS___", identifiers);
    }

private:
    void read_line(std::size_t& i) {
        const std::vector<std::string>& lines = source_.lines;
        const std::string_view line = trim_view(lines[i]);
        if (line.empty() || line.starts_with("//")) {
            ++i;
        } else if (line.starts_with("{_")) {
            if (!line.ends_with("_}")) throw Error("syntax error: " + std::string(line));
            const std::string id(trim_view(line.substr(1, line.size() - 2)));
            if (open_) {
                locating_errors([&] { return object_place(header_, object_.id); },
                                [&] { flush(i); });
                if (i + 1 == lines.size()) {  // the closing header is never an object
                    done_ = true;
                    return;
                }
            }
            object_ = ObjectRecord{};
            object_.id = id;
            room_line_ = takeable_line_ = header_;
            found_start_ = found_.size();
            menu_verbs_ = MenuVerbs{};
            open_ = true;
            header_ = i;
            ++i;
            build_.log.log_line("Found new object: " + id);
        } else if (!open_) {
            ++i;
        } else if (line == ":menu:") {
            compile_menu_block(build_, lines, i, object_.id, menu_verbs_);
        } else {
            const std::size_t at = i;
            const int takeable = object_.takeable;
            if (read_property(build_, lines, i, line, object_, found_)) {
                if (line.starts_with(":room:")) room_line_ = at;
            } else {
                read_flags(line, object_);
                if (takeable == 0 && object_.takeable != 0) takeable_line_ = at;
                ++i;
            }
        }
    }

    // What is left of the ":found:" values once every object is taken out, as
    // "|" + value + "|" per line with bars as blanks: the names that are none.
    std::string unknown_found_names() const {
        std::string left;
        for (std::size_t k = 0; k < found_.size(); ++k) {
            const bool first_of_line = k == 0 || found_[k - 1].line != found_[k].line;
            if (first_of_line && k > 0) left += '|';  // closes the line before
            left += '|';
            left += found_[k].name;
        }
        if (!found_.empty()) left += '|';
        return trim(replace_all(left, "|", " "));
    }

    // Line `index` of the source when it is a line of "objects.qno"; the exit
    // objects that the room links declare have no line there.
    SourceLocation place(std::size_t index) const {
        if (index >= source_.own_lines) return {};
        return line_location(path_, source_.lines, index);
    }

    // The header of the object `id` at line `index`, or for an exit object
    // its link in "rooms.qnr": the last one, which a duplicate repeats.
    SourceLocation object_place(std::size_t index, const std::string& id) const {
        if (index < source_.own_lines) return place(index);
        const std::string rooms = build_.path("rooms.qnr");
        const std::string link = "|" + id + "|";
        SourceLocation last;
        for (SourceLocation next = find_in_file(rooms, link); next.column > 0;
             next = find_in_file(rooms, link, next.line + 1))
            last = next;
        if (last.column > 0) ++last.column;  // on the name, after its bar
        return last;
    }

    SourceLocation header_place(const std::string& id) const {
        const auto header = header_lines_.find(id);
        return header == header_lines_.end() ? SourceLocation{} : object_place(header->second, id);
    }

    // Writes out the open object, whose lines end before line `end`.
    void flush(std::size_t end) {
        const std::string& id = object_.id;
        if (build_.lstobj.size() >= full_object_list)
            throw Error("maximum number of objects reached");
        // Before the fixed-object test: the first of two equal exit objects
        // takes the identifier off the room-link list, and the second would
        // be reported as a float object without descriptions.
        const std::string upper = ascii_upper(id);
        if (const auto earlier = flushed_upper_.find(upper); earlier != flushed_upper_.end())
            throw Error("duplicated object: " + id)
                .note("first declared here", header_place(earlier->second));
        ObjectKind kind = ObjectKind::floating;
        std::vector<std::string>& linked = build_.room_link_objects;
        if (std::find(linked.begin(), linked.end(), id) != linked.end()) {
            kind = ObjectKind::fixed;
            if (object_.room != 0 || object_.takeable != 0) {
                // At the line that breaks the rule, and the link that makes the rule.
                Error error("wrong propriety for fixed object: " + id,
                            place(object_.room != 0 ? room_line_ : takeable_line_));
                SourceLocation link = find_in_file(build_.path("rooms.qnr"), "|" + id + "}");
                if (link.column > 0) {
                    ++link.column;
                    error.note("a link of a room's text names it, which makes it fixed", link);
                }
                throw error;
            }
        } else if (object_.desc_short.empty() || object_.desc_long.empty()) {
            throw Error("Missing short/long description for float object: " + id);
        }
        std::erase(linked, id);
        std::string call = addobj_call(object_, kind);
        append_line(code_, call);
        if (header_ < source_.own_lines)
            build_.note_generated(std::move(call), "objects.qno", header_ + 1,
                                  std::min(end, source_.own_lines));
        check_definition_name(id);
        build_.log.log_line("Added object [" + std::to_string(build_.lstobj.size()) + "]: " + id);
        flushed_upper_.emplace(upper, id);
        build_.lstobj.push_back(id);
        header_lines_.emplace(id, header_);
        record_facts(kind);
    }

    void record_facts(ObjectKind kind) {
        ObjectFacts facts;
        facts.id = object_.id;
        facts.where = place(header_);  // the exits of links need none: they always lead somewhere
        facts.fixed = kind == ObjectKind::fixed;
        facts.exit = header_ >= source_.own_lines || !object_.desc_direction.empty();
        facts.room = object_.room;
        facts.direction = object_.direction;
        facts.examinable = object_.examinable != 0;
        facts.takeable = object_.takeable != 0;
        facts.weight = object_.weight;
        if (found_start_ < found_.size()) facts.found = place(found_[found_start_].line);
        for (std::size_t k = found_start_; k < found_.size(); ++k)
            facts.found_names.push_back(found_[k].name);
        record_verbs(facts);
        build_.objects.push_back(std::move(facts));
    }

    // The built-in verbs as the game's menu offers them: the exit verb where
    // the exit leads somewhere, the others by flag; leave and take off once
    // the object is carried or worn.
    void record_verbs(ObjectFacts& facts) {
        enum : int { use = 18, examine, take, leave, wear, take_off, go = 25, talk = 44 };
        std::vector<int>& builtin = facts.verb_messages;
        if (object_.direction > 0) {
            if (object_.desc_direction.empty())
                builtin.push_back(go);
            else
                facts.verbs.push_back(verb_key(object_.desc_direction));
        }
        if (object_.usable != 0) builtin.push_back(use);
        if (object_.examinable != 0) builtin.push_back(examine);
        if (object_.takeable != 0 || object_.room < 0) builtin.push_back(leave);
        if (object_.takeable != 0) builtin.push_back(take);
        if (object_.takeable == 2 || object_.room == -2)
            builtin.insert(builtin.end(), {wear, take_off});
        if (object_.talkable != 0) builtin.push_back(talk);
        facts.verbs.insert(facts.verbs.end(), menu_verbs_.keys.begin(), menu_verbs_.keys.end());
        facts.verbs_known = menu_verbs_.known;
    }

    Build& build_;
    const std::string path_;
    const ObjectSource& source_;
    SymbolTable headers_;     // every object the source declares, at its header
    std::size_t header_ = 0;  // line index of the open object's header
    std::map<std::string, std::size_t> header_lines_;  // of every object written
    bool done_ = false;
    ObjectRecord object_;
    bool open_ = false;
    std::vector<FoundName> found_;   // the ":found:" names, emptied once seen as objects
    std::size_t found_start_ = 0;    // the first of them that the open object gave
    std::size_t room_line_ = 0;      // the open object's ":room:" line
    std::size_t takeable_line_ = 0;  // its flag line that made it takeable
    MenuVerbs menu_verbs_;           // what the open object's menu blocks add
    std::map<std::string, std::string> flushed_upper_;  // every object written: ID to id
    std::string code_;                                  // one f_addobj call per object
};

ObjectSource object_source(const Build& build, const std::string& path) {
    std::string text = read_text(path);
    ObjectSource source;
    for_each_line(text, [&](std::string_view) { ++source.own_lines; });
    text += crlf;
    text += crlf;
    text.append(buffer_text(build.reAddObj));
    source.lines = split_lines(text);
    if (source.lines.empty() || trim_view(source.lines.back()) != "{_")
        source.lines.emplace_back(sentinel_header);
    return source;
}

}  // namespace

void compile_objects(Build& build) {
    const std::string path = build.path("objects.qno");
    const ObjectSource source = object_source(build, path);
    build.log.log_line("%Merge file: " + path);
    build.lstobj.assign(reserved_objects, std::string());
    for (const std::string& line : source.lines) add_text_names(line, build.text_names);

    ObjectCompiler compiler(build, path, source);
    compiler.check_linked_objects_declared();
    compiler.scan();
    compiler.finish();
}

}  // namespace quenlo
