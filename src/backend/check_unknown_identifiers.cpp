#include "backend/check_unknown_identifiers.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "backend/ordered_replacement.h"
#include "backend/rewrite_script_code.h"
#include "backend/runtime_names.h"
#include "checks/line_annotation.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

// The runtime's names first, then the declared ones; each deleted everywhere
// before the next. The longer declared names go first, so that a name holding
// a shorter one ("_chiave_grande_" and "_chiave_") is deleted whole rather
// than left as a stray "grande_".
OrderedReplacement known_name_deletion(const Build& build) {
    std::vector<NameReplacement> rules;
    for (const std::string_view name : known_runtime_identifiers)
        rules.push_back({std::string(name), ""});
    std::vector<NameReplacement> declared;
    for (const auto* table : {&build.lstobj, &build.lstroom, &build.lstobjroom, &build.lstvar})
        for (const std::string& name : *table)
            if (!name.empty()) declared.push_back({name, ""});
    std::stable_sort(declared.begin(), declared.end(),
                     [](const auto& a, const auto& b) { return a.name.size() > b.name.size(); });
    rules.insert(rules.end(), declared.begin(), declared.end());
    return OrderedReplacement(std::move(rules));
}

bool is_comment_line(std::string_view line) {
    return trim_view(line).starts_with("//");
}

bool is_name_character(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The name around the first underscore of what is left of a line once the
// known names are gone: what the author is shown and what is looked for in
// the source line.
std::string unknown_name(std::string_view left) {
    std::size_t start = left.find('_');
    std::size_t end = start;
    while (start > 0 && is_name_character(left[start - 1])) --start;
    while (end < left.size() && is_name_character(left[end])) ++end;
    return std::string(left.substr(start, end - start));
}

// A reported line of the page and what is left of it.
struct Offence {
    std::string_view line;
    std::string name;
    std::optional<std::pair<std::string, std::size_t>> annotation;  // of the line before
};

// Finds in the project files the place of every offending line: a line of a
// script section by the comment before it, a line of generated code by the
// record its compiler kept (the k-th time a line recurs, by the k-th record).
class OffencePlaces {
public:
    explicit OffencePlaces(const Build& build) : build_(build) {}

    std::vector<SourceLocation> places(const std::vector<Offence>& offences) {
        std::vector<SourceLocation> found;
        for (const Offence& offence : offences) {
            SourceLocation where = place(offence);
            if (!where.known()) continue;
            where.note = offence.name;
            found.push_back(std::move(where));
        }
        return found;
    }

private:
    SourceLocation place(const Offence& offence) {
        if (offence.annotation) {
            const auto& [file, line] = *offence.annotation;
            return build_.sources.location(file, line, offence.name);
        }
        if (!indexed_) index_generated_lines();
        const auto found = by_page_line_.find(std::string(offence.line));
        if (found == by_page_line_.end() || found->second.empty()) return {};
        const GeneratedLine& origin = *found->second.front();
        found->second.erase(found->second.begin());
        return build_.sources.find(origin.file, offence.name, origin.first, origin.last);
    }

    // A generated line reaches the page trimmed, and with its variables
    // rewritten when it stands in the code. Names hold no line break, so the
    // lines are rewritten in one pass over all of them.
    void index_generated_lines() {
        indexed_ = true;
        std::string all;
        for (const GeneratedLine& generated : build_.generated_lines) {
            all.append(trim_view(generated.code));
            all += '\n';
        }
        const std::string rewritten_all = replace_variables(all, build_.lstvar);
        std::size_t start = 0;
        for (const GeneratedLine& generated : build_.generated_lines) {
            const std::size_t end = rewritten_all.find('\n', start);
            const std::string rewritten = trim(rewritten_all.substr(start, end - start));
            start = end + 1;
            const std::string trimmed = trim(generated.code);
            by_page_line_[trimmed].push_back(&generated);
            if (rewritten != trimmed) by_page_line_[rewritten].push_back(&generated);
        }
    }

    const Build& build_;
    bool indexed_ = false;
    std::unordered_map<std::string, std::vector<const GeneratedLine*>> by_page_line_;
};

}  // namespace

void check_unknown_identifiers(Build& build) {
    BuildLog& log = build.log;
    log.log_line("Check for unknown objects/rooms/variables...");
    if (build.switches.skip_unknown_check) {
        log.log_line(" skipped!");
        return;
    }

    // Names hold no line break, so deleting them line by line is deleting them
    // from the whole page, and line i of what is left is line i of the page. A
    // line without an underscore can never be reported, so it is passed over.
    OrderedReplacement deletion = known_name_deletion(build);
    std::string report;
    std::string left;
    std::vector<Offence> offences;
    std::string_view previous;
    for_each_line(build.page, [&](std::string_view line) {
        const std::string_view before = std::exchange(previous, line);
        if (line.find('_') == std::string_view::npos) return;
        left.clear();
        deletion.apply(line, left);
        if (left.find('_') == std::string::npos || is_comment_line(left)) return;
        report.append(line);
        report.append(crlf);
        offences.push_back({line, unknown_name(left), annotated_source(before)});
    });

    for (int percent = 10; percent <= 90; percent += 10)
        log.log_line(std::to_string(percent) + "%...");
    if (!report.empty())
        throw Error("Unknown objects/rooms/variables: \r\n" + report,
                    OffencePlaces(build).places(offences));
    log.log_line("100%...");
}

}  // namespace quenlo
