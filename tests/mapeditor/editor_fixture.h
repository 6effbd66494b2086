#pragma once
// A new project with the example picture as "map1.gif", the map editor on
// it with every message answered from a script, and the mouse as a person
// uses it over the map.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QToolButton>
#include <memory>
#include <string>
#include <vector>

#include "foundation/base_script.h"
#include "foundation/stored_resources.h"
#include "mapeditor/dlgmapeditor.h"
#include "mapeditor/map_paint_box.h"
#include "project/new_project_files.h"
#include "support/scripted_dialogs.h"
#include "support/temp_project.h"

namespace quenlo::test {

// The centre pixel of a cell.
inline QPoint centre(int x, int y) {
    return {20 * x - 10, 20 * y - 10};
}

inline void send_mouse(QWidget* box, QEvent::Type type, QPoint at, Qt::MouseButton button,
                       Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), box->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(box, &event);
}

// Presses and releases `button` over a cell of the paint box.
inline void click_on_cell(QWidget* box, int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    send_mouse(box, QEvent::MouseButtonPress, centre(x, y), button, button);
    send_mouse(box, QEvent::MouseButtonRelease, centre(x, y), button, Qt::NoButton);
}

// Presses `button` at the first pixel, moves through the others, releases.
inline void drag_over(QWidget* box, Qt::MouseButton button, const std::vector<QPoint>& pixels) {
    send_mouse(box, QEvent::MouseButtonPress, pixels.front(), button, button);
    for (std::size_t i = 1; i < pixels.size(); ++i)
        send_mouse(box, QEvent::MouseMove, pixels[i], Qt::NoButton, button);
    send_mouse(box, QEvent::MouseButtonRelease, pixels.back(), button, Qt::NoButton);
}

class EditorFixture {
public:
    EditorFixture() {
        write_new_project(BaseScript(), folder());
        write("map1.gif", std::string(example_map_picture()));
    }

    std::string folder() const { return program.path() + "/Mappe"; }
    std::string path(const std::string& name) const { return folder() + "/" + name; }
    void write(const std::string& name, const std::string& bytes) const {
        program.write("Mappe/" + name, bytes);
    }
    std::string read(const std::string& name) const { return program.read("Mappe/" + name); }

    // Makes an editor and loads map `n` as the Tools menu does.
    bool open(int n = 1) {
        editor = std::make_unique<mapeditor::TdlgMapEditor>(dialogs);
        return editor->load(folder() + "/", n);
    }
    // Opens map `n` and shows the editor, as the window's modal runner would.
    void open_and_show(int n = 1) {
        if (!open(n)) qFatal("the map editor did not open");
        editor->show();
    }

    template <typename Widget>
    Widget* find(const char* name) const {
        auto* found = editor->findChild<Widget*>(QString::fromUtf8(name));
        if (!found) qFatal("no control %s", name);
        return found;
    }
    mapeditor::MapPaintBox* pb() const { return find<mapeditor::MapPaintBox>("pb"); }
    QComboBox* cbo() const { return find<QComboBox>("cbo"); }
    QPlainTextEdit* memconn() const { return find<QPlainTextEdit>("memconn"); }
    QPlainTextEdit* memrooms() const { return find<QPlainTextEdit>("memrooms"); }
    QLabel* lblerror() const { return find<QLabel>("lblerror"); }
    QLabel* lblstatus() const { return find<QLabel>("lblstatus"); }
    QToolButton* button(const char* name) const { return find<QToolButton>(name); }
    bool error_shown() const { return !lblerror()->isHidden(); }
    int cell(int x, int y) const { return editor->grid().cell(x, y); }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) const {
        send_mouse(pb(), type, at, button, held);
    }
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton) const {
        click_on_cell(pb(), x, y, button);
    }
    void drag(Qt::MouseButton button, const std::vector<QPoint>& pixels) const {
        drag_over(pb(), button, pixels);
    }
    // Paints area `area` on a cell with one left click.
    void paint(int area, int x, int y) const {
        cbo()->setCurrentIndex(area);
        click(x, y);
    }

    TempFolder program;
    ScriptedDialogs dialogs;
    std::unique_ptr<mapeditor::TdlgMapEditor> editor;
};

}  // namespace quenlo::test
