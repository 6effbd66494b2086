#include "backend/check_unknown_identifiers.h"

#include <string>
#include <string_view>
#include <vector>

#include "backend/ordered_replacement.h"
#include "backend/runtime_names.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

// The runtime's names first, then the declared ones table by table; each
// deleted everywhere before the next, so the order decides what is left of a
// longer name that contains a shorter one.
OrderedReplacement known_name_deletion(const Build& build) {
    std::vector<NameReplacement> rules;
    for (const std::string_view name : known_runtime_identifiers)
        rules.push_back({std::string(name), ""});
    for (const auto* table : {&build.lstobj, &build.lstroom, &build.lstobjroom, &build.lstvar})
        for (const std::string& name : *table)
            if (!name.empty()) rules.push_back({name, ""});
    return OrderedReplacement(std::move(rules));
}

bool is_comment_line(std::string_view line) {
    return trim_view(line).starts_with("//");
}

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
    for_each_line(build.page, [&](std::string_view line) {
        if (line.find('_') == std::string_view::npos) return;
        left.clear();
        deletion.apply(line, left);
        if (left.find('_') == std::string::npos || is_comment_line(left)) return;
        report.append(line);
        report.append(crlf);
    });

    for (int percent = 10; percent <= 90; percent += 10)
        log.log_line(std::to_string(percent) + "%...");
    if (!report.empty()) throw Error("Unknown objects/rooms/variables: \r\n" + report);
    log.log_line("100%...");
}

}  // namespace quenlo
