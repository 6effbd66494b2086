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
constexpr int home_site_message = 3;
constexpr int page_name_message = 50;

// "{7}", "{07}", "{ 7}": a brace pair of at most four characters in all.
bool is_header(std::string_view line) {
    return line.size() >= 2 && line.front() == '{' && line.back() == '}' &&
           count_code_points(line) <= 4;
}

// Message texts are data, never code: an underscore is written as the escape
// "\x5f", which stands for the same character, so no message can look like a
// misspelt name to the check that reads the page's code.
void hide_underscores(std::string& content) {
    replace_all_in_place(content, "_", "\\x5f");
}

}  // namespace

void compile_messages(Build& build) {
    const std::string path = build.path("messages.qnr");
    const std::vector<std::string> lines = read_lines(path);
    build.log.log_line("%Merge file: " + path);

    std::array<std::string, message_count> texts;
    build.message_headers.assign(message_count, SourceLocation{});
    build.message_headers[0] = {path, 1, 0, lines.empty() ? std::string() : lines[0], {}};
    int current = -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        build.poll_stop();
        const std::string_view line = trim_view(lines[i]);
        if (is_header(line)) {
            const auto number = parse_integer(trim_view(line.substr(1, line.size() - 2)));
            if (!number)
                throw Error("syntax error: " + std::string(line), line_location(path, lines, i));
            current = *number;
            if (current > 0 && current < message_count && !build.message_headers[current].known())
                build.message_headers[current] =
                    line_location(path, lines, i, column_of(lines[i], "{"));
        } else if (current > 0 && current < message_count) {
            texts[current].append(line);
            texts[current] += ' ';
        }
    }

    build.lstmsg.assign(1, std::string());
    std::string code;
    for (int n = 1; n < message_count; ++n) {
        build.poll_stop();
        std::string& text = texts[n];
        if (n == page_name_message) build.page_name = trim(text);
        // The home-site address is kept unescaped, so an HTML entity cannot spoil it.
        text = n == home_site_message ? literal_string_content(text) : escape_text(text);
        hide_underscores(text);
        if (!text.empty()) build.log.log_line("Added message: " + std::to_string(n));
        code += '\'';
        code.append(trim_view(text));
        code += "',";
        code += crlf;
        build.lstmsg.push_back(std::move(text));
    }
    replace_all_in_place(build.page, "___MESSAGES___", code);
}

}  // namespace quenlo
