#include "language/language_project.h"

#include <algorithm>

#include "foundation/error.h"
#include "foundation/text.h"
#include "model/project_reading.h"

namespace quenlo::language {

namespace {

std::string first_words(std::string_view text, std::size_t most = 80) {
    std::string out = trim(text);
    if (out.size() <= most) return out;
    std::size_t cut = most;
    while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) --cut;
    return out.substr(0, cut) + "...";
}

std::string item_value(const ObjectDecl& object, std::string_view key) {
    for (const ObjectItem& item : object.items)
        if (item.kind == ObjectItem::Kind::property && item.key == key) return item.value;
    return {};
}

}  // namespace

const std::vector<std::string_view>& source_file_names() {
    static const std::vector<std::string_view> names = {
        "messages.qnr",  "variables.qnv",  "rooms.qnr",   "objects.qno",
        "actions.qna",   "functions.qna",  "conditions.qna", "counters.qna",
        "help.qni",      "intro.qni",      "success.qni", "fail.qni"};
    return names;
}

bool is_source_file(std::string_view name) {
    const auto& names = source_file_names();
    return std::find(names.begin(), names.end(), name) != names.end();
}

LanguageProject::LanguageProject(std::string folder, std::map<std::string, std::string> open_texts)
    : folder_(std::move(folder)),
      sources_(std::make_unique<ProjectSources>(folder_, std::move(open_texts))) {
    model_ = read_project_model(*sources_);
    for (const std::string_view name : source_file_names()) {
        if (!sources_->exists(name)) continue;
        try {
            files_.emplace(std::string(name), &sources_->file(name));
        } catch (const Error&) {
        }
    }
    for (const RoomDecl& room : model_.rooms.rooms) {
        if (room.identifier.empty()) continue;
        std::string detail = "stanza " + std::to_string(room.number);
        if (!room.texts.empty()) detail += ": " + first_words(room.texts.front().joined);
        std::size_t end = room.header_line + 1;
        for (const RoomText& text : room.texts)
            if (!text.lines.empty()) end = std::max(end, text.lines.back() + 1);
        declare({room.identifier.text, NameKind::room, {"rooms.qnr", room.identifier.range},
                 room.header_line, end, detail});
    }
    for (const ObjectDecl& object : model_.objects.objects) {
        if (object.id.empty()) continue;
        declare({object.id.text, NameKind::object, {"objects.qno", object.id.range},
                 object.header_line, object.end_line,
                 first_words(item_value(object, ":desc.short:"))});
    }
    for (const VariableDecl& variable : model_.variables.variables)
        declare({variable.name.text, NameKind::variable, {"variables.qnv", variable.name.range},
                 variable.line, variable.line + 1,
                 "variabile " + std::to_string(variable.index) + " = " +
                     std::to_string(variable.value)});
    for (const ScriptFile& script : model_.scripts)
        for (const Written& function : script.functions)
            declare({function.text, NameKind::function, {script.file, function.range},
                     function.range.line, function.range.line + 1, "funzione in " + script.file});
}

void LanguageProject::declare(Declaration declaration) {
    // The first declaration of a name is the one the game uses; a second is
    // an error the diagnostics show.
    by_name_.emplace(declaration.name, declarations_.size());
    declarations_.push_back(std::move(declaration));
}

const SourceFile* LanguageProject::file(std::string_view name) const {
    const auto found = files_.find(name);
    return found == files_.end() ? nullptr : found->second;
}

const Declaration* LanguageProject::declaration(std::string_view name) const {
    const auto found = by_name_.find(name);
    return found == by_name_.end() ? nullptr : &declarations_[found->second];
}

std::vector<Place> LanguageProject::occurrences(std::string_view name) const {
    std::vector<Place> places;
    if (name.empty()) return places;
    for (const auto& [file_name, file] : files_)
        for (std::size_t i = 0; i < file->lines.size(); ++i) {
            const std::string_view line = file->lines[i];
            for (std::size_t at = line.find(name); at != std::string_view::npos;
                 at = line.find(name, at + 1)) {
                const std::size_t end = at + name.size();
                if ((at > 0 && is_name_byte(line[at - 1])) ||
                    (end < line.size() && is_name_byte(line[end])))
                    continue;
                places.push_back({file_name, {i, at, end}});
            }
        }
    return places;
}

std::optional<Place> LanguageProject::word_at(std::string_view name, std::size_t line,
                                              std::size_t byte) const {
    const SourceFile* source = file(name);
    if (!source || line >= source->lines.size()) return std::nullopt;
    const std::string_view text = source->lines[line];
    byte = std::min(byte, text.size());
    std::size_t begin = byte, end = byte;
    while (begin > 0 && is_name_byte(text[begin - 1])) --begin;
    while (end < text.size() && is_name_byte(text[end])) ++end;
    if (begin == end) return std::nullopt;
    return Place{std::string(name), {line, begin, end}};
}

}  // namespace quenlo::language
