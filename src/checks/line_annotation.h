#pragma once
// "// actions.qna line:12": the comment that the script sections put before
// each line of an author's script in the page, read back into the file and
// the line it names, so that a fault found in the page is shown in the file.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quenlo {

// The file and the line (from 1) that an annotation comment names, or none
// when `comment` is no annotation.
std::optional<std::pair<std::string, std::size_t>> annotated_source(std::string_view comment);

}  // namespace quenlo
