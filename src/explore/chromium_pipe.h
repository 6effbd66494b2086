#pragma once
// Chromium, Chrome or Edge driven through its DevTools protocol over the pipe
// it opens on file descriptors 3 (commands in) and 4 (answers out) with
// --remote-debugging-pipe: NUL-terminated JSON messages, no network.

#include <memory>
#include <string>

#include "explore/game_browser.h"

namespace quenlo {

std::unique_ptr<GameBrowser> start_chromium(const std::string& path);

}  // namespace quenlo
