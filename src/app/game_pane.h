#pragma once
// The game beside the text: the debug page played in a pane of the window.
// Served by the live preview, the page brings itself up to date after every
// build and goes on in the same room; opened from disk, the pane loads it
// again after each build. Until a build wrote the page the pane says how to
// get one.

#include <QDockWidget>
#include <QUrl>

class QStackedWidget;
class QWebEngineView;

namespace quenlo::app {

class GamePane : public QDockWidget {
    Q_OBJECT
public:
    explicit GamePane(QWidget* parent = nullptr);

    // A build ended; `page` is where its debug page is played, empty when
    // there is none yet.
    void show_page(const QUrl& page);
    // No project: the page goes.
    void clear();
    // The view, made when the pane first shows a page.
    QWebEngineView* view() const { return view_; }

private:
    QStackedWidget* stack_;
    QWebEngineView* view_ = nullptr;
};

}  // namespace quenlo::app
