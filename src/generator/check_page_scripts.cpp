#include "generator/check_page_scripts.h"

#include <algorithm>
#include <future>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/source_location.h"
#include "foundation/text.h"
#include "generator/page_line_place.h"

namespace quenlo {

namespace {

bool is_base64(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/' || c == '=';
}

// The script with the data of its pictures left out: a long run of base64
// inside a string ("'...'", or after "base64,") cannot change what the script
// means, and megabytes of it would make most of the parser's work. Lines
// stay where they are.
std::string without_picture_data(std::string_view script) {
    constexpr std::size_t long_run = 512;
    constexpr std::string_view data_head = "base64,";
    std::string out;
    out.reserve(script.size());
    std::size_t copied = 0;
    // Only a quote, or the comma of "base64,", can open such a run; both are
    // looked for by the library's fast searches.
    std::size_t quote = script.find('\'');
    std::size_t head = script.find(data_head);
    while (quote != std::string_view::npos || head != std::string_view::npos) {
        const bool at_quote = head == std::string_view::npos || quote < head;
        const std::size_t at = at_quote ? quote : head + data_head.size() - 1;
        const auto next = [&](std::size_t from) {
            if (at_quote)
                quote = script.find('\'', from);
            else
                head = script.find(data_head, from);
        };
        std::size_t end = at + 1;
        while (end < script.size() && is_base64(script[end])) ++end;
        if (end - at - 1 < long_run || end >= script.size() || script[end] != '\'') {
            next(at + 1);
            continue;
        }
        out.append(script, copied, at + 1 - copied);
        copied = end;
        // The closing quote is looked at again, as every quote is.
        quote = script.find('\'', end);
        if (head != std::string_view::npos && head < end) head = script.find(data_head, end);
    }
    out.append(script, copied);
    return out;
}

// The first syntax error of the page's scripts, lines counted in the page.
std::optional<ScriptSyntaxError> first_script_error(std::string_view page,
                                                    const ScriptParser& parser) {
    std::size_t line = 1;
    std::size_t counted = 0;  // the offset up to which `line` is counted
    for (std::size_t at = page.find("<script"); at != std::string_view::npos;
         at = page.find("<script", at)) {
        const std::size_t open_end = page.find('>', at);
        if (open_end == std::string_view::npos) break;
        const std::size_t close = page.find("</script>", open_end);
        if (close == std::string_view::npos) break;
        line += static_cast<std::size_t>(
            std::count(page.begin() + static_cast<std::ptrdiff_t>(counted),
                       page.begin() + static_cast<std::ptrdiff_t>(open_end + 1), '\n'));
        counted = open_end + 1;
        const std::string script =
            without_picture_data(page.substr(open_end + 1, close - open_end - 1));
        if (auto error = parser.syntax_error(script, line)) return error;
        at = close;
    }
    return std::nullopt;
}

// Where in the author's files the page's line `number` came from: a script
// line by the comment before it, generated code by its compiler's record.
SourceLocation author_place(Build& build, std::string_view page, std::size_t number,
                            std::size_t column) {
    SourceLocation where = annotated_page_line(page, number, column, build.sources);
    if (where.known()) return where;
    std::string_view line;
    std::size_t n = 0;
    for_each_line(page, [&](std::string_view text) {
        if (++n == number) line = text;
    });
    const std::string trimmed = trim(line);
    for (const GeneratedLine& generated : build.generated_lines)
        if (!trimmed.empty() && trim(generated.code) == trimmed)
            return build.sources.location(generated.file, generated.first);
    return {};
}

// An error the parser finds past the author's code (a block left open runs on
// into the runtime's) lies at the first bracket of a script file that does
// not match.
SourceLocation unmatched_bracket(const Build& build) {
    for (const ScriptUses& uses : build.script_uses) {
        const UnmatchedBracket& bracket = uses.unmatched;
        if (bracket.bracket == 0) continue;
        SourceLocation where = build.sources.location(uses.file, bracket.line);
        where.column = bracket.column;
        where.note = std::string(" (this ") + bracket.bracket + " does not match)";
        return where;
    }
    return {};
}

// Silent when the scripts parse: the check adds nothing to a good build's log.
void check_scripts(Build& build, const ScriptParser& parser,
                   std::future<std::optional<ScriptSyntaxError>>& debug) {
    if (const auto error = debug.get()) {
        const std::string text = "Script error: " + error->message;
        SourceLocation where = author_place(build, build.redebug, error->line, error->column);
        if (!where.known()) where = unmatched_bracket(build);
        throw Error(text, std::move(where));
    }
    build.poll_stop();
    if (!build.release) return;
    if (const auto error = first_script_error(build.rerelease, parser))
        throw Error("Script error in the release page: " + error->message + " (line " +
                    std::to_string(error->line) + ", column " + std::to_string(error->column) +
                    "); the debug page's script parses, so this is a fault of Quenlo's "
                    "release transformations: please report it");
    build.poll_stop();
}

}  // namespace

PageScriptCheck::PageScriptCheck(const Build& build, const ScriptParser& parser)
    : parser_(parser), debug_(std::async(std::launch::async, [&build, &parser] {
          return first_script_error(build.redebug, parser);
      })) {}

void PageScriptCheck::finish(Build& build) {
    try {
        check_scripts(build, parser_, debug_);
    } catch (const Error&) {
        throw;
    } catch (const std::runtime_error& failure) {
        throw Error(failure.what());  // the engine could not start: nothing was checked
    }
}

}  // namespace quenlo
