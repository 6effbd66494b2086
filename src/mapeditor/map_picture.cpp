#include "mapeditor/map_picture.h"

#include <QFile>
#include <QImageReader>
#include <optional>

#include "foundation/error.h"
#include "foundation/project_files.h"
#include "project/map_editor_files.h"
#include "project/picture_data.h"

namespace quenlo::mapeditor {

namespace {

QImage checked_size(QImage picture, std::string_view name) {
    if (picture.width() != map_picture_width || picture.height() != map_picture_height)
        throw Error(picture_size_message(name));
    return picture.convertToFormat(QImage::Format_RGB32);
}

QImage read_gif(const std::string& path, std::string_view name) {
    // Decoded as a GIF whatever its content, so a picture of another format
    // under the GIF name is refused as the author would be elsewhere.
    QImageReader reader(QFile::decodeName(QByteArray::fromStdString(path)), "gif");
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    QImage picture = reader.read();
    if (picture.isNull())
        throw Error(invalid_picture_message(name, reader.errorString().toStdString()));
    return checked_size(std::move(picture), name);
}

// The picture of a data text, or nothing when the text is blank.
std::optional<QImage> read_data_text(const std::string& path, std::string_view name) {
    std::optional<std::string> bytes;
    try {
        bytes = picture_data_bytes(read_bytes(path));
    } catch (const Error& error) {
        throw Error(invalid_picture_message(name, error.what()));
    }
    if (!bytes) return std::nullopt;
    QImage picture = QImage::fromData(QByteArray::fromStdString(*bytes));
    if (picture.isNull()) throw Error(invalid_picture_message(name, "Unable to read image data"));
    return checked_size(std::move(picture), name);
}

}  // namespace

QImage read_map_picture(const std::string& folder, int map_number) {
    const std::string gif = map_picture_name(map_number);
    if (file_exists(folder + gif)) return read_gif(folder + gif, gif);
    const std::string data = map_picture_data_name(map_number);
    if (file_exists(folder + data))
        if (auto picture = read_data_text(folder + data, data)) return *std::move(picture);
    throw Error(file_not_found_message(gif));
}

}  // namespace quenlo::mapeditor
