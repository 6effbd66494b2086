#pragma once
// "Import picture...": turns a GIF, PNG or JPEG file into the data text of
// one of the project's pictures, so that no author writes base64 by hand.

#include <array>
#include <string>
#include <string_view>

namespace quenlo {

class BuildLog;

struct ProjectPicture {
    std::string_view caption;  // as the command offers it
    std::string_view file;     // the data text in the project folder
};

inline constexpr std::array<ProjectPicture, 6> project_pictures = {{
    {"Cover picture", "coverimage.qn"},
    {"Success picture", "successimage.qn"},
    {"Failure picture", "failimage.qn"},
    {"Map 1 picture", "mapimage1.qn"},
    {"Map 2 picture", "mapimage2.qn"},
    {"Map 3 picture", "mapimage3.qn"},
}};

// Pictures above this size make a heavy page; the import says so.
inline constexpr std::size_t large_picture_bytes = 1024 * 1024;

// Writes the data text of the picture at `source` over `picture.file` in
// `project_folder` (safely: the old file stays whole until the new one is
// on disk) and logs what it wrote, with a warning for a large picture.
// Fails with "Cannot open file "<path>". <reason>", with "Not a GIF, PNG or
// JPEG picture: <path>", or with the error of the write.
void import_picture(const std::string& project_folder, const ProjectPicture& picture,
                    const std::string& source, BuildLog& log);

}  // namespace quenlo
