#include "mapeditor/map_paint_box.h"

#include <QMouseEvent>
#include <QPainter>

#include "mapeditor/map_painting.h"
#include "project/map_editor_files.h"

namespace quenlo::mapeditor {

MapPaintBox::MapPaintBox(QWidget* parent) : QWidget(parent) {
    setObjectName("pb");
    setFixedSize(map_picture_width, map_picture_height);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapPaintBox::show_map(const QImage* picture, const MapGrid* grid,
                           const std::vector<ConnectionDrawing>* connections) {
    picture_ = picture;
    grid_ = grid;
    connections_ = connections;
    update();
}

void MapPaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!picture_ || !grid_ || !connections_) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    paint_map(painter, *picture_, *grid_, *connections_);
}

void MapPaintBox::mousePressEvent(QMouseEvent* event) {
    // A second button pressed during a stroke does not start another one.
    if (event->buttons() != event->button()) return;
    stroke_ = true;
    const QPoint at = event->position().toPoint();
    emit pressed(at.x(), at.y(), event->button());
}

void MapPaintBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (stroke_ && event->buttons() != Qt::NoButton) emit dragged(at.x(), at.y());
    if (rect().contains(at))
        emit hovered(at.x(), at.y());
    else
        emit left();
}

void MapPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    if (!stroke_ || event->buttons() != Qt::NoButton) return;
    stroke_ = false;
    emit released();
}

void MapPaintBox::leaveEvent(QEvent*) {
    emit left();
}

}  // namespace quenlo::mapeditor
