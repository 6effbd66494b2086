#include "model/project_reading.h"

#include <algorithm>
#include <map>
#include <unordered_set>

#include "foundation/error.h"
#include "foundation/project_layout.h"
#include "foundation/symbol_table.h"
#include "foundation/text.h"
#include "model/object_keys.h"
#include "model/read_sources.h"
#include "model/room_links.h"

namespace quenlo {

namespace {

constexpr std::string_view pseudo_rooms[] = {"_rOUT_", "_rTAKEN_", "_rWORN_"};

class ModelChecks {
public:
    ModelChecks(ProjectModel& model, const SourceFile* rooms, const SourceFile* objects)
        : model_(model), rooms_(rooms), objects_(objects) {
        for (const ObjectDecl& object : model.objects.objects)
            declared_objects_.declare({object.id.text, SymbolKind::object, at(objects, object.id)});
        for (const RoomDecl& room : model.rooms.rooms) {
            room_names_.declare(
                {room.identifier.text, SymbolKind::room, at(rooms, room.identifier)});
            for (const RoomText& text : room.texts)
                for (const RoomLink& link : text.links)
                    if (link.exit) exit_objects_.insert(link.object.text);
        }
    }

    void check_rooms() {
        if (!rooms_) return;
        for (const RoomDecl& room : model_.rooms.rooms)
            for (const RoomText& text : room.texts) {
                for (const RoomLink& link : text.links) {
                    use(link.object, "rooms.qnr", NameUse::Role::link);
                    if (link.exit) {
                        use(link.destination, "rooms.qnr", NameUse::Role::exit_destination);
                        if (all_rooms_read() && !room_names_.find(link.destination.text))
                            problem("unknown direction in rooms.qnr: " + link.destination.text,
                                    at(rooms_, link.destination));
                    } else if (all_objects_read() && !declared_objects_.find(link.object.text) &&
                               !exit_objects_.contains(link.object.text)) {
                        Diagnostic& missing =
                            problem("missing objects specification: " + link.object.text,
                                    at(rooms_, link.object));
                        if (const auto meant = declared_objects_.nearest(link.object.text))
                            missing.notes.push_back({"did you mean " + *meant + "?",
                                                     declared_objects_.find(*meant)->where});
                    }
                }
                if (text.malformed)
                    problem("failed object merging: " + text.joined,
                            place_of(*rooms_, text_range(text, rooms_->lines, *text.malformed, 1)));
            }
        for (const RoomDecl& room : model_.rooms.rooms) {
            if (room.selector.empty()) continue;
            use(room.selector, "rooms.qnr", NameUse::Role::selector);
            const auto& variables = model_.variables.variables;
            if (!model_.variables.stop &&
                std::none_of(variables.begin(), variables.end(), [&](const VariableDecl& v) {
                    return v.name.text == room.selector.text;
                }))
                problem("unknown variable: " + room.selector.text,
                        line_location(rooms_->path, rooms_->lines, room.selector.range.line));
        }
    }

    void check_objects() {
        if (!objects_) return;
        std::map<std::string, const ObjectDecl*> by_upper;
        for (const ObjectDecl& object : model_.objects.objects) {
            const auto [earlier, fresh] = by_upper.emplace(ascii_upper(object.id.text), &object);
            if (!fresh)
                problem("duplicated object: " + object.id.text, at(objects_, object.id))
                    .notes.push_back({"first declared here", at(objects_, earlier->second->id)});
            check_object(object);
        }
    }

    void check_scripts(ProjectSources& sources) {
        for (const ScriptFile& script : model_.scripts) {
            for (const Written& name : script.names) use(name, script.file, NameUse::Role::script);
            const UnmatchedBracket& bracket = script.uses.unmatched;
            if (bracket.bracket == 0) continue;
            SourceLocation where = sources.location(script.file, bracket.line);
            where.column = bracket.column;
            problem(std::string(1, bracket.bracket) + " does not match", std::move(where));
        }
    }

private:
    void check_object(const ObjectDecl& object) {
        for (const ObjectItem& item : object.items) {
            if (item.kind == ObjectItem::Kind::flags) {
                const std::string left = unknown_flag_text(item.value);
                if (left.empty()) continue;
                Diagnostic& unknown =
                    problem("unknown object property: " + left,
                            line_location(objects_->path, objects_->lines, item.line));
                if (const auto meant = meant_flag_or_key(item.value, left))
                    unknown.notes.push_back({"did you mean " + *meant + "?", {}});
            }
        }
        for (const Written* room : {&object.room, &object.direction}) {
            if (room->empty()) continue;
            const bool pseudo = std::find(std::begin(pseudo_rooms), std::end(pseudo_rooms),
                                          room->text) != std::end(pseudo_rooms);
            use(*room, "objects.qno",
                room == &object.room ? NameUse::Role::room_property
                                     : NameUse::Role::direction_property);
            if (all_rooms_read() && !(pseudo && room == &object.room) &&
                !room_names_.find(room->text))
                problem("unknown room: " + room->text, at(objects_, *room));
        }
        for (const Written& name : object.menu_names) use(name, "objects.qno", NameUse::Role::menu);
        for (const Written& found : object.found) {
            use(found, "objects.qno", NameUse::Role::found);
            if (all_objects_read() && !declared_objects_.find(found.text) &&
                !exit_objects_.contains(found.text))
                problem("unknown :found: objects specification: " + found.text,
                        at(objects_, found));
        }
    }

    // A name is unknown only when every declaration of its kind was read: a
    // file that stops early leaves the later ones out.
    bool all_rooms_read() const { return rooms_ && !model_.rooms.stop; }
    bool all_objects_read() const { return objects_ && !model_.objects.stop && all_rooms_read(); }

    static SourceLocation at(const SourceFile* file, const Written& written) {
        return file ? place_of(*file, written.range) : SourceLocation{};
    }

    void use(const Written& name, std::string file, NameUse::Role role) {
        model_.uses.push_back({name.text, std::move(file), name.range, role});
    }

    Diagnostic& problem(std::string text, SourceLocation where) {
        return model_.problems.emplace_back(
            Diagnostic{Severity::error, std::move(text), std::move(where), {}, {}});
    }

    ProjectModel& model_;
    const SourceFile* rooms_;
    const SourceFile* objects_;
    SymbolTable declared_objects_;
    SymbolTable room_names_;
    std::unordered_set<std::string> exit_objects_;
};

void add_stop(ProjectModel& model, const Reading& reading) {
    if (reading.stop) model.problems.push_back(*reading.stop);
}

}  // namespace

ProjectModel read_project_model(ProjectSources& sources) {
    ProjectModel model;
    if (const SourceFile* file = sources.readable("messages.qnr"))
        model.messages = read_messages(*file);
    add_stop(model, model.messages);
    if (const SourceFile* file = sources.readable("variables.qnv"))
        model.variables = read_variables(*file);
    add_stop(model, model.variables);
    const SourceFile* rooms = sources.readable("rooms.qnr");
    if (rooms) model.rooms = read_rooms(*rooms);
    add_stop(model, model.rooms);
    const SourceFile* objects = sources.readable("objects.qno");
    if (objects) model.objects = read_objects(*objects);
    for (const SourceFileKind& source : source_files)
        if (source.role == SourceRole::script)
            if (const SourceFile* file = sources.readable(source.name))
                model.scripts.push_back(read_script(*file));

    ModelChecks checks(model, rooms, objects);
    checks.check_rooms();
    add_stop(model, model.objects);
    checks.check_objects();
    checks.check_scripts(sources);
    return model;
}

const ProjectModel& project_model(Build& build) {
    if (!build.model) build.model = read_project_model(build.sources);
    return *build.model;
}

}  // namespace quenlo
