#include "app/log_view.h"

#include <QFont>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace quenlo::app {

QColor log_colour(LogColour colour) {
    switch (colour) {
        case LogColour::red:
            return QColor(255, 0, 0);
        case LogColour::purple:
            return QColor(128, 0, 128);
        case LogColour::green:
            return QColor(0, 128, 0);
        case LogColour::blue:
            return QColor(0, 0, 255);
        case LogColour::olive:
            return QColor(128, 128, 0);
        case LogColour::black:
            break;
    }
    return QColor(0, 0, 0);
}

LogView::LogView(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName("relog");
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font("Courier New", 10);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    setFont(font);
    viewport()->setMouseTracking(true);
    // The author reads the log against the style's edit colour, also while it
    // is disabled during a build.
    QPalette colours = palette();
    colours.setColor(QPalette::Disabled, QPalette::Base,
                     colours.color(QPalette::Active, QPalette::Base));
    setPalette(colours);
}

void LogView::append_entry(LogColour colour, std::string_view text, std::string_view link) {
    QTextCharFormat format;
    format.setForeground(log_colour(colour));
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);

    const QString entry = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QStringList lines = entry.split(QStringLiteral("\r\n"));
    for (const QString& line : lines) {
        QTextCharFormat line_format = format;
        if (!link.empty()) {
            const QString file =
                QString::fromUtf8(link.data(), static_cast<qsizetype>(link.size()));
            line_format.setAnchor(true);
            line_format.setAnchorHref(QUrl::fromLocalFile(file).toString());
            line_format.setFontUnderline(true);
        }
        if (empty_)
            cursor.setBlockCharFormat(line_format);
        else
            cursor.insertBlock(QTextBlockFormat(), line_format);
        cursor.insertText(line, line_format);
        empty_ = false;
    }
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->maximum());
}

void LogView::clear_lines() {
    clear();
    empty_ = true;
}

int LogView::line_count() const {
    return empty_ ? 0 : document()->blockCount();
}

QString LogView::line_text(int line) const {
    return document()->findBlockByNumber(line).text();
}

QColor LogView::line_colour(int line) const {
    return document()->findBlockByNumber(line).charFormat().foreground().color();
}

QUrl LogView::line_link(int line) const {
    return QUrl(document()->findBlockByNumber(line).charFormat().anchorHref());
}

void LogView::mouseMoveEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseMoveEvent(event);
    const bool over_link = !anchorAt(event->position().toPoint()).isEmpty();
    viewport()->setCursor(over_link ? Qt::PointingHandCursor : Qt::IBeamCursor);
}

// A click opens a link; a drag that selects text does not.
void LogView::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || textCursor().hasSelection()) return;
    const QString href = anchorAt(event->position().toPoint());
    if (href.isEmpty()) return;
    const QTextBlock block = cursorForPosition(event->position().toPoint()).block();
    emit link_activated(QUrl(href), block.text());
}

}  // namespace quenlo::app
