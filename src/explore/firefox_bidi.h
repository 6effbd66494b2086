#pragma once
// Firefox driven through WebDriver BiDi: started headless with
// --remote-debugging-port on a free port of 127.0.0.1, talked to over one
// WebSocket; its profile is told to stay off the network.

#include <memory>
#include <string>

#include "explore/game_browser.h"

namespace quenlo {

std::unique_ptr<GameBrowser> start_firefox(const std::string& path);

}  // namespace quenlo
