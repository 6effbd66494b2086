#include "merges/script_sections.h"

#include <algorithm>
#include <unordered_set>

#include "checks/escape_text.h"
#include "checks/script_calls.h"
#include "checks/script_lexer.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/placeholders.h"
#include "foundation/project_files.h"
#include "foundation/text.h"
#include "foundation/work_buffer.h"
#include "model/project_reading.h"

namespace quenlo {

namespace {

// Names that a quoted "_name_" may stand for.
std::unordered_set<std::string_view> declared_names(const Build& build) {
    std::unordered_set<std::string_view> names = {"_rTAKEN_", "_rOUT_", "_rWORN_"};
    for (const auto* table : {&build.lstroom, &build.lstobj, &build.lstvar})
        for (const std::string& name : *table)
            if (!name.empty()) names.insert(name);
    return names;
}

// "...10%" to "...90%" while the text is converted, at most one per character.
class Progress {
public:
    Progress(BuildLog& log, std::size_t length) : log_(log), length_(length) {}
    void at(std::size_t position) {
        if (position < next_) return;  // the percentage is not past the mark yet
        if (position * 100 / length_ > mark_) {
            log_.log_line("..." + std::to_string(mark_) + "%");
            mark_ += 10;
        }
        next_ = first_past_mark();
    }

private:
    // The first position whose percentage, rounded down, is above the mark.
    std::size_t first_past_mark() const { return ((mark_ + 1) * length_ + 99) / 100; }

    BuildLog& log_;
    std::size_t length_;
    std::size_t mark_ = 10;
    std::size_t next_ = 0;
};

// The converted code keeps its lines but for the blank frame lines that the
// conversion trims off its start, so its last line is still the code of the
// last of `source_lines`. When a string ran over lines it is left unplaced.
void note_generated_lines(Build& build, std::string_view code, std::string_view file,
                          const std::vector<std::size_t>& source_lines) {
    const std::vector<std::string> lines = split_lines(code);
    if (lines.size() > source_lines.size()) return;
    const std::size_t trimmed = source_lines.size() - lines.size();
    if (std::any_of(source_lines.begin(), source_lines.begin() + trimmed,
                    [](std::size_t line) { return line > 0; }))
        return;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (const std::size_t line = source_lines[trimmed + i])
            build.note_generated(lines[i], file, line);
}

}  // namespace

std::string annotate_lines(std::string_view text, std::string_view file_name) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    std::size_t number = 0;
    const std::string comment = "// " + std::string(file_name) + " line:";
    for_each_line(text, [&](std::string_view line) {
        if (number > 0) out.append(crlf);
        out.append(comment);
        out.append(std::to_string(++number));
        out.append(crlf);
        out.append(line);
    });
    return out;
}

std::string end_blocks_with_semicolons(std::string_view code) {
    std::string out;
    out.reserve(code.size() + code.size() / 32);
    ScriptLexer lexer;
    std::size_t copied = 0;  // the code before this is in `out` already
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char next = i + 1 < code.size() ? code[i + 1] : '\0';
        if (lexer.step(code[i], next).edge != ScriptEdge::block_close) continue;
        out.append(code, copied, i - copied);
        out += ';';
        copied = i;
    }
    out.append(code, copied);
    return out;
}

SourceLocation LineOrigins::place(std::size_t index, std::string_view needle) const {
    if (!file || index >= lines.size() || lines[index] == 0) return {};
    return file->location(lines[index], needle);
}

SourceLocation LineOrigins::place_of_tail(std::size_t index, std::string_view tail) const {
    SourceLocation where = place(index, {});
    // Blanks at the end may differ: generated lines are trimmed copies.
    const auto trim_end = [](std::string_view s) {
        while (!s.empty() && is_trimmed_away(s.back())) s.remove_suffix(1);
        return s;
    };
    const std::string_view line = trim_end(where.text);
    const std::string_view rest = trim_end(tail);
    if (!rest.empty() && line.ends_with(rest))
        where.column = count_code_points(line) - count_code_points(rest) + 1;
    return where;
}

std::string convert_strings(Build& build, std::string_view text, const LineOrigins& origins) {
    build.log.log_line("Converting strings...");
    const auto names = declared_names(build);
    // The text is followed by three blanks of which the first is visited, so
    // the conversion ends on a blank outside any string.
    const std::size_t length = count_code_points(text) + 3;
    Progress progress(build.log, length);
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    ScriptLexer lexer;
    std::size_t copied = 0;     // the text before this is in `out` already
    std::size_t opened = 0;     // the opening quote of the open double-quoted text
    std::size_t line = 0;       // index of the line being visited
    std::size_t text_line = 0;  // of the line where the open text began

    std::size_t position = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t at = pos;
        if (static_cast<unsigned char>(text[pos]) < 0x80)
            ++pos;
        else
            next_code_point(text, pos);
        build.poll_stop();
        progress.at(++position);
        const ScriptChar seen = lexer.step(text[at], pos < text.size() ? text[pos] : '\0');
        for (std::size_t more = at + 1; more < pos; ++more)  // the rest of a character
            lexer.step(text[more], more + 1 < text.size() ? text[more + 1] : '\0');
        if (text[at] == '\n') ++line;
        if (seen.part != ScriptPart::text || seen.edge == ScriptEdge::none) continue;
        if (seen.edge == ScriptEdge::opens) {
            out.append(text, copied, at - copied);
            out += '\'';
            opened = at;
            text_line = line;
            continue;
        }
        const std::string_view quoted = text.substr(opened + 1, at - opened - 1);
        std::string value = escape_text(quoted);
        if (quoted.starts_with('_') && quoted.ends_with('_') && !names.contains(value)) {
            SourceLocation where = origins.place(text_line, '"' + std::string(quoted) + '"');
            if (where.column > 0) ++where.column;  // on the name, after its quote
            throw Error("unknown definition: " + value, std::move(where));
        }
        out += value;
        out += '\'';
        copied = pos;
    }
    build.poll_stop();
    progress.at(++position);
    if (lexer.part() == ScriptPart::text) {
        const std::string_view tail =
            text.substr(opened, text.find_first_of("\r\n", opened) - opened);
        throw Error("unclosed double-quoted text", origins.place_of_tail(text_line, tail));
    }
    out.append(text, copied);
    build.log.log_line("...100%");
    // Trimmed where it lies rather than copied.
    const std::string_view kept = trim_view(out);
    const auto begin = static_cast<std::size_t>(kept.data() - out.data());
    out.erase(begin + kept.size());
    out.erase(0, begin);
    return out;
}

void merge_menus(Build& build) {
    const std::string menus = end_blocks_with_semicolons(buffer_text(build.reAddMenu));
    const LineOrigins origins{&build.sources.file("objects.qno"), build.reAddMenu_lines};
    const std::string converted = convert_strings(build, menus, origins);
    note_generated_lines(build, converted, "objects.qno", build.reAddMenu_lines);
    replace_placeholder(build.page, "___MENUS___", converted, build.log);
}

// What the model read of the script file's calls and names.
ScriptUses script_uses_of(Build& build, std::string_view file_name) {
    for (const ScriptFile& script : project_model(build).scripts)
        if (script.file == file_name) return script.uses;
    return scan_script_uses(build.sources.file(file_name).text(), file_name);
}

void merge_script(Build& build, std::string_view file_name, std::string_view placeholder,
                  std::string_view prefix) {
    build.log.log_line("%Merging " + std::string(file_name) + " ...");
    const SourceFile& file = build.sources.file(file_name);
    const std::string source = file.text();
    build.script_uses.push_back(script_uses_of(build, file_name));
    std::string section(prefix);
    section += crlf;
    section += crlf;
    // The generated prefix and the blank line after it, then each source line
    // after its comment.
    LineOrigins origins{
        &file,
        std::vector<std::size_t>(std::count(prefix.begin(), prefix.end(), '\n') + 2)};
    std::size_t source_line = 0;
    for_each_line(source, [&](std::string_view) {
        origins.lines.push_back(0);
        origins.lines.push_back(++source_line);
    });
    section += annotate_lines(end_blocks_with_semicolons(source), file_name);
    replace_placeholder(build.page, placeholder, convert_strings(build, section, origins),
                        build.log);
}

void merge_script_sections(Build& build) {
    merge_script(build, "actions.qna", "___ACTIONS___", buffer_text(build.reAddAction));
    build.poll_stop();
    if (build.sources.exists("functions.qna"))
        merge_script(build, "functions.qna", "___FUNCTIONS___", buffer_text(build.reAddAction));
    else
        replace_placeholder(build.page, "___FUNCTIONS___", "", build.log);
    build.poll_stop();
    merge_script(build, "conditions.qna", "___CONDITIONS___", buffer_text(build.reAddCond));
    build.poll_stop();
    merge_script(build, "counters.qna", "___COUNTERS___", buffer_text(build.reAddCounter));
    build.poll_stop();
}

}  // namespace quenlo
