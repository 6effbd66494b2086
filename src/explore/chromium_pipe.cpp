#include "explore/chromium_pipe.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <nlohmann/json.hpp>
#include <thread>

#include "explore/browser_process.h"
#include "foundation/error.h"

namespace quenlo {

namespace {

using nlohmann::json;

class ChromiumPipe : public GameBrowser {
public:
    explicit ChromiumPipe(const std::string& path)
        : name_(path),
          process_(path,
                   {"--headless", "--remote-debugging-pipe", "--no-sandbox", "--disable-gpu",
                    "--no-first-run", "--no-default-browser-check", "--disable-quic",
                    "--disable-background-networking", "--disable-component-update",
                    "--disable-sync", "--disable-extensions", "--mute-audio",
                    "--allow-file-access-from-files", "--user-data-dir={profile}",
                    "about:blank"},
                   true) {
        const json target = call("Target.createTarget", {{"url", "about:blank"}});
        const json attached = call("Target.attachToTarget",
                                   {{"targetId", target.at("targetId")}, {"flatten", true}});
        session_ = attached.at("sessionId").get<std::string>();
    }

    ~ChromiumPipe() override {
        try {
            send("Browser.close", json::object(), "");
        } catch (const Error&) {
        }
        process_.close(3000);
    }

    void open(const std::string& url) override {
        call("Page.enable", json::object(), session_);
        call("Page.navigate", {{"url", url}}, session_);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (evaluate("String(document.readyState == 'complete' && "
                        "typeof f_processaction == 'function' && "
                        "location.href != 'about:blank')") != "true") {
            if (std::chrono::steady_clock::now() > until)
                throw Error("The browser " + name_ + " did not open " + url + "!");
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    std::string evaluate(std::string_view expression) override {
        const json result = call("Runtime.evaluate",
                                 {{"expression", std::string(expression)},
                                  {"returnByValue", true}},
                                 session_);
        if (result.contains("exceptionDetails")) {
            const json& details = result["exceptionDetails"];
            std::string text = details.value("text", std::string("exception"));
            if (details.contains("exception"))
                text += " " + details["exception"].value("description", std::string());
            throw Error("The page failed: " + text);
        }
        const json& value = result.at("result");
        if (!value.contains("value") || !value["value"].is_string())
            throw Error("The page gave no text.");
        return value["value"].get<std::string>();
    }

private:
    int send(const std::string& method, const json& params, const std::string& session) {
        json message = {{"id", ++next_id_}, {"method", method}, {"params", params}};
        if (!session.empty()) message["sessionId"] = session;
        std::string text = message.dump(-1, ' ', false, json::error_handler_t::replace);
        text.push_back('\0');
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(process_.to_child(), text.data() + done, text.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) throw Error("The browser " + name_ + " has gone away!");
            done += static_cast<std::size_t>(n);
        }
        return next_id_;
    }

    // The next whole message from the browser.
    json receive() {
        for (;;) {
            const std::size_t end = buffer_.find('\0');
            if (end != std::string::npos) {
                json message = json::parse(buffer_.substr(0, end), nullptr, false);
                buffer_.erase(0, end + 1);
                if (!message.is_discarded()) return message;
                continue;
            }
            pollfd wait{process_.from_child(), POLLIN, 0};
            const int ready = ::poll(&wait, 1, 60000);
            if (ready < 0 && errno == EINTR) continue;
            if (ready <= 0) throw Error("The browser " + name_ + " stopped answering!");
            char chunk[65536];
            const ssize_t n = ::read(process_.from_child(), chunk, sizeof chunk);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) throw Error("The browser " + name_ + " has gone away!");
            buffer_.append(chunk, static_cast<std::size_t>(n));
        }
    }

    json call(const std::string& method, const json& params, const std::string& session = "") {
        const int id = send(method, params, session);
        for (;;) {
            json message = receive();
            if (!message.contains("id") || message["id"] != id) continue;  // an event
            if (message.contains("error"))
                throw Error("The browser " + name_ + " refused " + method + ": " +
                            message["error"].value("message", std::string()));
            return message.value("result", json::object());
        }
    }

    std::string name_;
    BrowserProcess process_;
    std::string session_;
    std::string buffer_;
    int next_id_ = 0;
};

}  // namespace

std::unique_ptr<GameBrowser> start_chromium(const std::string& path) {
    signal(SIGPIPE, SIG_IGN);  // a browser that dies shows as a failed write
    return std::make_unique<ChromiumPipe>(path);
}

}  // namespace quenlo
