#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <thread>

#include "explore/finding_places.h"
#include "explore/walkthrough.h"
#include "explore/websocket_client.h"
#include "support/temp_project.h"

namespace quenlo {
namespace {

using nlohmann::json;

// A page of two states: the room, where pushing the gate shows a dialog of
// two screens and pulling it ends the game with a win.
class GatePage : public GameBrowser {
public:
    void open(const std::string&) override {}
    std::string evaluate(std::string_view expression) override {
        const std::string call(expression);
        if (call.starts_with("window.quenloAgent.continuelabel()")) return "Continua";
        if (call.starts_with("window.quenloAgent.start(")) return room({"Sei nel giardino."}).dump();
        if (call.starts_with("window.quenloAgent.apply(")) {
            const std::size_t open = call.find('(');
            const json args = json::parse("[" + call.substr(open + 1, call.rfind(')') - open - 1) + "]");
            const std::string action = args[1][0];
            json out = action == "_cancello_|tira"
                           ? json{{"r", ""}, {"room", 99}, {"c", json::array()}, {"w", json::array()},
                                  {"t", {"Hai vinto!"}}, {"e", json::array()}}
                           : room({"Spingi il cancello...", "...ma non si apre.", "Sei nel giardino."});
            if (action == "_campana_|suona")
                out["e"] = json::array({{{"m", "ReferenceError: din is not defined"}, {"l", 12}, {"c", 1}}});
            return json::array({out}).dump();
        }
        return "ok";
    }

private:
    static json room(const std::vector<std::string>& texts) {
        json choices = json::array();
        for (const char* verb : {"spingi", "tira"})
            choices.push_back({{"w", {"cancello", verb}}, {"a", std::string("_cancello_|") + verb}, {"s", "cancello"}});
        choices.push_back({{"w", {"campana", "suona"}}, {"a", "_campana_|suona"}, {"s", "campanella"}});
        return {{"r", "rec"}, {"room", 2}, {"c", choices}, {"w", json::array()}, {"t", texts},
                {"e", json::array()}};
    }
};

Replay play(const std::string& walk) {
    GatePage page;
    GameAgent agent(page);
    return replay(agent, "prova.walk", read_walkthrough(walk), [](const PageError& error) {
        return std::vector<std::string>{"at page line " + std::to_string(error.line)};
    });
}

TEST(Replay, DialogContinuesShortNamesAndAWinHold) {
    const Replay done = play("= nel giardino\ncancello > spingi\n= MA NON   si apre\ncontinua\n"
                             "campanella > suona # no: not this\n");
    // The short description names the word; the script error is the line's.
    ASSERT_EQ(done.errors.size(), 2u);
    EXPECT_EQ(done.errors[0], "prova.walk:5: error: \"campanella > suona\" causes a script error: "
                              "ReferenceError: din is not defined");
    EXPECT_EQ(done.errors[1], "at page line 12");
    EXPECT_TRUE(play("cancello > spingi\ncontinua\ncancello > tira\n= WIN\n").held);
}

TEST(Replay, AChoiceNotOfferedAndAWrongEndFailAtTheirLines) {
    Replay done = play("cancello > apri\n");
    ASSERT_EQ(done.errors.size(), 1u);
    EXPECT_EQ(done.errors[0], "prova.walk:1: error: the choice \"cancello > apri\" is not offered; the page "
                              "offers: cancello > spingi; cancello > tira; campana > suona");
    done = play("cancello > spingi\n= LOSE\n");
    ASSERT_EQ(done.errors.size(), 1u);
    EXPECT_TRUE(done.errors[0].starts_with("prova.walk:2: error: the game did not end with a loss; it goes on"));
    done = play("= un drago\n");
    EXPECT_TRUE(done.errors.at(0).starts_with("prova.walk:1: error: \"un drago\" was not shown; the page showed: "
                                              "Sei nel giardino."));
}

TEST(FindingPlaces, RoomsObjectsVerbsAndChoicesAtTheirLines) {
    test::TempProject project(
        {{"rooms.qnr", "{*1}\r\n_rSala_\r\nUna {porta|_porta_|esci|_rCantina_}.\r\n\r\n{#2}\r\n_rCantina_|_vX_\r\nBuio.\r\n"},
         {"objects.qno", "{_chiave_}\r\n:room: _rSala_\r\n:menu:\r\n-\"piano\";\r\n++\"scuoti\";\r\n"},
         {"actions.qna", "// f_action(\"_chiave_\", \"getta\")\r\nif (f_action('_chiave_', 'Getta', '_pozzo_')) {\r\n"}});
    ProjectSources sources(project.path());
    EXPECT_EQ(room_place(sources, "_rCantina_").line, 5u);
    EXPECT_EQ(room_place(sources, "_rSala_").line, 1u);
    EXPECT_EQ(object_place(sources, "_chiave_").line, 1u);
    const SourceLocation link = object_place(sources, "_porta_");  // named only in a room
    EXPECT_TRUE(link.path.ends_with("rooms.qnr"));
    EXPECT_EQ(link.line, 3u);
    EXPECT_EQ(menu_verb_place(sources, "_chiave_", "scuoti").line, 5u);
    // The action in either order of its objects, its verb in any case.
    EXPECT_EQ(choice_place(sources, "_pozzo_|getta|_chiave_").line, 2u);
    EXPECT_EQ(choice_place(sources, "_chiave_|lascia").line, 1u);  // no action: the declaration
}

// A server end of one WebSocket: the handshake, then a ping and a message of
// 70000 bytes; what the client sends back is unmasked and returned.
TEST(WebSocket, LongMessagesPingsAndMaskedReplies) {
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 1), 0);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    const std::string big(70000, 'x');
    std::string pong, reply;
    std::thread server([&] {
        const auto io = [](ssize_t) {};  // loopback: each call moves it all
        const int s = accept(listener, nullptr, nullptr);
        std::string head;
        char c;
        while (head.find("\r\n\r\n") == std::string::npos && read(s, &c, 1) == 1) head += c;
        const std::string answer = "HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\n\r\n";
        std::string frames = answer + std::string("\x89\x02hi", 4) + "\x81\x7f" + std::string(5, '\0') +
                             std::string("\x01\x11\x70", 3) + big;
        io(write(s, frames.data(), frames.size()));
        const auto unmasked = [&] {
            unsigned char h[2];
            io(read(s, h, 2));
            std::string mask(4, '\0'), payload(h[1] & 0x7f, '\0');
            io(read(s, mask.data(), 4));
            io(read(s, payload.data(), payload.size()));
            for (std::size_t k = 0; k < payload.size(); ++k) payload[k] ^= mask[k % 4];
            return payload;
        };
        pong = unmasked();
        reply = unmasked();
        close(s);
    });
    WebSocketClient client(ntohs(address.sin_port), "/session");
    EXPECT_EQ(client.receive(5000), big);
    client.send("{\"id\":1}");
    server.join();
    close(listener);
    EXPECT_EQ(pong, "hi");
    EXPECT_EQ(reply, "{\"id\":1}");
}

}  // namespace
}  // namespace quenlo
