#include "compilers/compile_messages.h"

#include <array>
#include <string>

#include "checks/escape_text.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/project_limits.h"
#include "foundation/text.h"
#include "model/project_reading.h"

namespace quenlo {

namespace {

constexpr int home_site_message = 3;
constexpr int page_name_message = 50;

// Message texts are data, never code: an underscore is written as the escape
// "\x5f", which stands for the same character, so no message can look like a
// misspelt name to the check that reads the page's code.
void hide_underscores(std::string& content) {
    replace_all_in_place(content, "_", "\\x5f");
}

}  // namespace

void compile_messages(Build& build) {
    const SourceFile& file = build.sources.file("messages.qnr");
    build.log.log_line("%Merge file: " + file.path);
    const MessagesReading& reading = project_model(build).messages;
    if (reading.stop) throw error_from(*reading.stop);

    std::array<std::string, message_count> texts;
    const std::vector<std::string>& lines = file.lines;
    build.message_headers.assign(message_count, SourceLocation{});
    build.message_headers[0] = {file.path, 1, 0, lines.empty() ? std::string() : lines[0], {}};
    for (const MessageDecl& message : reading.messages) {
        build.poll_stop();
        if (message.number <= 0 || message.number >= message_count) continue;
        texts[message.number] += message.joined;
        SourceLocation& header = build.message_headers[message.number];
        if (!header.known())
            header = line_location(file.path, lines, message.header_line,
                                   column_of(lines[message.header_line], "{"));
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
