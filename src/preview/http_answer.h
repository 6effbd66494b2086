#pragma once
// An answer of the preview's server, and its head as sent. Every answer
// carries the same guards: the page is not to be sniffed, framed, read by
// another site or cached, and it tells no one where its links lead from.

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quenlo {

struct HttpAnswer {
    int status = 200;
    std::string content_type = "text/plain; charset=utf-8";
    std::vector<std::pair<std::string, std::string>> fields;  // besides the guards
    // The body is `length` bytes of `body` from `offset`: a page is sent from
    // the one copy every answer shares.
    std::shared_ptr<const std::string> body;
    std::size_t offset = 0;
    std::size_t length = 0;
    bool head_only = false;  // a HEAD request: the length, but no body
    bool stream = false;     // an event stream: no length, events follow until closed
    int stream_channel = 0;  // which events it is sent
    bool close = false;      // the connection ends after it

    // A short text answer.
    static HttpAnswer text(int status, std::string text);
    // `length` bytes of `body` from `offset`.
    static HttpAnswer page(int status, std::shared_ptr<const std::string> body, std::size_t offset,
                           std::size_t length);
};

// The status line and fields of `answer`, its empty line included.
std::string answer_head(const HttpAnswer& answer);

}  // namespace quenlo
