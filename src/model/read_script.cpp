#include "checks/script_calls.h"
#include "foundation/text.h"
#include "model/read_sources.h"

namespace quenlo {

namespace {

bool is_word_byte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$';
}

}  // namespace

ScriptFile read_script(const SourceFile& file) {
    ScriptFile script;
    script.file = file.name;
    script.uses = scan_script_uses(file.text(), file.name);
    for (const NamePlace& name : script.uses.game_names)
        if (name.line >= 1 && name.line <= file.lines.size())
            script.names.push_back(
                {name.name, range_at_column(file.lines[name.line - 1], name.line - 1, name.column,
                                            name.name.size())});
    // "function f_apri(": the functions an author declares, for editors.
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        const std::string& line = file.lines[i];
        for (std::size_t at = line.find("function"); at != std::string::npos;
             at = line.find("function", at + 8)) {
            if (at > 0 && is_word_byte(line[at - 1])) continue;
            std::size_t begin = at + 8;
            if (begin >= line.size() || (line[begin] != ' ' && line[begin] != '\t')) continue;
            while (begin < line.size() && (line[begin] == ' ' || line[begin] == '\t')) ++begin;
            std::size_t end = begin;
            while (end < line.size() && is_word_byte(line[end])) ++end;
            if (end > begin)
                script.functions.push_back({line.substr(begin, end - begin), {i, begin, end}});
        }
    }
    return script;
}

}  // namespace quenlo
