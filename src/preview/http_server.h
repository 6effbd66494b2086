#pragma once
// A small web server on 127.0.0.1 for one site, on one thread that waits on
// all its sockets at once: a client that trickles its request, or keeps an
// event stream open, holds no thread and keeps no one else waiting. Every
// bound is its own: connections, event streams (the oldest is closed
// first), the time a request's head may take, the time an answer may wait
// for its client.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <vector>

#include "preview/http_connection.h"

namespace quenlo {

struct HttpLimits {
    std::size_t connections = 256;
    std::size_t streams = 32;
    std::chrono::milliseconds head_time{5000};    // for each request's head and body
    std::chrono::milliseconds send_time{30000};   // without a byte sent while some wait
    std::chrono::milliseconds keep_alive{15000};  // a quiet stream is sent a comment
    std::size_t stream_backlog = 8;               // events a stream may leave unread
};

class HttpServer {
public:
    explicit HttpServer(HttpSite& site, HttpLimits limits = {});
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Listens on 127.0.0.1 at `first_port` or the first free port of the
    // `ports` after it, and returns it. Fails with quenlo::Error.
    int listen(int first_port, int ports);
    // Serves until stop(); closes every connection before it returns.
    void run();
    // From any thread: run() returns at once.
    void stop();
    // From any thread: the site has news for its event streams.
    void notify();

    struct Client;

private:
    void wake();
    void accept_clients();
    void read(Client& client);
    void write(Client& client);
    void tend(Client& client, std::chrono::steady_clock::time_point now);
    void start_stream(Client& client);

    HttpSite& site_;
    HttpLimits limits_;
    int listener_ = -1;
    int wake_read_ = -1, wake_write_ = -1;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> news_{false};
    std::vector<std::unique_ptr<Client>> clients_;  // oldest first
};

}  // namespace quenlo
