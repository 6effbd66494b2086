#include "merges/story_texts.h"

#include <vector>

#include "checks/escape_text.h"
#include "checks/script_calls.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/project_files.h"
#include "foundation/text.h"
#include "merges/text_expressions.h"

namespace quenlo {

namespace {

constexpr std::size_t piece_length = 1024;
constexpr std::string_view intro_joint = "'+\r\n'";
constexpr std::string_view section_sign = "\xC2\xA7";

// Takes the text over, to let it go once escaped: a long introduction is
// then held at most twice at a time.
std::string convert_story_text(std::string_view placeholder, std::string text) {
    std::string converted = escape_text(text);
    std::string().swap(text);
    if (placeholder == "___SUCCESS___" || placeholder == "___FAIL___") {
        converted = join_expressions(converted);
    } else if (placeholder == "___INTRO___") {
        replace_all_in_place(converted, section_sign, "</p>\xC2\xA7<p>");
        converted = cut_into_pieces(converted);
    }
    return converted;
}

}  // namespace

std::string cut_into_pieces(std::string_view text) {
    std::string out;
    out.reserve(text.size() + (text.size() / piece_length + 1) * intro_joint.size());
    // Byte offsets at which the characters of the next piece start, and the
    // one after them: enough to step back from a cut, whatever the text's size.
    std::vector<std::size_t> starts;
    starts.reserve(piece_length + 1);
    std::size_t first = 0;  // the remaining text starts here
    for (;;) {
        starts.clear();
        for (std::size_t pos = first; starts.size() <= piece_length && pos < text.size();) {
            starts.push_back(pos);
            next_code_point(text, pos);
        }
        if (starts.size() <= piece_length) break;  // what remains is one piece
        std::size_t end = piece_length;
        while (end > 0 && text[starts[end] - 1] == '\\') --end;
        if (end == 0) end = piece_length;  // nothing but backslashes
        out.append(text.substr(first, starts[end] - first));
        out.append(intro_joint);
        first = starts[end];
    }
    out.append(text.substr(first));
    return out;
}

void merge_story_text(Build& build, std::string_view placeholder, std::string_view file_name) {
    try {
        const SourceFile& file = build.sources.file(file_name);
        std::string text = file.text();
        build.log.log_line("%Merge file: " + file.path);
        add_text_names(text, build.text_names);
        replace_all_in_place(build.page, placeholder,
                             convert_story_text(placeholder, std::move(text)));
    } catch (const Error&) {
        throw Error("Unable to merge");
    }
}

void merge_story_texts(Build& build) {
    static constexpr std::string_view texts[][2] = {
        {"___HELP___", "help.qni"},
        {"___SUCCESS___", "success.qni"},
        {"___FAIL___", "fail.qni"},
        {"___INTRO___", "intro.qni"},
    };
    for (const auto& [placeholder, file] : texts) {
        merge_story_text(build, placeholder, file);
        build.poll_stop();
    }
}

}  // namespace quenlo
