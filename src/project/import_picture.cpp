#include "project/import_picture.h"

#include "foundation/build_log.h"
#include "foundation/error.h"
#include "foundation/project_files.h"
#include "foundation/safe_write.h"
#include "project/picture_data.h"

namespace quenlo {

void import_picture(const std::string& project_folder, const ProjectPicture& picture,
                    const std::string& source, BuildLog& log) {
    const std::string bytes = read_bytes(source);
    const auto text = picture_data_text(bytes);
    if (!text) throw Error("Not a GIF, PNG or JPEG picture: " + source);
    const std::string target = project_path(project_folder, picture.file);
    write_file_safely(target, *text);
    log.log_line("Imported picture: " + source);
    log.log_line("Written: " + target + " (" + std::string(*picture_media_type(bytes)) + ", " +
                 std::to_string(bytes.size()) + " bytes)");
    if (bytes.size() > large_picture_bytes)
        log.log_line(
            "WARNING: the picture is larger than 1 MB; the game page carries it and "
            "grows by a third more than its size.");
}

}  // namespace quenlo
