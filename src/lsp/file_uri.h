#pragma once
// file:// addresses as editors send them, and the paths they stand for.

#include <optional>
#include <string>
#include <string_view>

namespace quenlo::lsp {

// "/home/a/Il faro/rooms.qnr" for "file:///home/a/Il%20faro/rooms.qnr"; none
// for an address of another scheme.
std::optional<std::string> path_of_uri(std::string_view uri);

// The file:// address of an absolute path, its bytes beyond the safe ones
// written as %XX.
std::string uri_of_path(std::string_view path);

}  // namespace quenlo::lsp
