#include "merges/story_texts.h"

#include <vector>

#include "checks/escape_text.h"
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

std::string convert_story_text(std::string_view placeholder, std::string_view text) {
    std::string converted = escape_text(text);
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
    // Byte offsets at which each character starts, and the end.
    std::vector<std::size_t> starts;
    starts.reserve(text.size() + 1);
    for (std::size_t pos = 0; pos < text.size();) {
        starts.push_back(pos);
        next_code_point(text, pos);
    }
    starts.push_back(text.size());
    const std::size_t characters = starts.size() - 1;
    if (characters <= piece_length) return std::string(text);

    std::string out;
    out.reserve(text.size() + (characters / piece_length + 1) * intro_joint.size());
    std::size_t first = 0;  // first character of the remaining text
    while (characters - first > piece_length) {
        std::size_t end = first + piece_length;
        while (end > first && text[starts[end] - 1] == '\\') --end;
        if (end == first) end = first + piece_length;  // nothing but backslashes
        out.append(text.substr(starts[first], starts[end] - starts[first]));
        out.append(intro_joint);
        first = end;
    }
    out.append(text.substr(starts[first]));
    return out;
}

void merge_story_text(Build& build, std::string_view placeholder, const std::string& path) {
    try {
        const std::string text = read_text(path);
        build.log.log_line("%Merge file: " + path);
        replace_all_in_place(build.page, placeholder, convert_story_text(placeholder, text));
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
        merge_story_text(build, placeholder, build.path(file));
        build.poll_stop();
    }
}

}  // namespace quenlo
