#include "explore/websocket_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "foundation/error.h"

namespace quenlo {

namespace {

int connect_to(int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(s);
        return -1;
    }
    return s;
}

}  // namespace

bool port_open(int port) {
    const int s = connect_to(port);
    if (s < 0) return false;
    ::close(s);
    return true;
}

int free_port() {
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (s < 0 || ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (s >= 0) ::close(s);
        throw Error("No free port for the browser!");
    }
    ::close(s);
    return ntohs(address.sin_port);
}

WebSocketClient::WebSocketClient(int port, const std::string& path) {
    socket_ = connect_to(port);
    if (socket_ < 0) throw Error("Unable to reach the browser on port " + std::to_string(port) + "!");
    // The key need not be secret: the browser only echoes its hash.
    write_all("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
              "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
              "Sec-WebSocket-Key: cXVlbmxvLWV4cGxvcmVyIQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
    std::string head;
    while (head.find("\r\n\r\n") == std::string::npos) {
        head += read_exactly(1, 10000);
        if (head.size() > 16384) break;
    }
    if (head.find(" 101 ") == std::string::npos)
        throw Error("The browser refused the WebSocket: " + head.substr(0, head.find('\r')));
}

WebSocketClient::~WebSocketClient() {
    if (socket_ >= 0) ::close(socket_);
}

void WebSocketClient::write_all(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(socket_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw Error("The browser has gone away!");
        done += static_cast<std::size_t>(n);
    }
}

std::string WebSocketClient::read_exactly(std::size_t n, int milliseconds) {
    while (buffer_.size() < n) {
        pollfd wait{socket_, POLLIN, 0};
        const int ready = ::poll(&wait, 1, milliseconds);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) throw Error("The browser stopped answering!");
        char chunk[65536];
        const ssize_t got = ::recv(socket_, chunk, sizeof chunk, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) throw Error("The browser has gone away!");
        buffer_.append(chunk, static_cast<std::size_t>(got));
    }
    std::string out = buffer_.substr(0, n);
    buffer_.erase(0, n);
    return out;
}

void WebSocketClient::frame(int opcode, const std::string& payload) {
    std::string out;
    out.push_back(static_cast<char>(0x80 | opcode));
    const std::size_t size = payload.size();
    if (size < 126) {
        out.push_back(static_cast<char>(0x80 | size));
    } else if (size < 65536) {
        out.push_back(static_cast<char>(0x80 | 126));
        out.push_back(static_cast<char>(size >> 8));
        out.push_back(static_cast<char>(size & 0xff));
    } else {
        out.push_back(static_cast<char>(0x80 | 127));
        for (int shift = 56; shift >= 0; shift -= 8)
            out.push_back(static_cast<char>((static_cast<std::uint64_t>(size) >> shift) & 0xff));
    }
    static thread_local std::mt19937 random{std::random_device{}()};
    char mask[4];
    for (char& m : mask) m = static_cast<char>(random() & 0xff);
    out.append(mask, 4);
    for (std::size_t k = 0; k < size; ++k) out.push_back(static_cast<char>(payload[k] ^ mask[k % 4]));
    write_all(out);
}

void WebSocketClient::send(const std::string& text) { frame(1, text); }

std::string WebSocketClient::receive(int milliseconds) {
    std::string message;
    for (;;) {
        const std::string head = read_exactly(2, milliseconds);
        const bool fin = (head[0] & 0x80) != 0;
        const int opcode = head[0] & 0x0f;
        std::uint64_t size = head[1] & 0x7f;
        if (size == 126) {
            const std::string ext = read_exactly(2, milliseconds);
            size = (static_cast<std::uint64_t>(static_cast<unsigned char>(ext[0])) << 8) |
                   static_cast<unsigned char>(ext[1]);
        } else if (size == 127) {
            const std::string ext = read_exactly(8, milliseconds);
            size = 0;
            for (char c : ext) size = (size << 8) | static_cast<unsigned char>(c);
        }
        std::string mask;
        if (head[1] & 0x80) mask = read_exactly(4, milliseconds);
        std::string payload = read_exactly(static_cast<std::size_t>(size), milliseconds);
        if (!mask.empty())
            for (std::size_t k = 0; k < payload.size(); ++k) payload[k] ^= mask[k % 4];
        if (opcode == 8) throw Error("The browser closed its connection!");
        if (opcode == 9) {
            frame(10, payload);
            continue;
        }
        if (opcode == 10) continue;
        message += payload;
        if (fin) return message;
    }
}

}  // namespace quenlo
