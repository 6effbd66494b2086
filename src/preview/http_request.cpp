#include "preview/http_request.h"

#include <algorithm>

#include "foundation/text.h"

namespace quenlo {

namespace {

using Outcome = HeadReading::Outcome;

HeadReading refused(int status) {
    HeadReading reading;
    reading.outcome = Outcome::refused;
    reading.status = status;
    return reading;
}

bool is_token_char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

bool is_token(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), is_token_char);
}

// NUL, CR, LF and the other control characters; a tab is a blank.
bool has_control(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t') || byte == 0x7f;
    });
}

std::string_view trim_blanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool names_token(std::string_view list, std::string_view token) {
    for (std::size_t at = 0; at <= list.size();) {
        std::size_t comma = list.find(',', at);
        if (comma == std::string_view::npos) comma = list.size();
        if (ascii_lower(trim_blanks(list.substr(at, comma - at))) == token) return true;
        at = comma + 1;
    }
    return false;
}

// The end of the head, its empty line included; npos while it has not come.
std::size_t head_end(std::string_view bytes) {
    for (std::size_t at = bytes.find('\n'); at != std::string_view::npos;
         at = bytes.find('\n', at + 1)) {
        if (at + 1 < bytes.size() && bytes[at + 1] == '\n') return at + 2;
        if (at + 2 < bytes.size() && bytes[at + 1] == '\r' && bytes[at + 2] == '\n') return at + 3;
    }
    return std::string_view::npos;
}

// "METHOD TARGET HTTP/1.x"; 0 when it is one, or the status refusing it.
int read_request_line(std::string_view line, HttpRequest& request) {
    if (has_control(line)) return 400;
    const std::size_t first = line.find(' ');
    const std::size_t second = line.find(' ', first == std::string_view::npos ? first : first + 1);
    if (second == std::string_view::npos || line.find(' ', second + 1) != std::string_view::npos)
        return 400;
    const std::string_view method = line.substr(0, first);
    const std::string_view target = line.substr(first + 1, second - first - 1);
    const std::string_view version = line.substr(second + 1);
    if (!is_token(method) || target.empty() || target.find('\t') != std::string_view::npos)
        return 400;
    if (!version.starts_with("HTTP/")) return 400;
    if (version != "HTTP/1.1" && version != "HTTP/1.0") return 505;
    request.method = method;
    request.target = target;
    request.keep_alive = version == "HTTP/1.1";
    return 0;
}

// The length a "Content-Length" field gives, at most 18 digits.
std::optional<std::size_t> length_value(std::string_view text) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::size_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    return value;
}

}  // namespace

std::string_view HttpRequest::field(std::string_view name) const {
    for (const auto& [field_name, value] : fields)
        if (field_name == name) return value;
    return {};
}

HeadReading read_request_head(std::string_view bytes) {
    // A client may send empty lines before a request.
    const std::size_t skipped = std::min(bytes.find_first_not_of("\r\n"), bytes.size());
    const std::string_view rest = bytes.substr(skipped);
    const std::size_t end = head_end(rest.substr(0, std::min(rest.size(), max_head_bytes + 3)));
    if (end == std::string_view::npos || skipped + end > max_head_bytes)
        return bytes.size() > max_head_bytes ? refused(431) : HeadReading{};

    HeadReading reading;
    HttpRequest& request = reading.request;
    const std::string_view head = rest.substr(0, end);
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < head.size();) {
        std::size_t newline = head.find('\n', at);
        std::string_view line = head.substr(at, newline - at);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty()) break;
        lines.push_back(line);
        at = newline + 1;
    }
    if (lines.size() - 1 > max_header_fields) return refused(431);
    if (const int status = read_request_line(lines.front(), request)) return refused(status);

    std::size_t hosts = 0;
    std::optional<std::size_t> length;
    bool close = false, keep = false;
    for (std::size_t k = 1; k < lines.size(); ++k) {
        const std::string_view line = lines[k];
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || !is_token(line.substr(0, colon)) ||
            has_control(line))
            return refused(400);
        std::string name = ascii_lower(line.substr(0, colon));
        const std::string_view value = trim_blanks(line.substr(colon + 1));
        if (name == "host" && ++hosts > 1) return refused(400);
        if (name == "transfer-encoding") return refused(501);
        if (name == "content-length") {
            const auto given = length_value(value);
            if (!given || (length && *length != *given)) return refused(400);
            length = given;
        }
        if (name == "connection") {
            close = close || names_token(value, "close");
            keep = keep || names_token(value, "keep-alive");
        }
        request.fields.emplace_back(std::move(name), value);
    }
    request.content_length = length.value_or(0);
    request.keep_alive = !close && (request.keep_alive || keep);
    reading.outcome = Outcome::complete;
    reading.length = skipped + end;
    return reading;
}

}  // namespace quenlo
