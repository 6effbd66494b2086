#include "compilers/compile_messages.h"

#include <array>
#include <string>

#include "checks/escape_text.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/parse_integer.h"
#include "foundation/project_files.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

constexpr int message_count = 100;  // rows 0 to 99; row 0 stays empty
constexpr int title_message = 1;
constexpr int home_site_message = 3;

// "{7}", "{07}", "{ 7}": a brace pair of at most four characters in all.
bool is_header(std::string_view line) {
    return line.size() >= 2 && line.front() == '{' && line.back() == '}' &&
           count_code_points(line) <= 4;
}

// The home-site address is stored unescaped, so an HTML entity cannot spoil
// it; only what would end its string literal early is escaped.
std::string as_string_content(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\\' || c == '\'') out += '\\';
        out += c;
    }
    return out;
}

}  // namespace

void compile_messages(Build& build) {
    const std::string path = build.path("messages.qnr");
    const std::vector<std::string> lines = read_lines(path);
    build.log.log_line("%Merge file: " + path);

    std::array<std::string, message_count> texts;
    std::array<std::size_t, message_count> first_line{};  // from 1; 0 for no text
    std::array<std::size_t, message_count> last_line{};
    int current = -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        build.poll_stop();
        const std::string_view line = trim_view(lines[i]);
        if (is_header(line)) {
            const auto number = parse_integer(trim_view(line.substr(1, line.size() - 2)));
            if (!number)
                throw Error("syntax error: " + std::string(line), line_location(path, lines, i));
            current = *number;
        } else if (current > 0 && current < message_count) {
            texts[current].append(line);
            texts[current] += ' ';
            if (first_line[current] == 0) first_line[current] = i + 1;
            last_line[current] = i + 1;
        }
    }

    build.lstmsg.assign(1, std::string());
    std::string code;
    for (int n = 1; n < message_count; ++n) {
        build.poll_stop();
        std::string& text = texts[n];
        if (n != home_site_message) text = escape_text(text);
        if (!text.empty()) build.log.log_line("Added message: " + std::to_string(n));
        const std::string entry = "'" +
                                  (n == home_site_message ? as_string_content(trim_view(text))
                                                          : std::string(trim_view(text))) +
                                  "',";
        code += entry;
        code += crlf;
        if (first_line[n] > 0) {
            build.note_generated(entry, "messages.qnr", first_line[n], last_line[n]);
            // The title goes into the page's head as well, its apostrophes plain.
            if (n == title_message)
                build.note_generated(replace_all(trim_view(text), "\\'", "'"), "messages.qnr",
                                     first_line[n], last_line[n]);
        }
        build.lstmsg.push_back(std::move(text));
    }
    replace_all_in_place(build.page, "___MESSAGES___", code);
}

}  // namespace quenlo
