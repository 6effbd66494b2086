// The map editor from the main window's Tools menu, as an author uses it: a
// new project, the example picture as "map1.gif", two areas painted with
// their connection points and joined, saved, and built into the game page.

#include <QtTest>
#include <filesystem>
#include <fstream>

#include "merges/map_merge.h"
#include "foundation/stored_resources.h"
#include "editor_fixture.h"
#include "mapeditor/dlgmapeditor.h"
#include "window_fixture.h"

using quenlo::MessageKind;
using quenlo::test::centre;
using quenlo::test::ShownMessage;
using quenlo::test::WindowFixture;

namespace {

const std::string blank_map = std::string(2520, '0') + "\r\n";

struct Project {
    explicit Project(WindowFixture& f) : folder(f.make_project("Mappa")) {
        f.window->set_map_editor_factory(quenlo::mapeditor::map_editor_factory());
        f.set_project(folder);
    }
    void write(const std::string& name, std::string_view bytes) const {
        std::ofstream out(folder + "/" + name, std::ios::binary);
        out << bytes;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(folder + "/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string folder;
};

// Paints `area` over the cells from (x1, y) to (x2, y) and makes (x1, y) its
// connection point.
void paint_area(quenlo::mapeditor::TdlgMapEditor& editor, int area, int x1, int x2, int y) {
    auto* cbo = editor.findChild<QComboBox*>("cbo");
    QWidget* pb = editor.findChild<QWidget*>("pb");
    cbo->setCurrentIndex(area);
    quenlo::test::drag_over(pb, Qt::LeftButton, {centre(x1, y), centre(x2, y)});
    quenlo::test::click_on_cell(pb, x1, y);
}

}  // namespace

class MapEditorMenuTest : public QObject {
    Q_OBJECT
private slots:
    void aNewProjectsFirstMapFromPaintingToThePage() {
        WindowFixture f;
        const Project project(f);
        project.write("map1.gif", quenlo::example_map_picture());

        bool empty_on_opening = false;
        f.modal.on_show = [&](QDialog& dialog) {
            auto& editor = dynamic_cast<quenlo::mapeditor::TdlgMapEditor&>(dialog);
            empty_on_opening = editor.grid() == quenlo::MapGrid{};
            dialog.show();
            paint_area(editor, 1, 4, 8, 6);
            paint_area(editor, 2, 17, 22, 8);
            editor.findChild<QPlainTextEdit*>("memconn")->setPlainText("1,2");
            f.dialogs.yes_no_answers = {true};
            dialog.close();
        };
        f.trigger("Mapeditor1");
        QCOMPARE(f.modal.shown, QStringList{"Map 1 editor"});
        QVERIFY(empty_on_opening);
        QCOMPARE(f.dialogs.questions,
                 (std::vector<ShownMessage>{{MessageKind::confirmation, "Save changes?"}}));
        QVERIFY(f.dialogs.messages.empty());
        // The editor lives only while it is shown.
        QVERIFY(f.window->findChildren<quenlo::mapeditor::TdlgMapEditor*>().isEmpty());

        const std::string map = project.read("map1.qn");
        QCOMPARE(map.size(), std::size_t(2522));
        QCOMPARE(map.substr(2520), std::string("\r\n"));
        QCOMPARE(map.find_first_not_of("0123456789"), std::size_t(2520));
        const auto grid = quenlo::parse_map_grid(map);
        QVERIFY(grid);
        QCOMPARE(grid->cell(4, 6), 101);
        QCOMPARE(grid->cell(8, 6), 1);
        QCOMPARE(grid->cell(17, 8), 102);
        QCOMPARE(grid->cell(22, 8), 2);
        QCOMPARE(project.read("connections.qn"), std::string("1,2\r\n"));

        // A build with a map picture carries the grid and the connection.
        project.write("mapimage1.qn", "data:image/gif;base64,R0lGODlhAQABAAAAACw=\r\n");
        f.trigger("Generate1");
        QVERIFY2(f.dialogs.messages.empty(),
                 f.dialogs.messages.empty() ? "" : f.dialogs.messages[0].text.c_str());
        std::string page;
        for (const auto& entry : std::filesystem::directory_iterator(project.folder))
            if (entry.path().string().ends_with("_debug.html"))
                page = project.read(entry.path().filename().string());
        QVERIFY(!page.empty());
        QVERIFY(page.find("var g_enablemap = true;") != std::string::npos);
        const std::string cells = quenlo::runtime_cell_list(*grid);
        QVERIFY(cells.find("101") != std::string::npos);
        QVERIFY(page.find("var g_map1 = [\r\n" + cells + "\r\n];") != std::string::npos);
        QVERIFY(page.find("var g_connections = [\r\n1,2,\r\n\r\n0\r\n];") != std::string::npos);
    }

    void theOtherMapsOpenTheirOwnFiles() {
        WindowFixture f;
        const Project project(f);
        f.trigger("Mapeditor2");  // no picture yet
        QVERIFY(f.modal.shown.isEmpty());
        QCOMPARE(f.dialogs.messages,
                 (std::vector<ShownMessage>{{MessageKind::warning, "File map2.gif not found!"}}));

        project.write("map3.gif", quenlo::example_map_picture());
        project.write("connections.qn", "5,6\r\n");
        f.modal.on_show = [&](QDialog& dialog) {
            auto& editor = dynamic_cast<quenlo::mapeditor::TdlgMapEditor&>(dialog);
            QCOMPARE(editor.findChild<QPlainTextEdit*>("memconn")->toPlainText(), QString("5,6"));
            dialog.show();
            paint_area(editor, 9, 1, 1, 1);
            f.dialogs.yes_no_answers = {true};
            dialog.close();
        };
        f.trigger("Mapeditor3");
        QCOMPARE(f.modal.shown, QStringList{"Map 3 editor"});
        QCOMPARE(project.read("map3.qn").substr(0, 6), std::string("109000"));
        QCOMPARE(project.read("map1.qn"), blank_map);
        QCOMPARE(project.read("map2.qn"), blank_map);
        QCOMPARE(project.read("connections.qn"), std::string("5,6\r\n"));
    }

    void aMissingRoomsFileIsShownAsAnError() {
        WindowFixture f;
        const Project project(f);
        project.write("map1.gif", quenlo::example_map_picture());
        std::filesystem::remove(project.folder + "/rooms.qnr");
        f.trigger("Mapeditor1");
        QVERIFY(f.modal.shown.isEmpty());
        QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
        QCOMPARE(f.dialogs.messages[0].kind, MessageKind::error);
        QVERIFY(f.dialogs.messages[0].text.starts_with("Cannot open file \"" + project.folder +
                                                       "/rooms.qnr\""));
    }
};

QTEST_MAIN(MapEditorMenuTest)
#include "map_editor_menu_test.moc"
