#include "app/reference_window.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBlock>
#include <QVBoxLayout>

namespace quenlo::app {

namespace {

QTextDocument::FindFlags flags_of(bool backwards) {
    return backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
}

}  // namespace

ReferenceWindow::ReferenceWindow(const QString& text, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName("frmReference");
    setWindowTitle(QStringLiteral("Authoring reference"));

    text_ = new QPlainTextEdit(this);
    text_->setObjectName("txtReference");
    text_->setReadOnly(true);
    text_->setPlainText(text);
    QFont font("Courier New", 10);
    font.setStyleHint(QFont::TypeWriter);
    text_->setFont(font);

    auto* label = new QLabel(QStringLiteral("&Find:"), this);
    search_ = new QLineEdit(this);
    search_->setObjectName("txtFind");
    search_->setClearButtonEnabled(true);
    label->setBuddy(search_);
    auto* next = new QPushButton(QStringLiteral("Find &next"), this);
    next->setObjectName("btnFindNext");
    auto* previous = new QPushButton(QStringLiteral("Find &previous"), this);
    previous->setObjectName("btnFindPrevious");
    status_ = new QLabel(this);
    status_->setObjectName("lblFindStatus");

    connect(search_, &QLineEdit::textChanged, this, [this] {
        highlight_matches();
        text_->moveCursor(QTextCursor::Start);
        if (!search_->text().isEmpty()) find();
    });
    connect(search_, &QLineEdit::returnPressed, this, [this] { find(); });
    connect(next, &QPushButton::clicked, this, [this] { find(); });
    connect(previous, &QPushButton::clicked, this, [this] { find(true); });
    connect(new QShortcut(QKeySequence::FindNext, this), &QShortcut::activated, this,
            [this] { find(); });
    connect(new QShortcut(QKeySequence::FindPrevious, this), &QShortcut::activated, this,
            [this] { find(true); });
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        search_->setFocus();
        search_->selectAll();
    });

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(search_, 1);
    row->addWidget(next);
    row->addWidget(previous);
    row->addWidget(status_);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(text_, 1);
    resize(760, 620);
    search_->setFocus();
}

bool ReferenceWindow::find(bool backwards) {
    const QString wanted = search_->text();
    if (wanted.isEmpty()) return false;
    if (!text_->find(wanted, flags_of(backwards))) {
        // Round the end: start again from the other end of the text.
        const QTextCursor here = text_->textCursor();
        text_->moveCursor(backwards ? QTextCursor::End : QTextCursor::Start);
        if (!text_->find(wanted, flags_of(backwards))) {
            text_->setTextCursor(here);
            status_->setText(QStringLiteral("Not found"));
            return false;
        }
    }
    status_->clear();
    return true;
}

// Every match on a yellow ground; the current one is the selection.
void ReferenceWindow::highlight_matches() {
    QList<QTextEdit::ExtraSelection> matches;
    const QString wanted = search_->text();
    if (!wanted.isEmpty()) {
        QTextCharFormat marked;
        marked.setBackground(QColor(255, 240, 120));
        for (QTextCursor at = text_->document()->find(wanted); !at.isNull();
             at = text_->document()->find(wanted, at))
            matches.append({at, marked});
    }
    text_->setExtraSelections(matches);
    status_->setText(wanted.isEmpty() || !matches.isEmpty() ? QString()
                                                            : QStringLiteral("Not found"));
}

}  // namespace quenlo::app
