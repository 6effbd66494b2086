#include "preview/byte_range.h"

#include <optional>

namespace quenlo {

namespace {

// A run of digits; a value too large for size_t saturates, so that it still
// counts as past any page.
std::optional<std::size_t> number(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    std::size_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        const auto digit = static_cast<std::size_t>(c - '0');
        value = value > (SIZE_MAX - digit) / 10 ? SIZE_MAX : value * 10 + digit;
    }
    return value;
}

}  // namespace

ByteRange byte_range(std::string_view field, std::size_t size) {
    const ByteRange whole;
    constexpr std::string_view unit = "bytes=";
    if (!field.starts_with(unit)) return whole;
    field.remove_prefix(unit.size());
    const std::size_t dash = field.find('-');
    if (dash == std::string_view::npos) return whole;  // also a list of ranges has none alone
    const auto first = number(field.substr(0, dash));
    const auto last = field.size() > dash + 1 ? number(field.substr(dash + 1))
                                              : std::optional<std::size_t>(SIZE_MAX);
    if (!last) return whole;
    ByteRange range;
    range.kind = ByteRange::Kind::part;
    if (!first) {
        // "-N": the last N bytes.
        if (dash != 0 || field.size() == 1) return whole;
        if (*last == 0 || size == 0) return {ByteRange::Kind::unsatisfiable, 0, 0};
        range.length = *last < size ? *last : size;
        range.first = size - range.length;
        return range;
    }
    if (*first > *last) return whole;
    if (*first >= size) return {ByteRange::Kind::unsatisfiable, 0, 0};
    range.first = *first;
    range.length = (*last < size ? *last + 1 : size) - *first;
    return range;
}

}  // namespace quenlo
