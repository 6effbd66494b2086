#include "lsp/stdio_transport.h"

#include <condition_variable>
#include <deque>
#include <istream>
#include <memory>
#include <mutex>
#include <ostream>
#include <thread>

namespace quenlo::lsp {

namespace {

// One framed message, or why the frame could not be read.
struct Frame {
    std::string body;
    bool broken = false;
};

// Reads the next frame; false at the end of the input.
bool read_frame(std::istream& in, Frame& frame) {
    std::size_t length = 0;
    bool has_length = false;
    std::string header;
    while (std::getline(in, header)) {
        if (!header.empty() && header.back() == '\r') header.pop_back();
        if (header.empty()) {
            if (!has_length) continue;  // stray blank lines between messages
            break;
        }
        constexpr std::string_view key = "content-length:";
        std::string lower = header;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower.starts_with(key)) {
            try {
                length = std::stoul(header.substr(key.size()));
                has_length = true;
            } catch (const std::exception&) {
                frame.broken = true;
            }
        }
    }
    if (!in) return false;
    // A length past all bounds is a broken header, not a request for memory.
    constexpr std::size_t most = 64u << 20;
    if (frame.broken || length > most) {
        frame.broken = true;
        return true;
    }
    frame.body.resize(length);
    in.read(frame.body.data(), static_cast<std::streamsize>(length));
    return static_cast<std::size_t>(in.gcount()) == length;
}

void write_message(std::ostream& out, const nlohmann::json& message) {
    // Invalid UTF-8 in a text the editor sent is replaced, never an error.
    const std::string body = message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
    out.flush();
}

class Inbox {
public:
    void push(Frame frame) {
        std::lock_guard lock(mutex_);
        frames_.push_back(std::move(frame));
        ready_.notify_one();
    }
    void close() {
        std::lock_guard lock(mutex_);
        closed_ = true;
        ready_.notify_one();
    }
    // The next frame, waiting until `until` at most; none when it timed out
    // or the input ended (`ended` then says which).
    std::optional<Frame> pop(std::optional<Clock::time_point> until, bool& ended) {
        std::unique_lock lock(mutex_);
        const auto has = [&] { return !frames_.empty() || closed_; };
        if (until)
            ready_.wait_until(lock, *until, has);
        else
            ready_.wait(lock, has);
        ended = frames_.empty() && closed_;
        if (frames_.empty()) return std::nullopt;
        Frame frame = std::move(frames_.front());
        frames_.pop_front();
        return frame;
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Frame> frames_;
    bool closed_ = false;
};

}  // namespace

int serve_language(std::istream& in, std::ostream& out, ServerOptions options) {
    // The reader must never flush `out` (as a tied std::cin would) while
    // this thread writes to it.
    in.tie(nullptr);
    LanguageServer server(std::move(options));
    // Shared with the reader, which may outlive this call while it waits
    // for input that never comes.
    const auto inbox = std::make_shared<Inbox>();
    std::thread reader([inbox, &in] {
        Frame frame;
        while (read_frame(in, frame)) {
            inbox->push(std::move(frame));
            frame = {};
        }
        inbox->close();
    });
    reader.detach();  // it ends with the input; the process may end before

    while (!server.exited()) {
        bool ended = false;
        auto frame = inbox->pop(server.diagnostics_due(), ended);
        if (ended) break;
        if (!frame) {
            for (const auto& message : server.publish_diagnostics()) write_message(out, message);
            continue;
        }
        std::vector<nlohmann::json> answers;
        if (frame->broken) {
            answers.push_back(LanguageServer::parse_error("bad Content-Length header"));
        } else {
            const auto message = nlohmann::json::parse(frame->body, nullptr, false);
            if (message.is_discarded())
                answers.push_back(LanguageServer::parse_error("the message is not JSON"));
            else
                answers = server.handle(message);
        }
        for (const auto& answer : answers) write_message(out, answer);
    }
    return server.exit_code();
}

}  // namespace quenlo::lsp
