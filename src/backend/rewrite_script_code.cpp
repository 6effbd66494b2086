#include "backend/rewrite_script_code.h"

#include <string>
#include <string_view>
#include <vector>

#include "backend/merge_images.h"
#include "backend/ordered_replacement.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/placeholders.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

// The line dividing the runtime's declarations from the code.
constexpr std::string_view code_marker = "///===";

// Variables are rewritten in the code only, so the runtime's declarations and
// the quoted names of its variable list stay as they are.
OrderedReplacement variable_replacement(const std::vector<std::string>& lstvar) {
    std::vector<NameReplacement> rules;
    rules.reserve(lstvar.size());
    for (std::size_t i = 0; i < lstvar.size(); ++i)
        if (!lstvar[i].empty())
            rules.push_back({lstvar[i], "window.g_var[" + std::to_string(i) + "]"});
    return OrderedReplacement(std::move(rules));
}

// The page's lines trimmed and joined by CR LF, without the code marker, the
// variables rewritten in the lines after it. No name holds a line break, so
// rewriting line by line is rewriting the code as one text.
// `room` more bytes are reserved for what is merged later, so the page is not
// copied again to grow.
std::string trimmed_page_with_variables(std::string_view page,
                                        const std::vector<std::string>& lstvar, std::size_t room) {
    OrderedReplacement variables = variable_replacement(lstvar);
    std::string out;
    out.reserve(page.size() + page.size() / 16 + room);
    bool first = true;
    bool past_marker = false;
    for_each_line(page, [&](std::string_view line) {
        const std::string_view trimmed = trim_view(line);
        if (trimmed == code_marker) {
            past_marker = true;
            return;
        }
        if (!first) out.append(crlf);
        first = false;
        if (past_marker)
            variables.apply(trimmed, out);
        else
            out.append(trimmed);
    });
    return out;
}

}  // namespace

std::string replace_variables(std::string_view code, const std::vector<std::string>& lstvar) {
    return variable_replacement(lstvar).apply(code);
}

namespace {

// Gives every call its own number, in page order: the first "f_showx(" becomes
// "f_show(0,", the next "f_show(1,". A replacement can never form a new call,
// so one pass numbers them all.
void number_calls(std::string& page, std::string_view call, std::string_view numbered,
                  const char* too_many) {
    std::vector<std::size_t> hits;
    for (std::size_t hit = page.find(call); hit != std::string::npos;
         hit = page.find(call, hit + call.size())) {
        if (hits.size() == numbered_call_limit) throw Error(too_many);
        hits.push_back(hit);
    }
    std::string value;
    replace_growing_in_place(page, hits, call.size(), [&](std::size_t number) {
        value.assign(numbered);
        value.append(std::to_string(number));
        value.push_back(',');
        return std::string_view(value);
    });
}

}  // namespace

void rewrite_script_code(Build& build) {
    build.log.log_line("Replacing variables ...");
    // The pictures come next: the page is made with room for them.
    build.page = trimmed_page_with_variables(build.page, build.lstvar, picture_bytes(build));
    std::string& page = build.page;
    replace_all_in_place(page, "foreachobject{",
                         "for (var omrvindex=window.g_defaultobjnum; "
                         "omrvindex<=window.g_lastobject; omrvindex++){ var id = o_id[omrvindex];");
    build.log.log_line("Replacing f_showx...");
    number_calls(page, "f_showx(", "f_show(", "Too many f_showx calls");
    build.log.log_line("Replacing f_appendx...");
    number_calls(page, "f_appendx(", "f_append(", "Too many f_appendx calls");
    replace_placeholder(page, "(CHECKFORAPPEND)", "((window.g_mex2=='')||(window.g_mex2==null))",
                        build.log);
    build.poll_stop();
}

}  // namespace quenlo
