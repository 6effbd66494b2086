#include "backend/encode_release_text.h"

#include <array>

#include "checks/script_lexer.h"
#include "foundation/build.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

// Small letters: an even code moves 2 forward, an odd one 2 back; capitals the
// other way round; both wrap within their 26 letters.
constexpr std::array<char, 256> letter_shift_table() {
    std::array<char, 256> table{};
    for (int c = 0; c < 256; ++c) table[c] = static_cast<char>(c);
    const auto shift = [&](int first, int step_for_even) {
        for (int c = first; c < first + 26; ++c) {
            int to = c + (c % 2 == 0 ? step_for_even : -step_for_even);
            if (to >= first + 26) to -= 26;
            if (to < first) to += 26;
            table[c] = static_cast<char>(to);
        }
    };
    shift('a', 2);
    shift('A', -2);
    return table;
}

constexpr std::array<char, 256> letter_shift = letter_shift_table();

// What is open at the end of a line carries over into the next encoded line.
struct Quoting {
    // Where the quoted texts and template literals are; a template's "${ }"
    // is code again, and its strings are quoted texts of their own.
    ScriptLexer script{ScriptDialect::page};
    bool in_entity = false;  // "&" up to ";" inside a quoted text
    bool in_tag = false;     // "<" up to ">" inside a quoted text
};

bool is_hex_digit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The bytes of the escape that starts with the backslash at `at`.
std::size_t escape_length(std::string_view line, std::size_t at) {
    if (at + 1 >= line.size()) return 1;
    const char kind = line[at + 1];
    const std::size_t digits = kind == 'x' ? 2 : kind == 'u' ? 4 : 0;
    std::size_t length = 2;
    while (length < 2 + digits && at + length < line.size() && is_hex_digit(line[at + length]))
        ++length;
    return length;
}

bool is_quoted(ScriptPart part) {
    return part == ScriptPart::string || part == ScriptPart::template_text;
}

// Whether the encoding passes the character on as the others of its run,
// shifted or as it is: anything but a blank and, inside a quoted text, what
// opens or closes an entity or a tag.
bool is_plain(char ch, bool quoted, const Quoting& q) {
    if (ch == ' ') return false;
    if (!quoted) return true;
    if (ch == '&' || ch == ';') return (ch == '&') == q.in_entity;
    if (ch == '<' || ch == '>') return (ch == '<') == q.in_tag;
    return true;
}

// A run of plain characters goes on at once; in a quoted text, outside its
// entities and tags, its letters are shifted.
void append_plain_run(std::string_view run, bool quoted, const Quoting& q, std::string& out) {
    const std::size_t at = out.size();
    out.append(run);
    if (!quoted || q.in_entity || q.in_tag) return;
    for (std::size_t i = at; i < out.size(); ++i)
        out[i] = letter_shift[static_cast<unsigned char>(out[i])];  // others map to themselves
}

// Every quoted text 'text' becomes ('encoded text'), and the text of every
// template literal is encoded in place between its backticks, so that the
// decoder gives back what the debug page shows; runs of blanks shrink to one.
void append_encoded(std::string_view line, Quoting& q, std::string& out) {
    if (line.starts_with("//") && line.size() >= 3 &&
        line.find(verbatim_marker) == std::string_view::npos)
        return;  // a "///" comment of the region becomes an empty line
    const auto step = [&](std::size_t j) {
        return q.script.step(line[j], j + 1 < line.size() ? line[j + 1] : '\n');
    };
    bool last_was_blank = false;
    for (std::size_t j = 0; j < line.size(); ++j) {
        const bool quoted_run = is_quoted(q.script.part());
        std::size_t plain_end = j;
        while (plain_end < line.size() && is_plain(line[plain_end], quoted_run, q)) ++plain_end;
        const std::size_t run_end = q.script.pass_quiet(line.substr(0, plain_end), j);
        if (run_end > j) {
            append_plain_run(line.substr(j, run_end - j), quoted_run, q, out);
            last_was_blank = false;
            j = run_end;
            if (j == line.size()) break;
        }
        const char ch = line[j];
        const ScriptChar seen = step(j);
        const bool quoted = seen.edge == ScriptEdge::none && is_quoted(seen.part);
        if (ch == ' ') {
            if (last_was_blank) continue;
            last_was_blank = true;
        } else {
            last_was_blank = false;
        }
        if (ch == '\\' && quoted) {
            // An escape stays as it is, whatever it holds: "\\" is one
            // backslash and "\'" no end of the text; "\x5f" and "\u00e9" keep
            // their letters, which the string's value never shows.
            const std::size_t length = escape_length(line, j);
            out.append(line.substr(j, length));
            for (const std::size_t end = j + length; j + 1 < end;) step(++j);
        } else if (ch == '&' && quoted && !q.in_entity) {
            q.in_entity = true;
            out += ch;
        } else if (ch == ';' && quoted && q.in_entity) {
            q.in_entity = false;
            out += ch;
        } else if (seen.part == ScriptPart::string && seen.edge == ScriptEdge::opens) {
            out += "('";
        } else if (seen.part == ScriptPart::string && seen.edge == ScriptEdge::closes) {
            out += "')";
        } else if (ch == '<' && quoted && !q.in_tag) {
            q.in_tag = true;
            out += ch;
        } else if (ch == '>' && quoted && q.in_tag) {
            q.in_tag = false;
            out += ch;
        } else if (quoted && !q.in_entity && !q.in_tag) {
            out += letter_shift[static_cast<unsigned char>(ch)];  // others map to themselves
        } else {
            out += ch;
        }
    }
    q.script.step('\n', '\0');  // the line's break, which the output joins later
}

// The markers go from the whole page; none reaches across a line break, so
// removing them line by line is the same.
void append_without_markers(std::string_view line, std::string& out) {
    std::size_t pos = 0;
    for (std::size_t hit = line.find(verbatim_marker); hit != std::string_view::npos;
         hit = line.find(verbatim_marker, pos)) {
        out.append(line, pos, hit - pos);
        pos = hit + verbatim_marker.size();
    }
    out.append(line, pos);
}

}  // namespace

char shift_letter(char c) {
    return letter_shift[static_cast<unsigned char>(c)];
}

void encode_release_lines(Build& build, std::initializer_list<std::string_view> parts,
                          const std::function<void(std::string_view)>& sink) {
    build.log.log_line("Encripting...");
    std::size_t count = 0;
    for (const std::string_view part : parts)
        for_each_line(part, [&](std::string_view) { ++count; });

    std::string encoded;
    std::string line_out;
    const auto emit = [&](std::string_view line) {
        if (line.find(verbatim_marker) == std::string_view::npos) {
            sink(line);
            return;
        }
        line_out.clear();
        append_without_markers(line, line_out);
        sink(line_out);
    };

    bool in_region = false;  // from the line "</title>" to the line holding only the marker
    Quoting quoting;
    std::size_t threshold = 10;
    std::size_t i = 0;
    const auto encode_line = [&](std::string_view line) {
        if (i * 100 / count > threshold) {
            build.log.log_line("..." + std::to_string(threshold) + "%");
            threshold += 10;
        }
        ++i;
        build.poll_stop();
        const std::string_view t = trim_view(line);
        if (t == "</title>") in_region = true;
        if (t.empty()) return;
        if (t.starts_with("//") && !t.starts_with("///")) return;  // comments go everywhere
        if (t == verbatim_marker) in_region = false;
        if (!in_region || t.ends_with(verbatim_marker)) {
            emit(t);
        } else {
            encoded.clear();
            append_encoded(t, quoting, encoded);
            emit(encoded);
        }
    };
    for (const std::string_view part : parts) for_each_line(part, encode_line);
}

void encode_release_text(Build& build) {
    std::string out;
    out.reserve(build.release_text.size() + build.release_text.size() / 8);
    bool first_line = true;
    encode_release_lines(build, {build.release_text}, [&](std::string_view line) {
        if (!first_line) out.append(crlf);
        first_line = false;
        out.append(line);
    });
    build.release_text = std::move(out);
    build.poll_stop();
}

}  // namespace quenlo
