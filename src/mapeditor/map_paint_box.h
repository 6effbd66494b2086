#pragma once
// The paint box (`pb`) of the map editor: a 560 x 600 surface that draws the
// map it is shown and reports the mouse in its own pixels. What a press or a
// drag does to the map is the editor's business.

#include <QImage>
#include <QWidget>
#include <vector>

#include "project/map_connections.h"
#include "foundation/map_files.h"

namespace quenlo::mapeditor {

class MapPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit MapPaintBox(QWidget* parent = nullptr);

    // What to draw; the objects stay owned by the caller and must outlive
    // the box, or be replaced before they go.
    void show_map(const QImage* picture, const MapGrid* grid,
                  const std::vector<ConnectionDrawing>* connections);

signals:
    // A button went down with no other button held.
    void pressed(int px, int py, Qt::MouseButton button);
    // The pointer moved while a button pressed here is held.
    void dragged(int px, int py);
    // The last button held was released.
    void released();
    // The pointer moved over the box, a button held or not.
    void hovered(int px, int py);
    void left();

protected:
    void paintEvent(QPaintEvent* event) override;  // pbPaint
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const QImage* picture_ = nullptr;
    const MapGrid* grid_ = nullptr;
    const std::vector<ConnectionDrawing>* connections_ = nullptr;
    bool stroke_ = false;
};

}  // namespace quenlo::mapeditor
