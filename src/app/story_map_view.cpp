#include "app/story_map_view.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>

namespace quenlo::app {

namespace {

constexpr double margin = 12.0;
const QColor unreachable_colour(200, 30, 30);
const QColor unreachable_fill(255, 228, 228);
const QColor start_colour(20, 110, 40);
const QColor hidden_fill(236, 236, 236);
const QColor dialog_fill(228, 238, 255);

QString text_of(const std::string& text) {
    return QString::fromStdString(text);
}

// `base` at `points`, made smaller (down to 5 points) until `text` fits `width`.
QFont fitted_font(QFont base, const QString& text, double width, double points, bool bold) {
    base.setBold(bold);
    base.setPointSizeF(points);
    const double wide = QFontMetricsF(base).horizontalAdvance(text);
    if (wide > width && wide > 0) base.setPointSizeF(std::max(5.0, points * width / wide));
    return base;
}

}  // namespace

StoryMapView::StoryMapView(QWidget* parent) : QWidget(parent) {
    setObjectName("StoryMapView");
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void StoryMapView::show_map(StoryGraph graph, StoryLayout layout) {
    graph_ = std::move(graph);
    layout_ = std::move(layout);
    resize(sizeHint());
    updateGeometry();
    update();
}

QSize StoryMapView::sizeHint() const {
    return QSize(qCeil(layout_.width + 2 * margin), qCeil(layout_.height + 2 * margin));
}

QPointF StoryMapView::point_of(LayoutPoint p) const {
    return {p.x + margin, p.y + margin};
}

QRectF StoryMapView::rect_of(const RoomBox& box) const {
    return {box.x + margin, box.y + margin, box.width, box.height};
}

std::optional<QRectF> StoryMapView::room_rect(const QString& name) const {
    for (const RoomBox& box : layout_.rooms)
        if (text_of(graph_.rooms[box.room].name) == name) return rect_of(box);
    return std::nullopt;
}

void StoryMapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const PassageCurve& curve : layout_.passages) paint_passage(painter, curve);
    for (const PassageCurve& curve : layout_.passages) paint_label(painter, curve);
    for (const RoomBox& box : layout_.rooms) paint_room(painter, box);
}

void StoryMapView::paint_room(QPainter& painter, const RoomBox& box) const {
    const StoryRoom& room = graph_.rooms[box.room];
    const QRectF rect = rect_of(box);
    QColor ink = room.unreachable ? unreachable_colour : palette().color(QPalette::Text);
    QColor fill = room.unreachable ? unreachable_fill
                  : room.hidden    ? hidden_fill
                  : room.dialog    ? dialog_fill
                                   : palette().color(QPalette::Base);
    QPen pen(ink, room.start ? 2.5 : 1.2);
    if (room.hidden) pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(fill);
    const double radius = room.dialog ? 10.0 : 0.0;
    painter.drawRoundedRect(rect, radius, radius);
    if (room.start) {
        // A second border inside the first, in the start room's colour.
        painter.setPen(QPen(start_colour, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(rect.adjusted(4, 4, -4, -4), radius, radius);
    }

    // Graphviz sized the box for its own font: a name wider than the box is
    // drawn smaller rather than cut.
    painter.setPen(ink);
    const QRectF name_rect = rect.adjusted(4, 3, -4, -rect.height() / 2);
    painter.setFont(fitted_font(painter.font(), text_of(room.name), name_rect.width(), 8.5, true));
    painter.drawText(name_rect, Qt::AlignHCenter | Qt::AlignBottom, text_of(room.name));
    QString marks = text_of(room_header(room));
    if (room.start) marks += tr(" start");
    if (room.dialog) marks += tr(" dialog");
    if (room.hidden) marks += tr(" hidden");
    if (room.unreachable) marks += tr(" unreachable");
    const QRectF marks_rect = rect.adjusted(4, rect.height() / 2, -4, -2);
    painter.setFont(fitted_font(painter.font(), marks, marks_rect.width(), 7.5, false));
    painter.drawText(marks_rect, Qt::AlignHCenter | Qt::AlignTop, marks);
}

void StoryMapView::paint_passage(QPainter& painter, const PassageCurve& curve) const {
    if (curve.points.empty()) return;
    const StoryPassage& passage = graph_.passages[curve.passage];
    const QColor ink = palette().color(QPalette::Text);
    QPen pen(ink, 1.1);
    if (passage.kind == StoryPassage::Kind::move) pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);

    QPainterPath path(point_of(curve.points.front()));
    for (std::size_t i = 1; i + 2 < curve.points.size(); i += 3)
        path.cubicTo(point_of(curve.points[i]), point_of(curve.points[i + 1]),
                     point_of(curve.points[i + 2]));
    const QPointF last = point_of(curve.points.back());
    const QPointF head = curve.head ? point_of(*curve.head) : last;
    if (curve.head) path.lineTo(head);
    painter.drawPath(path);

    // The arrow's head along its last stretch.
    const QPointF from = curve.head ? last
                         : curve.points.size() >= 2
                             ? point_of(curve.points[curve.points.size() - 2])
                             : last;
    const double angle = std::atan2(head.y() - from.y(), head.x() - from.x());
    constexpr double length = 9.0;
    constexpr double spread = 0.4;
    const QPointF left =
        head - QPointF(length * std::cos(angle - spread), length * std::sin(angle - spread));
    const QPointF right =
        head - QPointF(length * std::cos(angle + spread), length * std::sin(angle + spread));
    painter.setPen(QPen(ink, 1.0));
    painter.setBrush(ink);
    painter.drawPolygon(QPolygonF({head, left, right}));
}

// A verb over a patch of the background, so that a curve does not cross it.
void StoryMapView::paint_label(QPainter& painter, const PassageCurve& curve) const {
    const StoryPassage& passage = graph_.passages[curve.passage];
    if (!curve.label || passage.label.empty()) return;
    QFont font = painter.font();
    font.setPointSizeF(7.5);
    font.setBold(false);
    painter.setFont(font);
    const QString label = text_of(passage.label);
    const QSizeF size(QFontMetricsF(font).horizontalAdvance(label) + 4,
                      QFontMetricsF(font).height());
    const QRectF where(point_of(*curve.label) - QPointF(size.width() / 2, size.height() / 2), size);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRect(where);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(where, Qt::AlignCenter, label);
}

void StoryMapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const QPointF at = event->position();
    for (const RoomBox& box : layout_.rooms)
        if (rect_of(box).contains(at)) {
            emit room_clicked(QString::fromStdString(graph_.rooms_file),
                              static_cast<int>(graph_.rooms[box.room].header_line));
            return;
        }
}

}  // namespace quenlo::app
