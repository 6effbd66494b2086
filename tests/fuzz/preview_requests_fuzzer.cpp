// The live preview's handling of whatever bytes a client sends, as the server
// runs it but without the socket: the bytes come in pieces of a size the
// input chooses, each answer is taken as soon as it is there. Whatever comes,
// every answer is well formed and carries the guards; a page's answer holds
// nothing but the page, whole or one clamped range of it; no more than one
// head and a bounded body is ever held; a refused body ends the connection.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "preview/http_connection.h"
#include "preview/preview_site.h"

namespace quenlo::fuzz {

namespace {

constexpr std::string_view guards[] = {
    "\r\nX-Content-Type-Options: nosniff\r\n",
    "\r\nContent-Security-Policy: frame-ancestors 'none'\r\n",
    "\r\nCross-Origin-Resource-Policy: same-origin\r\n",
    "\r\nReferrer-Policy: no-referrer\r\n",
    "\r\nCache-Control: no-store\r\n",
};

struct Site {
    PreviewSite site{"/nonexistent/quenlo-fuzz", true, [](const std::vector<std::string>&) {}};
    std::string pages[2];  // as served

    Site() {
        site.set_port(8470);
        std::string debug =
            "<html>\n<body>\n<script>\n// actions.qna line:2\nmrvLuce();\n</script>\n";
        while (debug.size() < 3000) debug += "<p>" + std::to_string(debug.size()) + "</p>\n";
        site.publish(debug + "</body></html>\n", "<html><body>release</body></html>\n",
                     {"/nonexistent/quenlo-fuzz/a_debug.html", "/nonexistent/quenlo-fuzz/a.html"});
        for (std::size_t k = 0; k < 2; ++k) {
            HttpRequest request;
            request.method = "GET";
            request.target = k == 0 ? "/" : "/release";
            request.fields = {{"host", "127.0.0.1:8470"}};
            const HttpAnswer answer = site.answer(request);
            pages[k] = answer.body->substr(answer.offset, answer.length);
        }
    }
};

std::string_view field(std::string_view head, std::string_view name) {
    const std::string key = "\r\n" + std::string(name) + ": ";
    const std::size_t at = head.find(key);
    if (at == std::string_view::npos) return {};
    const std::size_t start = at + key.size();
    return head.substr(start, head.find("\r\n", start) - start);
}

std::size_t number(std::string_view digits) {
    std::size_t value = 0;
    for (char c : digits) {
        require(c >= '0' && c <= '9', "numbers in answers are digits", digits);
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    return value;
}

// Checks the answers in `out` from its start; returns the bytes checked.
// `last` when no more bytes will come.
std::size_t check_answers(std::string_view out, const Site& site, bool& closed, bool last) {
    std::size_t at = 0;
    while (at < out.size()) {
        const std::size_t end = out.find("\r\n\r\n", at);
        if (end == std::string_view::npos) {
            require(!last, "every answer's head ends", out.substr(at));
            return at;
        }
        require(!closed, "nothing follows an answer that closes the connection", out.substr(at));
        const std::string_view head = out.substr(at, end + 2 - at);
        require(head.starts_with("HTTP/1.1 ") && head.size() > 13 && head[12] == ' ',
                "an answer starts with its status line", head);
        const int status = static_cast<int>(number(head.substr(9, 3)));
        for (std::string_view guard : guards)
            require(head.find(guard) != std::string_view::npos, "every answer carries the guards",
                    head);
        if (field(head, "Content-Type") == "text/event-stream") {
            require(status == 200, "an event stream is a 200", head);
            closed = true;
            return out.size();
        }
        const std::string_view length_field = field(head, "Content-Length");
        require(!length_field.empty(), "every answer but a stream gives its length", head);
        std::size_t length = number(length_field);
        // The answer to a HEAD request has the length of its body, not the
        // body: the next answer or nothing follows at once.
        const std::string_view after = out.substr(end + 4);
        const bool head_only = after.starts_with("HTTP/1.1 ") || (last && after.empty());
        if (!head_only && after.size() < length) {
            require(!last, "every body is sent whole", head);
            return at;
        }
        if (head_only) length = 0;
        const std::string_view body = out.substr(end + 4, length);
        if (head.find("\r\nConnection: close\r\n") != std::string_view::npos) closed = true;
        if (status == 413) require(closed, "a body refused ends the connection", head);
        const bool page_answer = field(head, "Content-Type") == "text/html; charset=utf-8";
        if (head_only) {
            require(status != 206 || page_answer, "only a page is sent in part", head);
        } else if (page_answer && (status == 200 || status == 206)) {
            bool found = false;
            for (const std::string& page : site.pages) {
                if (status == 200) {
                    found = found || body == page;
                    continue;
                }
                const std::string_view range = field(head, "Content-Range");
                const std::size_t dash = range.find('-'), slash = range.find('/');
                require(range.starts_with("bytes ") && dash != std::string_view::npos &&
                            slash != std::string_view::npos,
                        "a part names its range", head);
                const std::size_t first = number(range.substr(6, dash - 6));
                const std::size_t last_byte = number(range.substr(dash + 1, slash - dash - 1));
                const std::size_t size = number(range.substr(slash + 1));
                if (size != page.size()) continue;
                require(first <= last_byte && last_byte < size && length == last_byte - first + 1,
                        "a part lies inside its page", head);
                found = found || body == std::string_view(page).substr(first, length);
            }
            require(found, "an answer of a page holds nothing but the page", head);
        } else if (status == 416) {
            require(length == 0 && field(head, "Content-Range").starts_with("bytes */"),
                    "a range refused sends nothing and names the page's size", head);
        } else {
            require(!page_answer && number(length_field) <= 8192,
                    "a refusal or a report's answer is short", head);
        }
        at = end + 4 + length;
    }
    return at;
}

}  // namespace

}  // namespace quenlo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quenlo;
    using namespace quenlo::fuzz;
    static Site site;
    if (size == 0) return 0;
    // The first byte is how many bytes each piece holds.
    const std::size_t piece = 1 + data[0] % 64 * (data[0] >= 128 ? 256 : 1);
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    HttpConnection connection(site.site);
    std::string out;
    std::size_t checked = 0;
    bool closed = false;
    while (true) {
        for (std::string_view bytes = connection.pending(); !bytes.empty();
             bytes = connection.pending()) {
            out.append(bytes);
            connection.sent(bytes.size());
        }
        require(connection.buffered() <= max_head_bytes + max_body_bytes + 1,
                "a connection holds no more than a head and a bounded body");
        checked += check_answers(std::string_view(out).substr(checked), site, closed, false);
        const std::size_t room = connection.room();
        if (input.empty() || room == 0) break;
        const std::size_t given = std::min({piece, room, input.size()});
        connection.receive(input.substr(0, given));
        input.remove_prefix(given);
    }
    check_answers(std::string_view(out).substr(checked), site, closed, true);
    require(!connection.finished() || closed || connection.streaming(),
            "a connection closes only after an answer that says so");
    return 0;
}
