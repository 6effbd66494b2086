#include "language/language_features.h"

#include <algorithm>
#include <cctype>

#include "foundation/text.h"
#include "language/runtime_functions.h"
#include "model/object_keys.h"

namespace quenlo::language {

namespace {

const RuntimeFunction* runtime_function(std::string_view name) {
    for (const RuntimeFunction& function : runtime_functions())
        if (function.name == name) return &function;
    return nullptr;
}

bool is_pseudo_room(std::string_view name) {
    return std::find(std::begin(pseudo_rooms), std::end(pseudo_rooms), name) !=
           std::end(pseudo_rooms);
}

const ObjectDecl* object_named(const ProjectModel& model, std::string_view name) {
    for (const ObjectDecl& object : model.objects.objects)
        if (object.id.text == name) return &object;
    return nullptr;
}

// The object whose lines hold `line`, and whether `line` is code of its menu.
const ObjectDecl* object_at(const ProjectModel& model, std::size_t line, bool& in_menu) {
    in_menu = false;
    for (const ObjectDecl& object : model.objects.objects) {
        if (line < object.header_line || line >= object.end_line) continue;
        for (const ObjectItem& item : object.items)
            if (item.kind == ObjectItem::Kind::menu && line > item.line && line < item.end_line)
                in_menu = true;
        return &object;
    }
    return nullptr;
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The built-in verbs: the texts of the messages that name them.
std::vector<std::string> built_in_verbs(const ProjectModel& model) {
    static constexpr int verb_messages[] = {18, 19, 20, 21, 22, 23, 24, 25, 44};
    std::vector<std::string> verbs;
    for (const MessageDecl& message : model.messages.messages)
        if (std::find(std::begin(verb_messages), std::end(verb_messages), message.number) !=
            std::end(verb_messages)) {
            const std::string verb = lower(trim(message.joined));
            if (!verb.empty()) verbs.push_back(verb);
        }
    return verbs;
}

CompletionKind completion_kind(NameKind kind) {
    switch (kind) {
        case NameKind::room: return CompletionKind::room;
        case NameKind::object: return CompletionKind::object;
        case NameKind::variable: return CompletionKind::variable;
        case NameKind::function: return CompletionKind::function;
    }
    return CompletionKind::object;
}

std::string kind_word(NameKind kind) {
    switch (kind) {
        case NameKind::room: return "stanza";
        case NameKind::object: return "oggetto";
        case NameKind::variable: return "variabile";
        case NameKind::function: return "funzione";
    }
    return {};
}

// The call that the cursor stands in: the function's name, the index of the
// argument, and the first argument's text when it is a quoted one.
struct CallContext {
    std::string function;
    std::size_t argument = 0;
    std::string first_argument;
    bool in_string = false;
    std::size_t string_start = 0;  // the byte after its quote
};

std::optional<CallContext> call_at(std::string_view prefix) {
    // Walk forward, keeping a stack of open brackets and whether a string is open.
    struct Open {
        std::size_t at;
        std::size_t commas = 0;
        std::size_t first_arg_start = 0;
    };
    std::vector<Open> open;
    char quote = 0;
    std::size_t string_start = 0;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char c = prefix[i];
        if (quote) {
            if (c == '\\')
                ++i;
            else if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            string_start = i + 1;
        } else if (c == '(') {
            open.push_back({i, 0, i + 1});
        } else if (c == ')') {
            if (!open.empty()) open.pop_back();
        } else if (c == ',' && !open.empty()) {
            ++open.back().commas;
        }
    }
    if (open.empty()) return std::nullopt;
    const Open& call = open.back();
    std::size_t begin = call.at;
    while (begin > 0 && is_name_byte(prefix[begin - 1])) --begin;
    CallContext context;
    context.function = std::string(prefix.substr(begin, call.at - begin));
    if (context.function.empty()) return std::nullopt;
    context.argument = call.commas;
    context.in_string = quote != 0;
    context.string_start = string_start;
    const std::string_view args = prefix.substr(call.first_arg_start);
    const std::string_view first = trim_view(args.substr(0, args.find(',')));
    if (first.size() >= 2 && (first.front() == '"' || first.front() == '\'') &&
        first.back() == first.front())
        context.first_argument = std::string(first.substr(1, first.size() - 2));
    return context;
}

class Completer {
public:
    Completer(const LanguageProject& project, const std::string& file, std::size_t line,
              std::size_t byte)
        : project_(project), file_(file), line_(line), byte_(byte) {
        const SourceFile* source = project.file(file);
        if (source && line < source->lines.size()) text_ = source->lines[line];
        byte_ = std::min(byte_, text_.size());
        prefix_ = std::string_view(text_).substr(0, byte_);
        word_begin_ = byte_;
        while (word_begin_ > 0 && is_name_byte(prefix_[word_begin_ - 1])) --word_begin_;
    }

    std::vector<Completion> run() {
        if (file_ == "objects.qno" && object_line()) return std::move(out_);
        if (file_ == "rooms.qnr" && room_link()) return std::move(out_);
        script();
        return std::move(out_);
    }

private:
    std::string_view typed() const { return prefix_.substr(word_begin_); }
    Place word_place() const { return {file_, {line_, word_begin_, byte_}}; }

    void names(std::initializer_list<NameKind> kinds) {
        for (const Declaration& declaration : project_.declarations())
            if (std::find(kinds.begin(), kinds.end(), declaration.kind) != kinds.end())
                out_.push_back({declaration.name, completion_kind(declaration.kind),
                                kind_word(declaration.kind) + ": " + declaration.detail, {},
                                word_place()});
    }
    void pseudo() {
        for (const std::string_view room : pseudo_rooms)
            out_.push_back({std::string(room), CompletionKind::room, "stanza speciale", {},
                            word_place()});
    }

    // The start of an object line: its keys and flags; the value of a key that names.
    bool object_line() {
        bool in_menu = false;
        object_at(project_.model(), line_, in_menu);
        if (in_menu) return false;
        const std::string_view before = trim_view(prefix_);
        const std::size_t indent = prefix_.find_first_not_of(" \t");
        // A line's first word: a key, or the first flag after the colon.
        if (before.starts_with(":") && before.find(':', 1) == std::string_view::npos &&
            before.find(' ') == std::string_view::npos) {
            const Place replaces{file_, {line_, indent, byte_}};
            for (const PropertyKey& key : property_keys)
                out_.push_back({std::string(key.key), CompletionKind::property,
                                key.multi_line ? "proprietà su più righe" : "proprietà", {},
                                replaces});
            out_.push_back({std::string(menu_key), CompletionKind::property, "menu dell'oggetto",
                            {}, replaces});
            for (const std::string_view flag : flag_words)
                out_.push_back({":" + std::string(flag), CompletionKind::flag, "caratteristica",
                                {}, replaces});
            return true;
        }
        // The flags after the first.
        if (before.starts_with(":") && before.find(':', 1) == std::string_view::npos &&
            before.substr(1).find_first_not_of("abcdefghijklmnopqrstuvwxyz ") ==
                std::string_view::npos) {
            for (const std::string_view flag : flag_words)
                out_.push_back({std::string(flag), CompletionKind::flag, "caratteristica", {},
                                word_place()});
            return true;
        }
        for (const std::string_view key : {":room:", ":direction:", ":found:"})
            if (before.starts_with(key)) {
                if (key == ":found:")
                    names({NameKind::object});
                else
                    names({NameKind::room});
                if (key == ":room:") pseudo();
                return true;
            }
        return before.starts_with(":");
    }

    // After a room's identifier, its selector; inside "{...}", a link's object
    // or an exit's room.
    bool room_link() {
        for (const RoomDecl& room : project_.model().rooms.rooms)
            if (room.identifier.range.line == line_ && !room.identifier.empty() &&
                prefix_.find('|') != std::string_view::npos) {
                names({NameKind::variable});
                return true;
            }
        const std::size_t open = prefix_.rfind('{');
        if (open == std::string_view::npos || prefix_.find('}', open) != std::string_view::npos)
            return false;
        const std::string_view inside = prefix_.substr(open + 1);
        const auto pipes = std::count(inside.begin(), inside.end(), '|');
        if (pipes == 1) names({NameKind::object});
        if (pipes == 3) names({NameKind::room});
        return true;
    }

    void script() {
        if (const auto call = call_at(prefix_)) {
            const RuntimeFunction* function = runtime_function(call->function);
            if (function && call->argument < function->parameters.size()) {
                switch (parameter_kind(function->parameters[call->argument])) {
                    case ParameterKind::object: names({NameKind::object}); return;
                    case ParameterKind::room:
                        names({NameKind::room});
                        pseudo();
                        return;
                    case ParameterKind::verb:
                        if (call->in_string) verbs(*call);
                        return;
                    case ParameterKind::other: break;
                }
            }
        }
        const std::string_view typed_now = typed();
        if (typed_now.starts_with("f_") || typed_now == "f") {
            for (const RuntimeFunction& function : runtime_functions())
                out_.push_back({function.name, CompletionKind::function, function.signature,
                                function.description, word_place()});
            names({NameKind::function});
        } else if (typed_now.starts_with("_")) {
            names({NameKind::room, NameKind::object, NameKind::variable});
        }
    }

    void verbs(const CallContext& call) {
        const Place replaces{file_, {line_, call.string_start, byte_}};
        std::vector<std::string> offered;
        if (const ObjectDecl* object = object_named(project_.model(), call.first_argument))
            for (const std::string& verb : object->menu_verbs) offered.push_back(verb);
        const std::size_t own = offered.size();
        for (std::string& verb : built_in_verbs(project_.model())) offered.push_back(verb);
        for (std::size_t i = 0; i < offered.size(); ++i) {
            if (std::find(offered.begin(), offered.begin() + i, offered[i]) != offered.begin() + i)
                continue;
            out_.push_back({offered[i], CompletionKind::verb,
                            i < own ? "verbo del menu di " + call.first_argument : "verbo",
                            {}, replaces});
        }
    }

    const LanguageProject& project_;
    std::string file_;
    std::size_t line_;
    std::size_t byte_;
    std::string text_;
    std::string_view prefix_;
    std::size_t word_begin_ = 0;
    std::vector<Completion> out_;
};

std::string first_sentence(std::string_view text) {
    text = trim_view(text);
    const std::size_t end = text.find_first_of(".!?");
    return std::string(end == std::string_view::npos ? text : text.substr(0, end + 1));
}

std::string item_value(const ObjectDecl& object, std::string_view key) {
    for (const ObjectItem& item : object.items)
        if (item.kind == ObjectItem::Kind::property && item.key == key) return item.value;
    return {};
}

std::string line_word(std::size_t line) { return "riga " + std::to_string(line + 1); }

}  // namespace

std::vector<Completion> complete(const LanguageProject& project, const std::string& file,
                                 std::size_t line, std::size_t byte) {
    return Completer(project, file, line, byte).run();
}

std::optional<Place> definition(const LanguageProject& project, const std::string& file,
                                std::size_t line, std::size_t byte) {
    const auto word = project.word_at(file, line, byte);
    if (!word) return std::nullopt;
    const SourceFile* source = project.file(file);
    const std::string name = source->lines[line].substr(word->range.begin,
                                                        word->range.end - word->range.begin);
    if (const Declaration* declaration = project.declaration(name)) return declaration->where;
    return std::nullopt;
}

std::vector<Place> references(const LanguageProject& project, const std::string& file,
                              std::size_t line, std::size_t byte) {
    const auto word = project.word_at(file, line, byte);
    if (!word) return {};
    const std::string name = project.file(file)->lines[line].substr(
        word->range.begin, word->range.end - word->range.begin);
    if (!project.declaration(name) && !runtime_function(name)) return {};
    return project.occurrences(name);
}

RenameResult prepare_rename(const LanguageProject& project, const std::string& file,
                            std::size_t line, std::size_t byte, Place& name_place) {
    RenameResult result;
    const auto word = project.word_at(file, line, byte);
    if (!word) {
        result.refused = "Qui non c'è un nome da rinominare.";
        return result;
    }
    const std::string name = project.file(file)->lines[line].substr(
        word->range.begin, word->range.end - word->range.begin);
    if (is_pseudo_room(name))
        result.refused = name + " è una stanza speciale del gioco e non si può rinominare.";
    else if (runtime_function(name))
        result.refused = name + " è una funzione del gioco e non si può rinominare.";
    else if (!project.declaration(name))
        result.refused = name + " non è dichiarato nel progetto.";
    name_place = *word;
    return result;
}

RenameResult rename(const LanguageProject& project, const std::string& file, std::size_t line,
                    std::size_t byte, const std::string& new_name) {
    Place name_place;
    RenameResult result = prepare_rename(project, file, line, byte, name_place);
    if (!result.refused.empty()) return result;
    const std::string old_name = project.file(file)->lines[line].substr(
        name_place.range.begin, name_place.range.end - name_place.range.begin);
    if (new_name.empty() || !std::all_of(new_name.begin(), new_name.end(), is_name_byte) ||
        (old_name.starts_with("_") && !(new_name.starts_with("_") && new_name.ends_with("_") &&
                                        new_name.size() > 2))) {
        result.refused = new_name + " non è un nome valido.";
        return result;
    }
    if (project.declaration(new_name) || runtime_function(new_name) || is_pseudo_room(new_name)) {
        result.refused = new_name + " è già un nome del progetto.";
        return result;
    }
    for (const Place& place : project.occurrences(old_name)) result.edits.push_back({place, new_name});
    return result;
}

std::optional<HoverText> hover(const LanguageProject& project, const std::string& file,
                               std::size_t line, std::size_t byte) {
    const auto word = project.word_at(file, line, byte);
    if (!word) return std::nullopt;
    const std::string name = project.file(file)->lines[line].substr(
        word->range.begin, word->range.end - word->range.begin);
    std::string text;
    if (const Declaration* declaration = project.declaration(name)) {
        text = "**" + name + "** (" + kind_word(declaration->kind) + ", " +
               declaration->where.file + " " + line_word(declaration->where.range.line) + ")\n\n";
        switch (declaration->kind) {
            case NameKind::object: {
                const ObjectDecl* object = object_named(project.model(), name);
                if (!object) break;
                if (const std::string s = item_value(*object, ":desc.short:"); !s.empty())
                    text += s + "\n\n";
                if (const std::string l = item_value(*object, ":desc.long:"); !l.empty())
                    text += l + "\n\n";
                if (!object->room.empty()) text += "Comincia in " + object->room.text + ".";
                else text += "Comincia fuori dal gioco.";
                break;
            }
            case NameKind::room: {
                for (const RoomDecl& room : project.model().rooms.rooms)
                    if (room.identifier.text == name && !room.texts.empty())
                        text += first_sentence(room.texts.front().joined);
                break;
            }
            case NameKind::variable:
                for (const VariableDecl& variable : project.model().variables.variables)
                    if (variable.name.text == name)
                        text += "Variabile numero " + std::to_string(variable.index) +
                                ", valore iniziale " + std::to_string(variable.value) + ".";
                break;
            case NameKind::function: text += "Funzione dichiarata in " + declaration->where.file + "."; break;
        }
    } else if (const RuntimeFunction* function = runtime_function(name)) {
        text = "`" + function->signature + "`\n\n" + function->description;
    } else if (is_pseudo_room(name)) {
        text = "**" + name + "**: stanza speciale (fuori dal gioco, portato, indossato).";
    } else {
        return std::nullopt;
    }
    return HoverText{text, *word};
}

std::vector<Symbol> document_symbols(const LanguageProject& project, const std::string& file) {
    std::vector<Symbol> symbols;
    const SourceFile* source = project.file(file);
    if (!source) return symbols;
    for (const Declaration& declaration : project.declarations()) {
        if (declaration.where.file != file) continue;
        Symbol symbol{declaration.name, declaration.detail, Symbol::Kind::object,
                      declaration.where, declaration.first_line,
                      std::max(declaration.first_line, declaration.end_line - 1)};
        switch (declaration.kind) {
            case NameKind::room: symbol.kind = Symbol::Kind::room; break;
            case NameKind::object: symbol.kind = Symbol::Kind::object; break;
            case NameKind::variable: symbol.kind = Symbol::Kind::variable; break;
            case NameKind::function: symbol.kind = Symbol::Kind::function; break;
        }
        symbols.push_back(symbol);
    }
    if (file == "messages.qnr")
        for (const MessageDecl& message : project.model().messages.messages) {
            const std::size_t line = message.header_line;
            if (line >= source->lines.size()) continue;
            symbols.push_back({"messaggio " + std::to_string(message.number),
                               trim(message.joined).substr(0, 80), Symbol::Kind::message,
                               {file, {line, 0, source->lines[line].size()}}, line,
                               message.lines.empty() ? line : message.lines.back()});
        }
    return symbols;
}

std::vector<Symbol> workspace_symbols(const LanguageProject& project, const std::string& query) {
    std::vector<Symbol> symbols;
    const std::string wanted = lower(query);
    for (const std::string_view file : source_file_names())
        for (Symbol& symbol : document_symbols(project, std::string(file)))
            if (lower(symbol.name).find(wanted) != std::string::npos)
                symbols.push_back(std::move(symbol));
    return symbols;
}

std::optional<QuickFix> quick_fix(const LanguageProject& project, const Diagnostic& diagnostic,
                                  const Place& at) {
    std::string meant;
    for (const Note& note : diagnostic.notes)
        if (note.text.starts_with("did you mean ") && note.text.ends_with("?"))
            meant = note.text.substr(13, note.text.size() - 14);
    if (meant.empty()) return std::nullopt;
    const std::size_t colon = diagnostic.text.rfind(": ");
    if (colon == std::string::npos) return std::nullopt;
    // The first of the words the text names ("_a_, _b_"; "takable volante"):
    // the one the note is about.
    std::string wrong = trim(diagnostic.text.substr(colon + 2));
    wrong = wrong.substr(0, wrong.find_first_of(", "));
    const SourceFile* source = project.file(at.file);
    if (!source || at.range.line >= source->lines.size() || wrong.empty()) return std::nullopt;
    const std::string& line = source->lines[at.range.line];
    for (std::size_t found = line.find(wrong, at.range.begin); found != std::string::npos;
         found = line.find(wrong, found + 1)) {
        const std::size_t end = found + wrong.size();
        if ((found > 0 && is_name_byte(line[found - 1])) ||
            (end < line.size() && is_name_byte(line[end])))
            continue;
        return QuickFix{"Cambia in " + meant, {{at.file, {at.range.line, found, end}}, meant}};
    }
    return std::nullopt;
}

}  // namespace quenlo::language
