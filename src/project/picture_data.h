#pragma once
// The pictures of a project are data texts: "data:" + media type +
// ";base64," + the picture's bytes in base64, one line ended by CR LF. The
// media type is the one the bytes really are, whatever the file was called,
// so a browser decodes the picture as what it is.

#include <optional>
#include <string>
#include <string_view>

namespace quenlo {

// "image/gif", "image/png" or "image/jpeg" from the first bytes of a picture;
// nothing for anything else.
std::optional<std::string_view> picture_media_type(std::string_view bytes);

std::string base64_encode(std::string_view bytes);

// The data text of a GIF, PNG or JPEG picture; nothing for other bytes.
std::optional<std::string> picture_data_text(std::string_view bytes);

// The picture a data text carries, its line breaks and blanks ignored.
// Nothing when the text is blank; fails with what is wrong with it when it
// is not a base64 data text.
std::optional<std::string> picture_data_bytes(std::string_view text);

}  // namespace quenlo
