#pragma once
// A "Range" request on a page of `size` bytes: one range of the page, clamped
// to it; refused when it starts past its end; ignored (the whole page) when
// it is not one plain byte range.

#include <cstddef>
#include <string_view>

namespace quenlo {

struct ByteRange {
    enum class Kind { whole, part, unsatisfiable };
    Kind kind = Kind::whole;
    std::size_t first = 0;   // for a part: its first byte and its length,
    std::size_t length = 0;  // both inside the page
};

ByteRange byte_range(std::string_view field, std::size_t size);

}  // namespace quenlo
