#include "merges/script_sections.h"

#include <algorithm>
#include <unordered_set>

#include "checks/escape_text.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/placeholders.h"
#include "foundation/project_files.h"
#include "foundation/text.h"
#include "foundation/work_buffer.h"

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

SourceLocation LineOrigins::place(std::size_t index, std::string_view needle) const {
    if (index >= lines.size() || lines[index] == 0) return {};
    return file_location(path, lines[index], needle);
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
    std::string quoted;  // the content of the open string
    bool in_string = false;
    std::size_t line = 0;         // index of the line being visited
    std::size_t string_line = 0;  // of the line where the open string began

    const auto visit = [&](std::size_t position, char32_t c, std::string_view bytes) {
        build.poll_stop();
        progress.at(position);
        if (!in_string) {
            if (c == '"') {
                out += '\'';
                in_string = true;
                string_line = line;
            } else {
                out.append(bytes);
            }
            return;
        }
        if (c != '"') {
            quoted.append(bytes);
            return;
        }
        std::string value = escape_text(quoted);
        if (quoted.starts_with('_') && quoted.ends_with('_') && !names.contains(value)) {
            SourceLocation where = origins.place(string_line, '"' + quoted + '"');
            if (where.column > 0) ++where.column;  // on the name, after its quote
            throw Error("unknown definition: " + value, std::move(where));
        }
        out += value;
        out += '\'';
        quoted.clear();
        in_string = false;
    };

    std::size_t position = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        // The characters up to the next double quote only go on to the output
        // or to the open string, so they are copied as one run; each is still
        // a poll and a step of the progress.
        const std::size_t quote = std::min(text.find('"', pos), text.size());
        if (quote == pos) {
            ++pos;
            visit(++position, '"', "\"");
            continue;
        }
        const std::size_t start = pos;
        while (pos < quote) {
            if (text[pos] == '\n') ++line;
            if (static_cast<unsigned char>(text[pos]) < 0x80)
                ++pos;
            else
                next_code_point(text, pos);
            build.poll_stop();
            progress.at(++position);
        }
        (in_string ? quoted : out).append(text, start, quote - start);
    }
    visit(++position, ' ', " ");
    build.log.log_line("...100%");
    // Trimmed where it lies rather than copied.
    const std::string_view kept = trim_view(out);
    const auto begin = static_cast<std::size_t>(kept.data() - out.data());
    out.erase(begin + kept.size());
    out.erase(0, begin);
    return out;
}

void merge_menus(Build& build) {
    const std::string menus = replace_all(buffer_text(build.reAddMenu), "}", ";}");
    const LineOrigins origins{build.path("objects.qno"), build.reAddMenu_lines};
    const std::string converted = convert_strings(build, menus, origins);
    note_generated_lines(build, converted, "objects.qno", build.reAddMenu_lines);
    replace_placeholder(build.page, "___MENUS___", converted, build.log);
}

void merge_script(Build& build, std::string_view file_name, std::string_view placeholder,
                  std::string_view prefix) {
    build.log.log_line("%Merging " + std::string(file_name) + " ...");
    const std::string source = read_text(build.path(file_name));
    std::string section(prefix);
    section += crlf;
    section += crlf;
    // The generated prefix and the blank line after it, then each source line
    // after its comment.
    LineOrigins origins{
        build.path(file_name),
        std::vector<std::size_t>(std::count(prefix.begin(), prefix.end(), '\n') + 2)};
    std::size_t source_line = 0;
    for_each_line(source, [&](std::string_view) {
        origins.lines.push_back(0);
        origins.lines.push_back(++source_line);
    });
    section += annotate_lines(replace_all(source, "}", ";}"), file_name);
    replace_placeholder(build.page, placeholder, convert_strings(build, section, origins),
                        build.log);
}

void merge_script_sections(Build& build) {
    merge_script(build, "actions.qna", "___ACTIONS___", buffer_text(build.reAddAction));
    build.poll_stop();
    if (file_exists(build.path("functions.qna")))
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
