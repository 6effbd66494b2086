#include "preview/http_connection.h"

#include <algorithm>

namespace quenlo {

namespace {

// Room for a whole head and the largest body a site takes, and one byte more
// so that a head too long is seen to be.
constexpr std::size_t most_buffered = max_head_bytes + max_body_bytes + 1;

}  // namespace

std::size_t HttpConnection::room() const {
    if (!awaiting_request()) return 0;
    return most_buffered > buffer_.size() ? most_buffered - buffer_.size() : 0;
}

void HttpConnection::receive(std::string_view bytes) {
    buffer_.append(bytes.substr(0, room()));
    answer_requests();
}

std::string_view HttpConnection::pending() const {
    if (queue_.empty()) return {};
    const Piece& piece = queue_.front();
    return std::string_view(*piece.bytes).substr(piece.offset, piece.length);
}

void HttpConnection::sent(std::size_t count) {
    while (count > 0 && !queue_.empty()) {
        Piece& piece = queue_.front();
        const std::size_t taken = std::min(count, piece.length);
        piece.offset += taken;
        piece.length -= taken;
        count -= taken;
        if (piece.length == 0) queue_.pop_front();
    }
    while (!queue_.empty() && queue_.front().length == 0) queue_.pop_front();
    // Requests sent together are answered one after another.
    if (queue_.empty()) answer_requests();
}

void HttpConnection::send_event(std::shared_ptr<const std::string> event) {
    if (!stream_ || closing_ || !event || event->empty()) return;
    const std::size_t length = event->size();
    queue_.push_back({std::move(event), 0, length});
}

void HttpConnection::refuse(int status) {
    HttpAnswer answer = HttpAnswer::text(status, "");
    answer.close = true;
    buffer_.clear();
    request_.reset();
    queue(answer);
}

void HttpConnection::queue(const HttpAnswer& answer) {
    auto head = std::make_shared<const std::string>(answer_head(answer));
    const std::size_t head_length = head->size();
    queue_.push_back({std::move(head), 0, head_length});
    if (!answer.head_only && !answer.stream && answer.body && answer.length > 0)
        queue_.push_back({answer.body, answer.offset, answer.length});
    if (answer.stream) stream_ = answer.stream_channel;
    if (answer.close) closing_ = true;
}

void HttpConnection::answer_requests() {
    while (awaiting_request()) {
        if (!request_) {
            HeadReading head = read_request_head(buffer_);
            if (head.outcome == HeadReading::Outcome::incomplete) return;
            if (head.outcome == HeadReading::Outcome::refused) return refuse(head.status);
            buffer_.erase(0, head.length);
            if (head.request.content_length >
                std::min(site_.body_bound(head.request), max_body_bytes))
                return refuse(413);
            request_ = std::move(head.request);
        }
        if (buffer_.size() < request_->content_length) return;
        request_->body = buffer_.substr(0, request_->content_length);
        buffer_.erase(0, request_->content_length);
        HttpAnswer answer = site_.answer(*request_);
        if (request_->method == "HEAD") answer.head_only = true;
        if (!request_->keep_alive) answer.close = true;
        request_.reset();
        queue(answer);
    }
}

}  // namespace quenlo
