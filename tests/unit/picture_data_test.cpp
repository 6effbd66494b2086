// Pictures as data texts: what an import writes and what the map editor
// reads back.

#include "project/picture_data.h"

#include <gtest/gtest.h>

#include "foundation/error.h"

namespace quenlo {
namespace {

const std::string png_start("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);

TEST(PictureData, Base64OfEveryTailLength) {
    EXPECT_EQ(base64_encode(""), "");
    EXPECT_EQ(base64_encode("M"), "TQ==");
    EXPECT_EQ(base64_encode("Ma"), "TWE=");
    EXPECT_EQ(base64_encode("Man"), "TWFu");
    EXPECT_EQ(base64_encode("\xFB\xFF\xBF"), "+/+/");
}

TEST(PictureData, TheMediaTypeIsWhatTheBytesAre) {
    EXPECT_EQ(picture_media_type("GIF89a..."), "image/gif");
    EXPECT_EQ(picture_media_type("GIF87a..."), "image/gif");
    EXPECT_EQ(picture_media_type(png_start), "image/png");
    EXPECT_EQ(picture_media_type("\xFF\xD8\xFF\xE0"), "image/jpeg");
    EXPECT_EQ(picture_media_type("BM6..."), std::nullopt);
    EXPECT_EQ(picture_data_text("<svg/>"), std::nullopt);
}

TEST(PictureData, ADataTextReadsBackAsItsBytesAlsoWhenWrapped) {
    std::string bytes = png_start;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    const std::string text = *picture_data_text(bytes);
    EXPECT_TRUE(text.starts_with("data:image/png;base64,iVBORw0KGgo"));
    EXPECT_TRUE(text.ends_with("\r\n"));
    EXPECT_EQ(text.find('\n'), text.size() - 1);  // one line
    EXPECT_EQ(picture_data_bytes(text), bytes);

    std::string wrapped = text;
    for (std::size_t at = 40; at < wrapped.size(); at += 42) wrapped.insert(at, "\r\n");
    EXPECT_EQ(picture_data_bytes("  " + wrapped), bytes);
}

TEST(PictureData, BlankIsNoPictureAndAnythingElseIsAnError) {
    EXPECT_EQ(picture_data_bytes(" \r\n"), std::nullopt);
    EXPECT_THROW(picture_data_bytes("R0lGODlh"), Error);
    EXPECT_THROW(picture_data_bytes("data:image/gif;base64,R0l*"), Error);
    EXPECT_THROW(picture_data_bytes("data:image/gif;base64,R"), Error);
    EXPECT_THROW(picture_data_bytes("data:image/gif;base64,TQ==TQ=="), Error);
}

}  // namespace
}  // namespace quenlo
