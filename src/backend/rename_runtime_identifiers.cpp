#include "backend/rename_runtime_identifiers.h"

#include <vector>

#include "backend/ordered_replacement.h"
#include "backend/runtime_names.h"
#include "foundation/build.h"
#include "foundation/text.h"

namespace quenlo {

std::string shorten_runtime_names(std::string_view text) {
    std::vector<NameReplacement> rules;
    rules.reserve(release_renamed_names.size());
    for (std::size_t k = 0; k < release_renamed_names.size(); ++k)
        rules.push_back({std::string(release_renamed_names[k]), "_fu" + std::to_string(k)});
    return OrderedReplacement(std::move(rules)).apply(text);
}

namespace {

// The first two lines (the document type and the content type) stay alone; a
// line ending in anything but "{", ";" or "," ends its output line.
std::string join_lines_of_code(std::string_view text, Build& build) {
    std::string out;
    out.reserve(text.size());
    bool first_output = true;
    const auto emit = [&](std::string_view line) {
        if (!first_output) out.append(crlf);
        first_output = false;
        out.append(line);
    };
    std::string joined;
    std::size_t joined_characters = 0;
    std::size_t index = 0;
    for_each_line(text, [&](std::string_view line) {
        build.poll_stop();
        const std::string_view t = trim_view(line);
        if (index++ < 2) {
            emit(t);
            return;
        }
        if (!joined.empty()) {
            joined += ' ';
            ++joined_characters;
        }
        joined.append(t);
        joined_characters += count_code_points(t);
        if (t.empty()) return;
        const char last = t.back();
        if ((last == '{' || last == ';' || last == ',') && joined_characters <= joined_line_length)
            return;
        emit(joined);
        joined.clear();
        joined_characters = 0;
    });
    if (!joined.empty()) emit(joined);
    return out;
}

std::size_t shrink_run(std::size_t blanks) {
    for (const std::size_t k : {5, 4, 3, 2}) blanks = blanks / k + blanks % k;
    return blanks;
}

}  // namespace

std::string shrink_blanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t blank = text.find(' ', pos);
        if (blank == std::string_view::npos) {
            out.append(text, pos);
            break;
        }
        out.append(text, pos, blank - pos);
        std::size_t end = blank;
        while (end < text.size() && text[end] == ' ') ++end;
        out.append(shrink_run(end - blank), ' ');
        pos = end;
    }
    return out;
}

void rename_runtime_identifiers(Build& build) {
    const std::string renamed = shorten_runtime_names(build.release_text);
    const std::string joined = join_lines_of_code(renamed, build);
    build.release_text = shrink_blanks(joined);
    build.poll_stop();
    build.log.log_line("...100%");
    build.rerelease = build.release_text;
}

}  // namespace quenlo
