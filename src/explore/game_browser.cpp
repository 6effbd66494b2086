#include "explore/game_browser.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "explore/chromium_pipe.h"
#include "explore/firefox_bidi.h"
#include "foundation/error.h"

namespace quenlo {

std::vector<std::string> browser_names() {
    return {"chromium",      "chromium-browser",      "google-chrome", "google-chrome-stable",
            "microsoft-edge", "microsoft-edge-stable", "firefox-esr",   "firefox"};
}

std::string find_browser() {
    const char* path = std::getenv("PATH");
    if (!path) return {};
    const std::string folders = path;
    for (const std::string& name : browser_names()) {
        std::size_t start = 0;
        while (start <= folders.size()) {
            const std::size_t end = std::min(folders.find(':', start), folders.size());
            const std::string folder = folders.substr(start, end - start);
            start = end + 1;
            if (folder.empty()) continue;
            const std::string candidate = folder + "/" + name;
            if (access(candidate.c_str(), X_OK) == 0) return candidate;
        }
    }
    return {};
}

bool is_firefox(const std::string& path) {
    return std::filesystem::path(path).filename().string().find("firefox") != std::string::npos;
}

std::unique_ptr<GameBrowser> start_browser(const std::string& path) {
    if (access(path.c_str(), X_OK) != 0) throw Error("No browser at " + path + "!");
    if (is_firefox(path)) return start_firefox(path);
    return start_chromium(path);
}

}  // namespace quenlo
