#include "preview/http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "foundation/error.h"

namespace quenlo {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int backlog = 128;
constexpr std::size_t read_size = 16 * 1024;
constexpr std::uint64_t nothing_seen = UINT64_MAX;

void close_socket(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

}  // namespace

struct HttpServer::Client {
    Client(int socket, HttpSite& site) : fd(socket), connection(site) {}
    ~Client() { close_socket(fd); }

    int fd;
    HttpConnection connection;
    bool stream_started = false;
    bool waiting = true;                     // for a request, since `since`
    Clock::time_point since = Clock::now();  // or for the client to read, or quiet
    std::uint64_t seen = nothing_seen;
    bool gone = false;
};

HttpServer::HttpServer(HttpSite& site, HttpLimits limits) : site_(site), limits_(limits) {
    int pipe_ends[2];
    if (::pipe2(pipe_ends, O_NONBLOCK | O_CLOEXEC) != 0)
        throw Error("The preview cannot start: no pipe for its server");
    wake_read_ = pipe_ends[0];
    wake_write_ = pipe_ends[1];
}

HttpServer::~HttpServer() {
    clients_.clear();
    close_socket(listener_);
    close_socket(wake_read_);
    close_socket(wake_write_);
}

int HttpServer::listen(int first_port, int ports) {
    for (int port = first_port; port < first_port + ports && port <= 65535; ++port) {
        int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) break;
        // SO_REUSEADDR only: SO_REUSEPORT would let a second server share a
        // taken port instead of moving on to the next one.
        int yes = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            ::listen(fd, backlog) == 0) {
            listener_ = fd;
            return port;
        }
        ::close(fd);
    }
    throw Error("No free port from " + std::to_string(first_port) + " on for the preview");
}

void HttpServer::wake() {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(wake_write_, &byte, 1);
}

void HttpServer::stop() {
    stopping_ = true;
    wake();
}

void HttpServer::notify() {
    news_ = true;
    wake();
}

void HttpServer::accept_clients() {
    for (int k = 0; k < 64; ++k) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) return;
        if (clients_.size() >= limits_.connections) {
            // The oldest connection that has not sent its request makes room.
            const auto idle = std::find_if(clients_.begin(), clients_.end(), [](const auto& c) {
                return c->connection.awaiting_request();
            });
            if (idle == clients_.end()) {
                ::close(fd);
                continue;
            }
            clients_.erase(idle);
        }
        clients_.push_back(std::make_unique<Client>(fd, site_));
    }
}

void HttpServer::read(Client& client) {
    char bytes[read_size];
    HttpConnection& connection = client.connection;
    // A stream's client says nothing more; reading tells when it has gone.
    const std::size_t room = connection.streaming() ? read_size : connection.room();
    if (room == 0) return;
    const ssize_t got = ::recv(client.fd, bytes, std::min(room, read_size), 0);
    if (got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
        client.gone = true;
        return;
    }
    if (got > 0 && !connection.streaming())
        connection.receive(std::string_view(bytes, static_cast<std::size_t>(got)));
}

void HttpServer::write(Client& client) {
    HttpConnection& connection = client.connection;
    for (std::string_view bytes = connection.pending(); !bytes.empty();
         bytes = connection.pending()) {
        const ssize_t sent = ::send(client.fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) client.gone = true;
            return;
        }
        client.since = Clock::now();
        connection.sent(static_cast<std::size_t>(sent));
    }
}

void HttpServer::start_stream(Client& client) {
    client.stream_started = true;
    std::size_t streams = 0;
    for (const auto& other : clients_) streams += other->stream_started && !other->gone;
    for (auto& other : clients_) {
        if (streams <= limits_.streams) break;
        if (other->stream_started && !other->gone) {
            other->gone = true;
            --streams;
        }
    }
    client.connection.send_event(site_.news(client.connection.stream_channel(), client.seen));
}

// The time limits of one client, and a quiet stream's comment.
void HttpServer::tend(Client& client, Clock::time_point now) {
    HttpConnection& connection = client.connection;
    if (connection.streaming() && !client.stream_started) start_stream(client);
    const bool waiting = connection.awaiting_request();
    if (waiting != client.waiting) {
        client.waiting = waiting;
        client.since = now;
    }
    if (connection.finished()) client.gone = true;
    if (waiting && now - client.since >= limits_.head_time) client.gone = true;
    if (!connection.pending().empty() && now - client.since >= limits_.send_time)
        client.gone = true;
    if (connection.streaming()) {
        if (connection.queued() > limits_.stream_backlog) client.gone = true;
        if (connection.queued() == 0 && now - client.since >= limits_.keep_alive) {
            static const auto comment = std::make_shared<const std::string>(": waiting\n\n");
            connection.send_event(comment);
            client.since = now;
        }
    }
}

void HttpServer::run() {
    std::vector<pollfd> polled;
    while (!stopping_) {
        const Clock::time_point now = Clock::now();
        auto soonest = now + std::chrono::seconds(1);
        polled.assign({{wake_read_, POLLIN, 0}, {listener_, POLLIN, 0}});
        for (const auto& client : clients_) {
            const HttpConnection& connection = client->connection;
            short events = 0;
            if (connection.streaming() || connection.room() > 0) events |= POLLIN;
            if (!connection.pending().empty()) events |= POLLOUT;
            polled.push_back({client->fd, events, 0});
            const auto limit = client->waiting ? limits_.head_time
                               : connection.streaming() && connection.queued() == 0
                                   ? limits_.keep_alive
                                   : limits_.send_time;
            soonest = std::min(soonest, client->since + limit);
        }
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(soonest - now);
        if (::poll(polled.data(), polled.size(),
                   static_cast<int>(std::max<long>(wait.count(), 0)) + 1) < 0 &&
            errno != EINTR)
            break;
        if (stopping_) break;
        if (polled[0].revents & POLLIN) {
            char drained[64];
            while (::read(wake_read_, drained, sizeof drained) > 0) {
            }
        }
        const bool news = news_.exchange(false);
        // The clients polled; those accepted now are polled next time round.
        const std::size_t polled_clients = polled.size() - 2;
        for (std::size_t k = 0; k < polled_clients; ++k) {
            Client& client = *clients_[k];
            const short got = polled[k + 2].revents;
            if (got & (POLLIN | POLLHUP | POLLERR)) read(client);
            if (!client.gone) write(client);
            if (news && client.stream_started && !client.gone) {
                client.connection.send_event(
                    site_.news(client.connection.stream_channel(), client.seen));
                write(client);
            }
        }
        if (polled[1].revents & POLLIN) accept_clients();
        const Clock::time_point later = Clock::now();
        for (const auto& client : clients_) {
            if (client->gone) continue;
            tend(*client, later);
            if (client->connection.streaming() && !client->gone) write(*client);
        }
        std::erase_if(clients_, [](const auto& client) { return client->gone; });
    }
    clients_.clear();
}

}  // namespace quenlo
