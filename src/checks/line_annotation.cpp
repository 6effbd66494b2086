#include "checks/line_annotation.h"

#include "foundation/parse_integer.h"
#include "foundation/text.h"

namespace quenlo {

std::optional<std::pair<std::string, std::size_t>> annotated_source(std::string_view comment) {
    comment = trim_view(comment);
    constexpr std::string_view head = "// ";
    constexpr std::string_view mark = " line:";
    const std::size_t at = comment.rfind(mark);
    if (!comment.starts_with(head) || at == std::string_view::npos || at <= head.size())
        return std::nullopt;
    const auto number = parse_integer(comment.substr(at + mark.size()));
    if (!number || *number < 1) return std::nullopt;
    return std::pair{std::string(comment.substr(head.size(), at - head.size())),
                     static_cast<std::size_t>(*number)};
}

}  // namespace quenlo
