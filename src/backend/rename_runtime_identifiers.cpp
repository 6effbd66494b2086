#include "backend/rename_runtime_identifiers.h"

#include <algorithm>
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

// A lone blank stays as it is, so only runs of two or more are rewritten.
void append_shrunk(std::string_view text, std::string& out) {
    std::size_t copied = 0;  // text before this is in `out` already
    for (std::size_t blank = text.find(' '); blank != std::string_view::npos;
         blank = text.find(' ', blank)) {
        std::size_t end = blank + 1;
        while (end < text.size() && text[end] == ' ') ++end;
        if (end - blank > 1) {
            out.append(text, copied, blank - copied);
            out.append(shrink_run(end - blank), ' ');
            copied = end;
        }
        blank = end;
    }
    out.append(text, copied);
}

}  // namespace

std::string shorten_runtime_names(std::string_view text) {
    return runtime_name_shortening().apply(text);
}

std::string shrink_blanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    append_shrunk(text, out);
    return out;
}

// Each line is renamed, trimmed and joined, and each output line has its
// blanks shrunk as it is written. No name holds a line break or a blank, so
// renaming line by line and before trimming renames as the whole text would,
// and no run of blanks reaches across an output line. The first two lines (the
// document type and the content type) stay alone; a line ending in anything
// but "{", ";" or "," ends its output line.
ReleaseLineJoiner::ReleaseLineJoiner(Build& build, std::size_t expected_size)
    : build_(build),
      shortening_(runtime_name_shortening()),
      names_hold_underscore_(std::all_of(release_renamed_names.begin(), release_renamed_names.end(),
                                         [](std::string_view name) {
                                             return name.find('_') != std::string_view::npos;
                                         })) {
    page_.reserve(expected_size + expected_size / 8);  // quotes may add a little
}

void ReleaseLineJoiner::add(std::string_view line) {
    build_.poll_stop();
    // The line is renamed straight onto the end of the joined line.
    if (!joined_.empty()) joined_ += ' ';
    const std::size_t start = joined_.size();
    const std::string_view trimmed = trim_view(line);
    // Lines without an underscore, such as a picture's data, hold no name.
    if (names_hold_underscore_ && trimmed.find('_') == std::string_view::npos)
        joined_.append(trimmed);
    else
        shortening_.apply(trimmed, joined_);
    if (index_++ < 2) {  // nothing is joined before these
        emit(joined_);
        joined_.clear();
        return;
    }
    const std::string_view t = std::string_view(joined_).substr(start);
    if (t.empty()) return;
    const char last = t.back();
    // A character has at least one byte, so a line of few bytes needs no count.
    if ((last == '{' || last == ';' || last == ',') &&
        (joined_.size() <= joined_line_length || count_code_points(joined_) <= joined_line_length))
        return;
    emit(joined_);
    joined_.clear();
}

void ReleaseLineJoiner::emit(std::string_view line) {
    if (!first_output_) page_.append(crlf);
    first_output_ = false;
    append_shrunk(line, page_);
}

void ReleaseLineJoiner::finish() {
    if (!joined_.empty()) emit(joined_);
    build_.poll_stop();
    build_.log.log_line("...100%");
    build_.rerelease = std::move(page_);
}

void rename_runtime_identifiers(Build& build) {
    ReleaseLineJoiner joiner(build, build.release_text.size());
    for_each_line(build.release_text, [&](std::string_view line) { joiner.add(line); });
    build.release_text.clear();
    build.release_text.shrink_to_fit();
    joiner.finish();
}

}  // namespace quenlo
