#pragma once
// The client side of one WebSocket on 127.0.0.1, enough for a browser's
// debugging protocol: text messages out (masked) and in, pings answered.

#include <string>

namespace quenlo {

class WebSocketClient {
public:
    // Connects to ws://127.0.0.1:PORT/PATH; fails with an Error.
    WebSocketClient(int port, const std::string& path);
    ~WebSocketClient();
    WebSocketClient(const WebSocketClient&) = delete;
    WebSocketClient& operator=(const WebSocketClient&) = delete;

    void send(const std::string& text);
    // The next whole text message, waiting up to `milliseconds`.
    std::string receive(int milliseconds);

private:
    void write_all(const std::string& bytes);
    std::string read_exactly(std::size_t n, int milliseconds);
    void frame(int opcode, const std::string& payload);

    int socket_ = -1;
    std::string buffer_;
};

// Whether something accepts connections on 127.0.0.1:PORT now.
bool port_open(int port);

// A port of 127.0.0.1 free at the moment of asking.
int free_port();

}  // namespace quenlo
