#include "backend/rename_runtime_identifiers.h"

#include <vector>

#include "backend/ordered_replacement.h"
#include "backend/runtime_names.h"
#include "foundation/build.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

OrderedReplacement runtime_name_shortening() {
    std::vector<NameReplacement> rules;
    rules.reserve(release_renamed_names.size());
    for (std::size_t k = 0; k < release_renamed_names.size(); ++k)
        rules.push_back({std::string(release_renamed_names[k]), "_fu" + std::to_string(k)});
    return OrderedReplacement(std::move(rules));
}

std::size_t shrink_run(std::size_t blanks) {
    for (const std::size_t k : {5, 4, 3, 2}) blanks = blanks / k + blanks % k;
    return blanks;
}

void append_shrunk(std::string_view text, std::string& out) {
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
}

// One pass over the lines: each is renamed, trimmed and joined, and each
// output line has its blanks shrunk as it is written. No name holds a line
// break or a blank, so renaming line by line and before trimming renames as
// the whole text would, and no run of blanks reaches across an output line.
// The first two lines (the document type and the content type) stay alone; a
// line ending in anything but "{", ";" or "," ends its output line.
std::string rename_and_join(std::string_view text, Build& build) {
    OrderedReplacement shortening = runtime_name_shortening();
    std::string out;
    out.reserve(text.size());
    bool first_output = true;
    const auto emit = [&](std::string_view line) {
        if (!first_output) out.append(crlf);
        first_output = false;
        append_shrunk(line, out);
    };
    std::string renamed;
    std::string joined;
    std::size_t joined_characters = 0;
    std::size_t index = 0;
    for_each_line(text, [&](std::string_view line) {
        build.poll_stop();
        renamed.clear();
        shortening.apply(trim_view(line), renamed);
        const std::string_view t = renamed;
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

}  // namespace

std::string shrink_blanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    append_shrunk(text, out);
    return out;
}

void rename_runtime_identifiers(Build& build) {
    build.rerelease = rename_and_join(build.release_text, build);
    build.release_text.clear();
    build.release_text.shrink_to_fit();
    build.poll_stop();
    build.log.log_line("...100%");
}

}  // namespace quenlo
