#pragma once
// A headless browser that holds one game page: the explorer and the replay
// of walkthroughs talk to the game only by evaluating JavaScript in it.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quenlo {

class GameBrowser {
public:
    virtual ~GameBrowser() = default;
    // Opens `url` and waits until its scripts have run.
    virtual void open(const std::string& url) = 0;
    // The value of `expression`, which must give a text. Fails with an Error
    // when the page throws or the browser is gone.
    virtual std::string evaluate(std::string_view expression) = 0;
};

// The browsers looked for on the system, in order of preference.
std::vector<std::string> browser_names();

// The first browser of browser_names() on the PATH, or empty.
std::string find_browser();

// Whether the program at `path` is a Firefox (driven by WebDriver BiDi);
// anything else is taken for a Chromium (Chrome, Edge) and its DevTools.
bool is_firefox(const std::string& path);

// Starts the browser at `path`, headless, with a fresh profile. Fails with an
// Error naming the browser when it cannot be started.
std::unique_ptr<GameBrowser> start_browser(const std::string& path);

}  // namespace quenlo
