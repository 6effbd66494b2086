#pragma once
// The story map drawn: every room as a box at the place Graphviz gave it
// (the start room with a double border, dialog rooms rounded, hidden rooms
// with a dashed border, rooms nothing leads to in red), exits as arrows with
// their verb, moves by f_moveplayer dashed. A click on a room asks for its
// header in the rooms file.

#include <QWidget>
#include <optional>

#include "storylayout/story_layout.h"
#include "storymap/story_graph.h"

namespace quenlo::app {

class StoryMapView : public QWidget {
    Q_OBJECT
public:
    explicit StoryMapView(QWidget* parent = nullptr);

    void show_map(StoryGraph graph, StoryLayout layout);
    const StoryGraph& graph() const { return graph_; }

    // Where room `name` is drawn, in the widget's coordinates, if it is.
    std::optional<QRectF> room_rect(const QString& name) const;

    QSize sizeHint() const override;

signals:
    // `line` counts from 1.
    void room_clicked(const QString& file, int line);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRectF rect_of(const RoomBox& box) const;
    QPointF point_of(LayoutPoint p) const;
    void paint_room(QPainter& painter, const RoomBox& box) const;
    void paint_passage(QPainter& painter, const PassageCurve& curve) const;
    void paint_label(QPainter& painter, const PassageCurve& curve) const;

    StoryGraph graph_;
    StoryLayout layout_;
};

}  // namespace quenlo::app
