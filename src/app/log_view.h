#pragma once
// The build log as the window shows it (`relog`): read-only, fixed pitch, one
// colour per line, always scrolled to its last line. A line naming a page or a
// source file is a link to it.

#include <QColor>
#include <QPlainTextEdit>
#include <QUrl>
#include <string_view>

#include "foundation/build_log.h"

namespace quenlo::app {

QColor log_colour(LogColour colour);

class LogView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LogView(QWidget* parent = nullptr);

    // One log entry; an entry holding line breaks becomes several lines of
    // the same colour. With a `link`, its lines link to that file.
    void append_entry(LogColour colour, std::string_view text, std::string_view link = {});
    void clear_lines();

    int line_count() const;
    QString line_text(int line) const;
    QColor line_colour(int line) const;
    // The file URL a line links to; empty when it is no link.
    QUrl line_link(int line) const;

signals:
    // A click on a link, with the text of its line ("PATH:LINE:COLUMN: ...").
    void link_activated(const QUrl& url, const QString& line);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool empty_ = true;  // the document's first, empty line is not yet used
};

// The log sink of the window's build log.
class LogViewSink : public LogSink {
public:
    explicit LogViewSink(LogView& view) : view_(view) {}
    void append_line(LogColour colour, std::string_view text) override {
        view_.append_entry(colour, text);
    }
    void append_link(LogColour colour, std::string_view text, std::string_view target) override {
        view_.append_entry(colour, text, target);
    }
    void clear() override { view_.clear_lines(); }

private:
    LogView& view_;
};

}  // namespace quenlo::app
