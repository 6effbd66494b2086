// "Import picture..." from the Tools menu: a PNG becomes map 1's picture, the
// map editor opens on it without "map1.gif", and the game page carries it as
// a PNG; a large picture is written with a warning, a file that is no picture
// is refused.

#include <QBuffer>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "app/import_picture_dialog.h"
#include "foundation/stored_resources.h"
#include "mapeditor/dlgmapeditor.h"
#include "project/picture_data.h"
#include "window_fixture.h"

using quenlo::MessageKind;
using quenlo::test::q;
using quenlo::test::WindowFixture;

namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

QImage example_map() {
    QImage picture;
    picture.loadFromData(QByteArray::fromStdString(std::string(quenlo::example_map_picture())));
    return picture;
}

std::string as_png(const QImage& picture) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return png.toStdString();
}

// Answers the import dialog with the picture at `index` of its list and `file`.
void answer_import(WindowFixture& f, int index, const std::string& file) {
    f.modal.on_show = [index, file](QDialog& dialog) {
        dialog.findChild<QComboBox*>("cboPicture")->setCurrentIndex(index);
        dialog.findChild<QLineEdit*>("edtFile")->setText(QString::fromStdString(file));
    };
}

}  // namespace

class ImportPictureTest : public QObject {
    Q_OBJECT
private slots:
    void aPngMapShowsInTheEditorAndInTheGame() {
        WindowFixture f;
        const std::string project = f.make_project("Mappa");
        f.window->set_map_editor_factory(quenlo::mapeditor::map_editor_factory());
        f.set_project(project);
        const std::string png = as_png(example_map());
        const std::string source = f.program.path() + "/mappa.png";
        write_file(source, png);

        answer_import(f, 3, source);
        f.trigger("Importpicture1");
        QCOMPARE(f.modal.shown, QStringList{"Import picture"});
        QVERIFY(f.dialogs.messages.empty());
        const std::string text = read_file(project + "/mapimage1.qn");
        QVERIFY(text.starts_with("data:image/png;base64,iVBORw0KGgo"));
        QCOMPARE(quenlo::picture_data_bytes(text), png);
        QVERIFY(f.find_line("Imported picture: " + q(source)) >= 0);
        QVERIFY(f.find_line("Written: " + q(project + "/mapimage1.qn") + " (image/png, ") >= 0);
        QCOMPARE(f.find_line("WARNING"), -1);

        // No "map1.gif" in the project: the editor shows the imported picture.
        QImage shown;
        f.modal.on_show = [&](QDialog& dialog) {
            dialog.show();
            shown = dialog.findChild<QWidget*>("pb")->grab().toImage();
            f.dialogs.yes_no_answers = {false};
        };
        f.trigger("Mapeditor1");
        QCOMPARE(f.modal.shown.back(), QString("Map 1 editor"));
        QVERIFY(f.dialogs.messages.empty());
        QCOMPARE(shown.pixelColor(70, 70), example_map().pixelColor(70, 70));

        // The game's map picture is the same data text, still a PNG.
        f.trigger("Generate1");
        QVERIFY(f.dialogs.messages.empty());
        std::string page;
        for (const auto& entry : std::filesystem::directory_iterator(project))
            if (entry.path().string().ends_with("_debug.html")) page = read_file(entry.path());
        QVERIFY(page.find("var g_enablemap = true;") != std::string::npos);
        const std::string first_piece = text.substr(22, 1024 - 22);
        QVERIFY(page.find("return 'data:image/png;base64," + first_piece + "'+ ///°°°") !=
                std::string::npos);
    }

    void aLargePictureIsWrittenWithAWarning() {
        WindowFixture f;
        const std::string project = f.make_project("Grande");
        f.set_project(project);
        const std::string source = f.program.path() + "/grande.png";
        write_file(source, std::string("\x89PNG\r\n\x1a\n", 8) + std::string(1100 * 1024, 'x'));
        answer_import(f, 4, source);  // map 2
        f.trigger("Importpicture1");
        QVERIFY(f.dialogs.messages.empty());
        QVERIFY(read_file(project + "/mapimage2.qn").starts_with("data:image/png;base64,"));
        const int warning = f.find_line("WARNING: the picture is larger than 1 MB");
        QVERIFY(warning >= 0);
        QCOMPARE(f.colour_of_line(f.lines()[warning]), QColor(128, 0, 128));
        QVERIFY(f.find_line("WARNING: a map picture must be 560x600 pixels") > warning);
    }

    void aFileThatIsNoPictureIsRefused() {
        WindowFixture f;
        const std::string project = f.make_project("Testo");
        f.set_project(project);
        const std::string cover = read_file(project + "/coverimage.qn");
        const std::string source = f.program.path() + "/notes.txt";
        write_file(source, "GIF is a format");
        answer_import(f, 0, source);
        f.trigger("Importpicture1");
        QCOMPARE(f.dialogs.messages,
                 (std::vector<quenlo::test::ShownMessage>{
                     {MessageKind::error, "Not a GIF, PNG or JPEG picture: " + source}}));
        QCOMPARE(read_file(project + "/coverimage.qn"), cover);
    }
};

QTEST_MAIN(ImportPictureTest)
#include "import_picture_test.moc"
