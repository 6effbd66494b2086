// The live preview's server on 127.0.0.1 as a hostile web page or client
// meets it, through raw sockets: it sends nothing but the page, reads no body
// it does not need, bounds heads and event streams, keeps answering under
// load, stops at once, and tells the author of the game's script errors.
#include "preview/preview_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "support/temp_project.h"

namespace quenlo {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Answer {
    int status = 0;
    std::string head;
    std::string body;
    bool has(const std::string& field) const {
        return head.find("\r\n" + field + "\r\n") != std::string::npos;
    }
};

// One connection of a client that may be as slow or as rude as it likes.
// Every wait is bounded: a send blocked for 3 s fails.
class Client {
public:
    explicit Client(int port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        const timeval limit{3, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    ~Client() { ::close(fd_); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // False once the server has closed the connection.
    bool send(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (sent <= 0) return false;
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        }
        return true;
    }
    // What came so far, waiting up to `wait` for more than `enough` bytes
    // (the first bytes, by default) or for the end.
    const std::string& receive(std::chrono::milliseconds wait, std::size_t enough = 0) {
        const auto until = Clock::now() + wait;
        while (buffer_.size() <= enough && !closed_) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
            pollfd ready{fd_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0) break;
            char bytes[65536];
            const ssize_t got = ::recv(fd_, bytes, sizeof bytes, 0);
            if (got <= 0)
                closed_ = true;
            else
                buffer_.append(bytes, static_cast<std::size_t>(got));
        }
        return buffer_;
    }
    // The next answer, its body as long as its Content-Length says.
    Answer answer() {
        Answer answer;
        std::size_t end;
        while ((end = buffer_.find("\r\n\r\n")) == std::string::npos) {
            const std::size_t had = buffer_.size();
            if (receive(3s, had).size() == had) return answer;
        }
        answer.head = buffer_.substr(0, end + 2);
        answer.status = std::stoi(answer.head.substr(9, 3));
        const std::size_t at = answer.head.find("Content-Length: ");
        const std::size_t length =
            at == std::string::npos ? 0 : std::stoul(answer.head.substr(at + 16));
        receive(3s, end + 4 + length - 1);
        answer.body = buffer_.substr(end + 4, length);
        buffer_.erase(0, std::min(buffer_.size(), end + 4 + length));
        return answer;
    }
    // Whether `text` comes within `wait`.
    bool hears(std::string_view text, std::chrono::milliseconds wait = 2s) {
        const auto until = Clock::now() + wait;
        while (buffer_.find(text) == std::string::npos && !closed_ && Clock::now() < until)
            receive(std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()),
                    buffer_.size());
        return buffer_.find(text) != std::string::npos;
    }
    // Whether the server closes the connection within `wait`.
    bool closed_within(std::chrono::milliseconds wait) {
        receive(wait, SIZE_MAX);
        return closed_;
    }
    void forget_received() { buffer_.clear(); }

private:
    int fd_;
    bool closed_ = false;
    std::string buffer_;
};

class PreviewServerTest : public ::testing::Test {
protected:
    // A page of about 103 KB whose script calls a misspelt name at line 5,
    // which came from line 2 of actions.qna.
    void SetUp() override {
        folder.write("actions.qna",
                     "if (f_action(\"_porta_\", \"apri\")) {\r\n  mrvLuce();\r\n}\r\n");
        std::string page = "<html>\n<body>\n<script>\n// actions.qna line:2\n  mrvLuce();\n";
        while (page.size() < 103 * 1024)
            page += "var filler = 'abcdefghijklmnopqrstuvwxyz0123456789';\n";
        folder.write("page_debug.html", page + "</script>\n</body>\n</html>\n");
        port = server.start(folder.path(), false, 20000 + static_cast<int>(::getpid() % 20000),
                            [this](const std::vector<std::string>& lines) {
                                std::lock_guard lock(mutex);
                                reports.push_back(lines);
                            });
        build();
        whole = get("GET / HTTP/1.1\r\n" + host() + "\r\n").body;
        ASSERT_GT(whole.size(), 103u * 1024);
    }

    void build() {
        BuildResult result;
        result.succeeded = true;
        result.pages = {folder.file("page_debug.html")};
        server.build_finished(folder.path(), result);
    }

    std::string host() const { return "Host: 127.0.0.1:" + std::to_string(port) + "\r\n"; }

    Answer get(const std::string& head) {
        Client client(port);
        client.send(head + "\r\n");
        return client.answer();
    }

    std::size_t reported() {
        std::lock_guard lock(mutex);
        return reports.size();
    }

    test::TempFolder folder;
    PreviewServer server;
    int port = 0;
    std::string whole;
    std::mutex mutex;
    std::vector<std::vector<std::string>> reports;
};

TEST_F(PreviewServerTest, SendsNothingButThePageWhateverIsAsked) {
    const auto range = [&](const std::string& bytes) {
        return get("GET / HTTP/1.1\r\n" + host() + "Range: bytes=" + bytes + "\r\n");
    };
    const std::string size = std::to_string(whole.size());
    for (const char* asked : {"0-150000", "0-99999999", "0-"}) {
        const Answer clamped = range(asked);
        EXPECT_EQ(clamped.status, 206) << asked;
        EXPECT_TRUE(
            clamped.has("Content-Range: bytes 0-" + std::to_string(whole.size() - 1) + '/' + size))
            << asked;
        EXPECT_TRUE(clamped.body == whole) << asked;
    }
    const Answer middle = range("100-199");
    EXPECT_EQ(middle.status, 206);
    EXPECT_EQ(middle.body, whole.substr(100, 100));
    EXPECT_EQ(range("-100").body, whole.substr(whole.size() - 100));
    for (const char* past : {"999999-", "999999-1000000", "99999999999999999999999-"}) {
        const Answer refused = range(past);
        EXPECT_EQ(refused.status, 416) << past;
        EXPECT_TRUE(refused.has("Content-Range: bytes */" + size)) << past;
        EXPECT_EQ(refused.body, "") << past;
    }
    const Answer ignored = range("0-1,5-6");
    EXPECT_EQ(ignored.status, 200);
    EXPECT_TRUE(ignored.body == whole);

    // Every answer, a refusal too, carries the guards.
    for (const Answer& answer :
         {get("GET / HTTP/1.1\r\n" + host()), get("GET /x HTTP/1.1\r\n" + host()),
          get("GET / HTTP/1.1\r\nHost: evil.example\r\n"), get("GET / HTTP/1.1\r\n\x01\r\n")}) {
        EXPECT_TRUE(answer.has("X-Content-Type-Options: nosniff")) << answer.head;
        EXPECT_TRUE(answer.has("Content-Security-Policy: frame-ancestors 'none'"));
        EXPECT_TRUE(answer.has("Cross-Origin-Resource-Policy: same-origin"));
        EXPECT_TRUE(answer.has("Referrer-Policy: no-referrer"));
        EXPECT_TRUE(answer.has("Cache-Control: no-store"));
    }

    // Heads: 64 fields in 16 KB at most, one Host, no control characters.
    std::string fields;
    for (int k = 0; k < 63; ++k) fields += "X-" + std::to_string(k) + ": a\r\n";
    EXPECT_EQ(get("GET / HTTP/1.1\r\n" + host() + fields).status, 200);
    EXPECT_EQ(get("GET / HTTP/1.1\r\n" + host() + fields + "X-64: a\r\n").status, 431);
    EXPECT_EQ(get("GET / HTTP/1.1\r\n" + host() + "X-Long: " + std::string(16 * 1024, 'a') + "\r\n")
                  .status,
              431);
    EXPECT_EQ(get("GET / HTTP/1.1\r\n" + host() + host()).status, 400);
    EXPECT_EQ(get("GET / HTTP/1.1\r\n" + host() + "Host: evil.example\r\n").status, 400);
    EXPECT_EQ(get("GET / HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                  std::string(1, '\0') + "x\r\n")
                  .status,
              400);
    EXPECT_EQ(get("GET / HTTP/1.1\r\n" + host() + "X: a\x1b[2Jb\r\n").status, 400);

    // A body of up to 1 KB is read and answered; a longer one is refused at
    // once and the connection closed, before its bytes come.
    EXPECT_EQ(
        get("GET / HTTP/1.1\r\n" + host() + "Content-Length: 1024\r\n\r\n" + std::string(1024, 'b'))
            .status,
        200);
    for (const char* length : {"1025", "268435456"}) {
        Client client(port);
        client.send("POST / HTTP/1.1\r\n" + host() + "Content-Length: " + length + "\r\n\r\n");
        EXPECT_EQ(client.answer().status, 413);
        EXPECT_TRUE(client.closed_within(1s));
    }
    Client flood(port);
    std::size_t sent = 0;
    const std::string chunk(64 * 1024, 'b');
    if (flood.send("POST / HTTP/1.1\r\n" + host() + "Content-Length: 268435456\r\n\r\n"))
        while (sent < 256u * 1024 * 1024 && flood.send(chunk)) sent += chunk.size();
    EXPECT_LT(sent, 32u * 1024 * 1024) << "the server read the body";
}

TEST_F(PreviewServerTest, AnswersAPageWithinASecondWhileClientsTrickleAndStream) {
    std::vector<std::unique_ptr<Client>> tricklers, streams;
    const auto trickling = Clock::now();
    for (int k = 0; k < 64; ++k) {
        tricklers.push_back(std::make_unique<Client>(port));
        ASSERT_TRUE(tricklers.back()->send("GET / HTTP/1.1\r\n" + host() + "X-Slow: "));
    }
    for (int k = 0; k < 64; ++k) {
        streams.push_back(std::make_unique<Client>(port));
        ASSERT_TRUE(streams.back()->send("GET / HTTP/1.1\r\n" + host() +
                                         "Accept: text/event-stream\r\n\r\n"));
        // Each stream starts with the served build.
        ASSERT_TRUE(streams.back()->hears("event: built\ndata: 1\n\n")) << k;
    }
    const auto asked = Clock::now();
    const Answer page = get("GET / HTTP/1.1\r\n" + host());
    EXPECT_LT(Clock::now() - asked, 1s);
    EXPECT_TRUE(page.body == whole);

    // At most 32 streams are kept: the oldest were closed, the others hear
    // of the next build.
    for (int k = 0; k < 32; ++k) EXPECT_TRUE(streams[k]->closed_within(1s)) << k;
    for (int k = 32; k < 64; ++k) streams[k]->forget_received();
    build();
    for (int k = 32; k < 64; ++k)
        EXPECT_TRUE(streams[k]->hears("event: patched\ndata: 1 2\n\n")) << k;

    // Heads must come within 5 s.
    ASSERT_TRUE(tricklers.front()->closed_within(8s));
    EXPECT_GT(Clock::now() - trickling, 4500ms);
    for (auto& trickler : tricklers) EXPECT_TRUE(trickler->closed_within(1s));

    // Stopping, with a client trickling and a stream open, takes well under
    // a second.
    Client trickler(port);
    trickler.send("GET / HTTP/1.1\r\n");
    const auto stopping = Clock::now();
    server.stop();
    EXPECT_LT(Clock::now() - stopping, 1s);
    EXPECT_TRUE(trickler.closed_within(1s));
    EXPECT_TRUE(streams.back()->closed_within(1s));
}

TEST_F(PreviewServerTest, TellsTheGamesScriptErrorsAtTheAuthorsLineOncePerBuild) {
    const std::string origin = "Origin: http://127.0.0.1:" + std::to_string(port) + "\r\n";
    const std::string report = "/ 1 5 3 -\n_porta_|apri\nReferenceError: mrvLuce is not defined";
    const auto post = [&](const std::string& fields, const std::string& body) {
        return get("POST /script-error HTTP/1.1\r\n" + host() + fields +
                   "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
    };
    EXPECT_EQ(post("", report).status, 403);
    EXPECT_EQ(post("Origin: http://evil.example\r\n", report).status, 403);
    EXPECT_EQ(post("Origin: http://localhost:" + std::to_string(port) + "\r\n", report).status,
              403);
    EXPECT_EQ(post(origin, report + std::string(4096, 'x')).status, 413);
    EXPECT_EQ(get("GET /script-error HTTP/1.1\r\n" + host()).status, 405);
    EXPECT_EQ(reported(), 0u);

    const Answer told = post(origin, report);
    EXPECT_EQ(told.status, 200);
    const std::string expected =
        "Script error in the game: ReferenceError: mrvLuce is not defined\n" +
        folder.file("actions.qna") +
        ":2:3: error: ReferenceError: mrvLuce is not defined\n"
        "      mrvLuce();\n"
        "      ^\n"
        "The choice being processed: _porta_|apri\n";
    EXPECT_EQ(told.body, expected);
    EXPECT_EQ(post(origin, report).body, expected);
    ASSERT_EQ(reported(), 1u);
    std::string lines;
    for (const std::string& line : reports[0]) lines += line + '\n';
    EXPECT_EQ(lines, expected);

    // The next build may throw it again: the author hears of it again.
    build();
    EXPECT_EQ(post(origin, "/ 2 5 3 -\n\nReferenceError: mrvLuce is not defined").status, 200);
    EXPECT_EQ(reported(), 2u);
}

}  // namespace
}  // namespace quenlo
