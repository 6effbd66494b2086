#pragma once
// The served copy of a page: the page with the live preview's script added,
// which reloads it after each build. The script calls runtime functions, so
// in a release page it calls them by their shortened names.

#include <cstdint>
#include <string>
#include <string_view>

namespace quenlo {

enum class PageKind { debug, release };

// `page` with the script added before its closing body tag (at its end when
// it has none). `build` numbers the successful build the page comes from; the
// script reloads the page when the server announces another one.
std::string live_page(std::string_view page, PageKind kind, std::uint64_t build);

// What is served while no build has written the page yet: the script alone,
// which shows why the build failed and reloads after build `build`.
std::string waiting_page(PageKind kind, std::uint64_t build);

}  // namespace quenlo
