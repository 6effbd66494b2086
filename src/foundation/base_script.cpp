#include "foundation/base_script.h"

#include "foundation/error.h"
#include "foundation/project_files.h"
#include "foundation/stored_resources.h"
#include "foundation/text.h"

namespace quenlo {

BaseScript::BaseScript() : BaseScript(join_lines(split_lines(stored_base_script()))) {}

BaseScript::BaseScript(std::string text) : text_(std::move(text)) {}

void BaseScript::load_base_override(const std::string& path) {
    text_ = read_text(path);
}

std::string BaseScript::html_part() const {
    const std::size_t help = text_.find("#HELP");
    if (help == std::string::npos) throw Error("invalid base script");
    return text_.substr(0, help);
}

bool is_section_header(std::string_view line) {
    const std::string_view t = trim_view(line);
    return t.size() > 1 && t.front() == '#';
}

std::optional<std::vector<std::string>> BaseScript::section_lines(std::string_view name) const {
    std::optional<std::vector<std::string>> found;
    bool collecting = false;
    bool done = false;
    for_each_line(text_, [&](std::string_view line) {
        if (done) return;
        if (is_section_header(line)) {
            if (collecting) {
                done = true;
            } else if (trim_view(line) == name) {
                collecting = true;
                found.emplace();
            }
        } else if (collecting) {
            found->emplace_back(line);
        }
    });
    return found;
}

}  // namespace quenlo
