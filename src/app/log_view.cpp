#include "app/log_view.h"

#include <QFont>
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
    // The author reads the log against the style's edit colour, also while it
    // is disabled during a build.
    QPalette colours = palette();
    colours.setColor(QPalette::Disabled, QPalette::Base,
                     colours.color(QPalette::Active, QPalette::Base));
    setPalette(colours);
}

void LogView::append_entry(LogColour colour, std::string_view text) {
    QTextCharFormat format;
    format.setForeground(log_colour(colour));
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);

    const QString entry = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QStringList lines = entry.split(QStringLiteral("\r\n"));
    for (const QString& line : lines) {
        if (empty_)
            cursor.setBlockCharFormat(format);
        else
            cursor.insertBlock(QTextBlockFormat(), format);
        cursor.insertText(line, format);
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

}  // namespace quenlo::app
