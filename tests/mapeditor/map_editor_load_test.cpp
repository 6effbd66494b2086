// Opening the map editor: what it reads, the warnings when a file is missing
// or wrong, and that a refused opening changes no file.

#include <QtTest>
#include <filesystem>

#include "foundation/error.h"
#include "editor_fixture.h"
#include "project/picture_data.h"

using quenlo::MessageKind;
using quenlo::test::EditorFixture;
using quenlo::test::ShownMessage;

namespace {

// The smallest GIF there is: one white pixel.
const std::string one_pixel_gif(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00\x00\x00\x00"
    ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
    43);

// A PNG header: a picture, but not a GIF.
const std::string png_bytes("\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR", 16);

// Every file of the project that exists, with its content.
std::map<std::string, std::string> snapshot(const EditorFixture& f) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(f.folder()))
        files[entry.path().filename().string()] = f.read(entry.path().filename().string());
    return files;
}

}  // namespace

class MapEditorLoadTest : public QObject {
    Q_OBJECT

    // Opens map `n`, expecting a refusal with exactly `warning`, and no file
    // touched.
    void expect_refused(EditorFixture& f, const std::string& warning, int n = 1) {
        const auto before = snapshot(f);
        QVERIFY(!f.open(n));
        QCOMPARE(f.dialogs.messages, (std::vector<ShownMessage>{{MessageKind::warning, warning}}));
        QVERIFY(f.dialogs.questions.empty());
        QCOMPARE(snapshot(f), before);
    }

private slots:
    void opensANewProjectOnItsPicture() {
        EditorFixture f;
        QVERIFY(f.open());
        QVERIFY(f.dialogs.messages.empty());
        QCOMPARE(f.editor->windowTitle(), QString("Map 1 editor"));
        QCOMPARE(f.editor->grid(), quenlo::MapGrid{});
        QCOMPARE(f.memconn()->toPlainText(), QString());
        // The rooms of the sample adventure a new project starts with.
        QCOMPARE(f.memrooms()->toPlainText(),
                 QString("1:_rStanzaBuia_\n2:_rGiardino_\n3:_rSentiero_\n4:_rFaro_"));
        QVERIFY(f.memrooms()->isReadOnly());
        QVERIFY(!f.error_shown());
        QCOMPARE(f.pb()->size(), QSize(560, 600));
        // "none", then the areas 1 to 79; "none" selected.
        QCOMPARE(f.cbo()->count(), 80);
        QCOMPARE(f.cbo()->itemText(0), QString("none"));
        QCOMPARE(f.cbo()->itemText(1), QString("1  _rStanzaBuia_"));
        QCOMPARE(f.cbo()->itemText(5), QString("5"));
        QCOMPARE(f.cbo()->itemText(79), QString("79"));
        QCOMPARE(f.cbo()->currentIndex(), 0);
        QCOMPARE(f.memconn()->lineWrapMode(), QPlainTextEdit::NoWrap);
    }

    void readsTheMapConnectionsAndRooms() {
        EditorFixture f;
        std::string map(2520, '0');
        map.replace(192, 3, "107");  // column 3, row 5
        map.replace(195, 3, "007");  // column 3, row 6
        f.write("map2.qn", map + "\r\n");
        f.write("map2.gif", std::string(quenlo::example_map_picture()));
        f.write("connections.qn", "1,2\r\n 3,7 \r\n");
        f.write("rooms.qnr",
                "{*01}\r\n_rStanzaBuia_\r\nBuio.\r\n{#7}\r\n_rCucina_|_vLuce_\r\nTesto.\r\n");
        QVERIFY(f.open(2));
        QCOMPARE(f.editor->windowTitle(), QString("Map 2 editor"));
        QCOMPARE(f.cell(3, 5), 107);
        QCOMPARE(f.cell(3, 6), 7);
        QCOMPARE(f.cell(1, 1), 0);
        QCOMPARE(f.memconn()->toPlainText(), QString("1,2\n 3,7 "));
        QCOMPARE(f.memrooms()->toPlainText(), QString("1:_rStanzaBuia_\n7:_rCucina_"));
        // Area 3 has no connection point here, area 7 has one.
        QVERIFY(f.error_shown());
    }

    void aMissingMapFile() {
        EditorFixture f;
        std::filesystem::remove(f.path("map1.qn"));
        expect_refused(f, "File map1.qn not found!");
    }

    void aMapFileWithALineBreakInside() {
        EditorFixture f;
        std::string columns;
        for (int x = 0; x < 28; ++x) columns += std::string(90, '0') + "\r\n";
        f.write("map1.qn", columns);
        expect_refused(f,
                       "Invalid map1.qn file! The field of column 2, row 1 (from character 91) "
                       "holds a line break.");
    }

    void aMapFileWithAFieldThatIsNoNumber() {
        EditorFixture f;
        std::string map(2520, '0');
        map.replace(300, 3, "0a1");
        f.write("map3.qn", map);
        f.write("map3.gif", std::string(quenlo::example_map_picture()));
        expect_refused(f,
                       "Invalid map3.qn file! The field of column 4, row 11 (characters 301 to "
                       "303) is \"0a1\", not a valid integer value.",
                       3);
    }

    void aShortMapFile() {
        EditorFixture f;
        f.write("map1.qn", std::string(2517, '0'));
        expect_refused(f,
                       "Invalid map1.qn file! The text ends after 2517 characters, before the "
                       "field of column 28, row 30.");
    }

    void theMapFileIsCheckedBeforeThePicture() {
        EditorFixture f;
        std::filesystem::remove(f.path("map2.qn"));
        expect_refused(f, "File map2.qn not found!", 2);  // no map2.gif either
    }

    void aMissingPicture() {
        EditorFixture f;
        expect_refused(f, "File map2.gif not found!", 2);  // "mapimage2.qn" is blank
    }

    void aPictureThatIsNotAGif() {
        EditorFixture f;
        f.write("map1.gif", png_bytes);
        expect_refused(f, "Invalid map1.gif image file! Unable to read image data");
    }

    void aPictureThatIsNotAPicture() {
        EditorFixture f;
        f.write("map1.gif", "not a picture at all");
        expect_refused(f, "Invalid map1.gif image file! Unable to read image data");
        EditorFixture empty;
        empty.write("map1.gif", "");
        expect_refused(empty, "Invalid map1.gif image file! Unable to read image data");
    }

    void aGifOfAnotherSize() {
        EditorFixture f;
        f.write("map1.gif", one_pixel_gif);
        expect_refused(f, "Invalid map1.gif image size (not 560x600)!");
    }

    // Shown without its GIF, the game's picture is checked as the GIF would be
    // (the import test opens the editor on a good one).
    void withoutItsGifABadGamesPictureIsRefused() {
        EditorFixture f;
        std::filesystem::remove(f.path("map1.gif"));
        f.write("mapimage1.qn", "data:image/png;base64,R0lG*\r\n");
        expect_refused(f, "Invalid mapimage1.qn image file! the base64 text holds \"*\"");
        f.write("mapimage1.qn", *quenlo::picture_data_text(one_pixel_gif));
        f.dialogs.messages.clear();
        expect_refused(f, "Invalid mapimage1.qn image size (not 560x600)!");
    }

    void aMissingConnectionsFile() {
        EditorFixture f;
        std::filesystem::remove(f.path("connections.qn"));
        expect_refused(f, "File connections.qn not found!");
    }

    void aMissingRoomsFileRaisesItsFileError() {
        EditorFixture f;
        std::filesystem::remove(f.path("rooms.qnr"));
        try {
            f.open();
            QFAIL("the editor opened without rooms.qnr");
        } catch (const quenlo::Error& error) {
            QVERIFY(QString(error.what())
                        .startsWith("Cannot open file \"" +
                                    QString::fromStdString(f.path("rooms.qnr"))));
        }
        QVERIFY(f.dialogs.messages.empty());
    }
};

QTEST_MAIN(MapEditorLoadTest)
#include "map_editor_load_test.moc"
