#include "mapeditor/map_picture.h"

#include <QFile>
#include <QImageReader>

#include "foundation/error.h"
#include "foundation/project_files.h"
#include "project/map_editor_files.h"

namespace quenlo::mapeditor {

QImage read_map_picture(const std::string& folder, int map_number) {
    const std::string name = map_picture_name(map_number);
    const std::string path = folder + name;
    if (!file_exists(path)) throw Error(file_not_found_message(name));

    // Decoded as a GIF whatever its content, so a picture of another format
    // under the GIF name is refused as the author would be elsewhere.
    QImageReader reader(QFile::decodeName(QByteArray::fromStdString(path)), "gif");
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    QImage picture = reader.read();
    if (picture.isNull())
        throw Error(invalid_picture_message(map_number, reader.errorString().toStdString()));
    if (picture.width() != map_picture_width || picture.height() != map_picture_height)
        throw Error(picture_size_message(map_number));
    return picture.convertToFormat(QImage::Format_RGB32);
}

}  // namespace quenlo::mapeditor
