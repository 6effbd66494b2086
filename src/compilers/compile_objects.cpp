#include "compilers/compile_objects.h"

#include <algorithm>
#include <map>
#include <string>

#include "checks/definition_name.h"
#include "checks/escape_text.h"
#include "checks/script_calls.h"
#include "checks/verbs_offered.h"
#include "compilers/compile_object_menus.h"
#include "compilers/object_properties.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/project_limits.h"
#include "foundation/text.h"
#include "foundation/work_buffer.h"
#include "model/project_reading.h"

namespace quenlo {

namespace {

std::string joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names) out += (out.empty() ? "" : " ") + name;
    return out;
}

// The author's objects as the model read them, then the exit objects that the
// room links declare, each written out when the next one starts.
class ObjectCompiler {
public:
    ObjectCompiler(Build& build, const SourceFile& file, const ProjectModel& model)
        : build_(build), file_(file), model_(model) {
        for (const ObjectDecl& object : model.objects.objects)
            if (object.id.text.size() > 1)
                headers_.declare({object.id.text, SymbolKind::object, place(object.header_line)});
        for (const Exit& exit : build.exits)
            headers_.declare({exit.object, SymbolKind::object, exit.object_place});
        // The first link of a room's text that names each object.
        if (const SourceFile* rooms = build.sources.read("rooms.qnr"))
            for (const RoomDecl& room : model.rooms.rooms)
                for (const RoomText& text : room.texts)
                    for (const RoomLink& link : text.links)
                        if (!link.exit)
                            links_.emplace(link.object.text, place_of(*rooms, link.object.range));
    }

    // Every object a room link names must be declared; a typo is told at the
    // link, before the object it was meant for is blamed for lacking its
    // descriptions.
    void check_linked_objects_declared() const {
        std::vector<std::string> missing;
        for (const std::string& id : build_.room_link_objects)
            if (!headers_.find(id)) missing.push_back(id);
        if (missing.empty()) return;
        Error error("missing objects specification: " + joined(missing), link_of(missing.front()));
        if (const auto meant = headers_.nearest(missing.front()))
            error.note("did you mean " + *meant + "?", headers_.find(*meant)->where);
        throw error;
    }

    void compile_objects() {
        const ObjectsReading& reading = model_.objects;
        for (const ObjectDecl& object : reading.objects) {
            build_.poll_stop();
            locating_errors([&] { return place(object.header_line); },
                            [&] { begin(object.id.text, object.header_line, {}); });
            header_.end = object.end_line;
            for (const ObjectItem& item : object.items) {
                build_.poll_stop();
                locating_errors([&] { return place(item.line); }, [&] { read_item(item); });
            }
        }
        if (reading.stop) throw error_from(*reading.stop);
    }

    void compile_exits() {
        for (const Exit& exit : build_.exits) {
            build_.poll_stop();
            locating_errors([&] { return exit.object_place; },
                            [&] {
                                begin(exit.object, std::nullopt, exit.object_place);
                                object_.desc_direction = escape_text(trim_view(exit.verb));
                                ObjectItem direction{ObjectItem::Kind::property,
                                                     ":direction:",
                                                     std::string(trim_view(exit.destination)),
                                                     0,
                                                     0,
                                                     {},
                                                     {}};
                                apply_property(build_, direction, object_, found_);
                            });
        }
        if (open_)
            locating_errors([&] { return header_.place; }, [&] { flush(); });
        else  // the list's closing header, taken for an object when there is none
            build_.log.log_line("Found new object: _$$$_");
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
            const auto header = header_places_.find(id);
            const SourceLocation declared =
                header == header_places_.end() ? SourceLocation{} : header->second.place;
            // An exit's place is its link, which is no declaration of a name.
            const SourceLocation symbol_place =
                header == header_places_.end() || !header->second.line ? SourceLocation{}
                                                                       : declared;
            if (const Symbol* earlier =
                    build_.symbols.declare({id, SymbolKind::object, symbol_place}))
                throw Error("duplicated definition: " + id, declared)
                    .note("first declared here", earlier->where);
        }

        const auto unknown = std::find_if(found_.begin(), found_.end(), [](const FoundName& found) {
            return !found.name.empty();
        });
        if (unknown != found_.end())
            throw Error("unknown :found: objects specification: " + unknown_found_names(),
                        file_.location(unknown->line + 1, unknown->name));

        replace_all_in_place(build_.page, "___OBJECTS___", code_);
        replace_all_in_place(build_.page, "___OBJECTIDS___", identifiers);
    }

private:
    // Where an object starts: its header line in "objects.qno", or for an exit
    // its link.
    struct Header {
        std::optional<std::size_t> line;
        SourceLocation place;
        std::size_t end = 0;  // the line after its last one, from 0
    };

    // Writes out the open object, then opens the object `id`.
    void begin(const std::string& id, std::optional<std::size_t> line, SourceLocation link) {
        if (open_) locating_errors([&] { return header_.place; }, [&] { flush(); });
        object_ = ObjectRecord{};
        object_.id = id;
        header_ = {line, line ? place(*line) : std::move(link)};
        room_line_ = takeable_line_ = line.value_or(0);
        found_start_ = found_.size();
        menu_verbs_ = MenuVerbs{};
        open_ = true;
        build_.log.log_line("Found new object: " + id);
    }

    void read_item(const ObjectItem& item) {
        switch (item.kind) {
            case ObjectItem::Kind::menu:
                compile_menu_block(build_, file_, item, object_.id, menu_verbs_);
                break;
            case ObjectItem::Kind::property:
                apply_property(build_, item, object_, found_);
                if (item.key == ":room:") room_line_ = item.line;
                break;
            case ObjectItem::Kind::flags: {
                const int takeable = object_.takeable;
                read_flags(item.value, object_);
                if (takeable == 0 && object_.takeable != 0) takeable_line_ = item.line;
                break;
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

    SourceLocation place(std::size_t index) const {
        return line_location(file_.path, file_.lines, index);
    }

    SourceLocation link_of(const std::string& id) const {
        const auto link = links_.find(id);
        return link == links_.end() ? SourceLocation{} : link->second;
    }

    SourceLocation header_place(const std::string& id) const {
        const auto header = header_places_.find(id);
        return header == header_places_.end() ? SourceLocation{} : header->second.place;
    }

    void flush() {
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
                if (const SourceLocation link = link_of(id); link.known())
                    error.note("a link of a room's text names it, which makes it fixed", link);
                throw error;
            }
        } else if (object_.desc_short.empty() || object_.desc_long.empty()) {
            throw Error("Missing short/long description for float object: " + id);
        }
        std::erase(linked, id);
        std::string call = addobj_call(object_, kind);
        append_line(code_, call);
        if (header_.line)
            build_.note_generated(std::move(call), "objects.qno", *header_.line + 1, header_.end);
        check_definition_name(id);
        build_.log.log_line("Added object [" + std::to_string(build_.lstobj.size()) + "]: " + id);
        flushed_upper_.emplace(upper, id);
        build_.lstobj.push_back(id);
        header_places_.emplace(id, header_);
        record_facts(kind);
    }

    void record_facts(ObjectKind kind) {
        ObjectFacts facts;
        facts.id = object_.id;
        // The exits of links need no place: they always lead somewhere.
        if (header_.line) facts.where = header_.place;
        facts.fixed = kind == ObjectKind::fixed;
        facts.exit = !header_.line || !object_.desc_direction.empty();
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
    const SourceFile& file_;
    const ProjectModel& model_;
    SymbolTable headers_;  // every object declared, by a header or an exit link
    std::map<std::string, SourceLocation> links_;
    Header header_;                                // of the open object
    std::map<std::string, Header> header_places_;  // of every object written
    ObjectRecord object_;
    bool open_ = false;
    MenuVerbs menu_verbs_;           // what the open object's menu blocks add
    std::vector<FoundName> found_;   // the ":found:" names, emptied once seen as objects
    std::size_t found_start_ = 0;    // the first of them that the open object gave
    std::size_t room_line_ = 0;      // the open object's ":room:" line
    std::size_t takeable_line_ = 0;  // its flag line that made it takeable
    std::map<std::string, std::string> flushed_upper_;  // every object written: ID to id
    std::string code_;                                  // one f_addobj call per object
};

}  // namespace

void compile_objects(Build& build) {
    const SourceFile& file = build.sources.file("objects.qno");
    build.log.log_line("%Merge file: " + file.path);
    build.lstobj.assign(reserved_objects, std::string());

    for (const std::string& line : file.lines) add_text_names(line, build.text_names);
    ObjectCompiler compiler(build, file, project_model(build));
    compiler.check_linked_objects_declared();
    compiler.compile_objects();
    compiler.compile_exits();
    compiler.finish();
}

}  // namespace quenlo
