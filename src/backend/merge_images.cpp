#include "backend/merge_images.h"

#include <filesystem>
#include <string_view>

#include "foundation/build.h"
#include "foundation/placeholders.h"

namespace quenlo {

namespace {

struct Picture {
    std::string_view file;
    std::string_view placeholder;
};

constexpr Picture story_pictures[] = {
    {"coverimage.qn", "___COVERIMAGE___"},
    {"failimage.qn", "___FAILIMAGE___"},
    {"successimage.qn", "___SUCCESSIMAGE___"},
};

constexpr Picture map_pictures[] = {
    {"mapimage1.qn", "___MAPIMAGE1___"},
    {"mapimage2.qn", "___MAPIMAGE2___"},
    {"mapimage3.qn", "___MAPIMAGE3___"},
};

}  // namespace

// A flattened picture is about as long as its file.
std::size_t picture_bytes(const Build& build) {
    std::uintmax_t bytes = 0;
    const auto add = [&](const Picture& picture) {
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(build.path(picture.file), ec);
        if (!ec) bytes += size + size / 64;
    };
    for (const Picture& picture : story_pictures) add(picture);
    if (build.map_enabled)
        for (const Picture& picture : map_pictures) add(picture);
    return static_cast<std::size_t>(bytes);
}

void merge_images(Build& build) {
    // The page, by then most of its final size, grows once rather than once
    // per picture; it had this room already when made by the code rewriting.
    build.page.reserve(build.page.size() + picture_bytes(build));
    for (const Picture& picture : story_pictures) {
        merge_file(build.page, picture.placeholder, build.path(picture.file), build.log);
        build.poll_stop();
    }
    if (build.map_enabled) {
        for (const Picture& picture : map_pictures)
            merge_file(build.page, picture.placeholder, build.path(picture.file), build.log);
        return;
    }
    // Without the map its pictures and connections stay out of the page; with
    // it the connections were filled in with the maps.
    for (const Picture& picture : map_pictures)
        replace_placeholder(build.page, picture.placeholder, "", build.log);
    replace_placeholder(build.page, "___CONNECTIONS___", "", build.log);
}

}  // namespace quenlo
