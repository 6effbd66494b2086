#pragma once
// The head of an HTTP/1.x request, read with the bounds a server on the
// author's machine needs against any web page the author visits: at most 64
// header fields in at most 16 KB, exactly one Host, and no control character
// anywhere. A head that breaks them is refused with its status, never
// stored whole.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quenlo {

inline constexpr std::size_t max_header_fields = 64;
inline constexpr std::size_t max_head_bytes = 16 * 1024;

struct HttpRequest {
    std::string method;
    std::string target;
    bool keep_alive = true;  // HTTP/1.1 without "Connection: close"
    std::vector<std::pair<std::string, std::string>> fields;  // names in lower case
    std::size_t content_length = 0;
    std::string body;

    // The value of the first field named `name` (lower case), or empty.
    std::string_view field(std::string_view name) const;
};

struct HeadReading {
    enum class Outcome { incomplete, complete, refused };
    Outcome outcome = Outcome::incomplete;
    int status = 0;          // when refused: 400, 431, 501 or 505
    std::size_t length = 0;  // when complete: the head's bytes, its empty line included
    HttpRequest request;     // when complete, without its body
};

// Reads the head at the start of `bytes`: incomplete while its empty line has
// not come (refused once more than `max_head_bytes` came without it).
HeadReading read_request_head(std::string_view bytes);

}  // namespace quenlo
