#include "explore/firefox_bidi.h"

#include <chrono>
#include <fstream>
#include <nlohmann/json.hpp>
#include <thread>

#include "explore/browser_process.h"
#include "explore/websocket_client.h"
#include "foundation/error.h"

namespace quenlo {

namespace {

using nlohmann::json;

// This machine may have no network: without these Firefox spends its start
// asking for updates, telemetry, studies and remote settings.
constexpr const char* quiet_prefs = R"(user_pref("app.update.auto", false);
user_pref("app.update.enabled", false);
user_pref("app.normandy.enabled", false);
user_pref("app.shield.optoutstudies.enabled", false);
user_pref("browser.discovery.enabled", false);
user_pref("browser.region.update.enabled", false);
user_pref("browser.safebrowsing.provider.mozilla.updateURL", "");
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("datareporting.healthreport.uploadEnabled", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("extensions.blocklist.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("network.connectivity-service.enabled", false);
user_pref("services.settings.server", "");
user_pref("toolkit.telemetry.enabled", false);
user_pref("remote.prefs.recommended", true);
)";

class FirefoxBidi : public GameBrowser {
public:
    explicit FirefoxBidi(const std::string& path)
        : name_(path),
          port_(free_port()),
          process_(path,
                   {"--headless", "--no-remote", "--profile", "{profile}",
                    "--remote-debugging-port", std::to_string(port_), "about:blank"},
                   false, [](const std::string& profile) {
                       std::ofstream(profile + "/user.js") << quiet_prefs;
                   }) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!port_open(port_)) {
            if (std::chrono::steady_clock::now() > until)
                throw Error("The browser " + name_ + " did not start!");
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        socket_ = std::make_unique<WebSocketClient>(port_, "/session");
        call("session.new", {{"capabilities", json::object()}});
        const json tree = call("browsingContext.getTree", json::object());
        context_ = tree.at("contexts").at(0).at("context").get<std::string>();
    }

    ~FirefoxBidi() override {
        try {
            if (socket_) socket_->send(json({{"id", ++next_id_}, {"method", "browser.close"},
                                             {"params", json::object()}}).dump());
        } catch (const Error&) {
        }
        socket_.reset();
        process_.close(5000);
    }

    void open(const std::string& url) override {
        call("browsingContext.navigate", {{"context", context_}, {"url", url}, {"wait", "complete"}});
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (evaluate("String(document.readyState == 'complete' && "
                        "typeof f_processaction == 'function')") != "true") {
            if (std::chrono::steady_clock::now() > until)
                throw Error("The browser " + name_ + " did not open " + url + "!");
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    std::string evaluate(std::string_view expression) override {
        const json result = call("script.evaluate", {{"expression", std::string(expression)},
                                                     {"target", {{"context", context_}}},
                                                     {"awaitPromise", false}});
        if (result.value("type", std::string()) == "exception")
            throw Error("The page failed: " +
                        result["exceptionDetails"].value("text", std::string("exception")));
        const json& value = result.at("result");
        if (value.value("type", std::string()) != "string") throw Error("The page gave no text.");
        return value.at("value").get<std::string>();
    }

private:
    json call(const std::string& method, const json& params) {
        const int id = ++next_id_;
        socket_->send(json({{"id", id}, {"method", method}, {"params", params}})
                          .dump(-1, ' ', false, json::error_handler_t::replace));
        for (;;) {
            const json message = json::parse(socket_->receive(120000), nullptr, false);
            if (message.is_discarded() || !message.contains("id") || message["id"] != id) continue;
            if (message.value("type", std::string()) == "error")
                throw Error("The browser " + name_ + " refused " + method + ": " +
                            message.value("message", message.value("error", std::string())));
            return message.value("result", json::object());
        }
    }

    std::string name_;
    int port_;
    BrowserProcess process_;
    std::unique_ptr<WebSocketClient> socket_;
    std::string context_;
    int next_id_ = 0;
};

}  // namespace

std::unique_ptr<GameBrowser> start_firefox(const std::string& path) {
    return std::make_unique<FirefoxBidi>(path);
}

}  // namespace quenlo
