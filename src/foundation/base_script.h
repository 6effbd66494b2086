#pragma once
// The base script: the template of every generated game. Its HTML part, up to
// the first "#HELP", is the page whose placeholders a build fills; after it
// come named sections ("#HELP", "#ROOMS", ...) that a new project is made from.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenlo {

class BaseScript {
public:
    BaseScript();  // the stored default
    explicit BaseScript(std::string text);

    // Replaces the whole base script by the file's lines; fails with the
    // file-open error and then keeps what it had.
    void load_base_override(const std::string& path);

    // The text before the first "#HELP", trailing line breaks included; fails
    // with "invalid base script" when there is none.
    std::string html_part() const;

    // The content lines of the first section whose trimmed header equals
    // `name` exactly, or nothing when no such header exists.
    std::optional<std::vector<std::string>> section_lines(std::string_view name) const;

    const std::string& text() const { return text_; }

private:
    std::string text_;  // lines joined by CR LF
};

// A header line, trimmed, is longer than one character and starts with "#".
bool is_section_header(std::string_view line);

}  // namespace quenlo
