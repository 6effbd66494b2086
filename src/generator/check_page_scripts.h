#pragma once
// The scripts of the finished pages compiled by a real JavaScript parser
// before any page is written, so that a build never calls a game whose script
// does not load a success.

#include <future>
#include <optional>

#include "jsparser/script_parser.h"

namespace quenlo {

class Build;

// Made once the debug page is finished: its script is parsed on another
// thread while the release page is made.
class PageScriptCheck {
public:
    PageScriptCheck(const Build& build, const ScriptParser& parser);

    // Fails with "Script error: " + the parser's message, placed in the
    // author's file where the page's line came from. A release page that does
    // not parse while its debug page does is the builder's own fault, and is
    // said so.
    void finish(Build& build);

private:
    const ScriptParser& parser_;
    std::future<std::optional<ScriptSyntaxError>> debug_;
};

}  // namespace quenlo
