#pragma once
// One client's connection as the server sees it, without the socket: the
// bytes received become requests, one at a time, each answered by the site
// before the next is read; the answers become the bytes to send. It never
// holds more than one request head and a bounded body, and it takes no
// bytes at all while an answer is on its way, so that memory stays bounded
// whatever a client sends.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "preview/http_answer.h"
#include "preview/http_request.h"

namespace quenlo {

// No site takes a longer request body than this.
inline constexpr std::size_t max_body_bytes = 4096;

// What the server serves.
class HttpSite {
public:
    virtual ~HttpSite() = default;
    // The most bytes the body of `request` may have; a longer one is refused
    // before any of it is read.
    virtual std::size_t body_bound(const HttpRequest& request) const = 0;
    virtual HttpAnswer answer(const HttpRequest& request) = 0;
    // What an event stream of `channel` is sent next when it has been sent
    // everything up to `seen`, which becomes the latest; none when it has.
    virtual std::shared_ptr<const std::string> news(int channel, std::uint64_t& seen) = 0;
};

class HttpConnection {
public:
    explicit HttpConnection(HttpSite& site) : site_(site) {}

    // How many bytes it takes now: none while it sends, streams or closes.
    std::size_t room() const;
    // Bytes received, at most `room()` of them.
    void receive(std::string_view bytes);

    // The bytes to send next, empty when there are none now.
    std::string_view pending() const;
    void sent(std::size_t count);
    // Pieces queued and not yet wholly sent.
    std::size_t queued() const { return queue_.size(); }

    // Once its answer is an event stream, the connection only sends events.
    bool streaming() const { return stream_.has_value(); }
    int stream_channel() const { return stream_.value_or(0); }
    void send_event(std::shared_ptr<const std::string> event);

    // Waiting for a request's head or body, with nothing to send.
    bool awaiting_request() const { return !closing_ && !stream_ && queue_.empty(); }
    // Everything to send is sent and nothing more will be: close it.
    bool finished() const { return closing_ && queue_.empty(); }

    // The bytes held of requests not answered yet.
    std::size_t buffered() const { return buffer_.size(); }

private:
    struct Piece {
        std::shared_ptr<const std::string> bytes;
        std::size_t offset = 0;
        std::size_t length = 0;
    };

    void answer_requests();
    void queue(const HttpAnswer& answer);
    void refuse(int status);

    HttpSite& site_;
    std::string buffer_;
    std::optional<HttpRequest> request_;  // its head read, its body coming
    std::deque<Piece> queue_;
    std::optional<int> stream_;
    bool closing_ = false;
};

}  // namespace quenlo
