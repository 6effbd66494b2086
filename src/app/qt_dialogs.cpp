#include "app/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <algorithm>

namespace quenlo::app {

namespace {

QString from_utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon icon_of(MessageKind kind) {
    switch (kind) {
        case MessageKind::error:
            return QMessageBox::Critical;
        case MessageKind::warning:
            return QMessageBox::Warning;
        case MessageKind::confirmation:
            break;
    }
    return QMessageBox::Question;
}

QString caption_of(MessageKind kind) {
    switch (kind) {
        case MessageKind::error:
            return QStringLiteral("Error");
        case MessageKind::warning:
            return QStringLiteral("Warning");
        case MessageKind::confirmation:
            break;
    }
    return QStringLiteral("Confirm");
}

// The chooser opens on the nearest folder that exists, so a projects folder
// not created yet opens on the folder it will be made in.
QString existing_folder(std::string_view start) {
    QString path = QDir::cleanPath(
        QFile::decodeName(QByteArray(start.data(), static_cast<qsizetype>(start.size()))));
    while (!QDir(path).exists()) {
        const QString parent = QFileInfo(path).absolutePath();
        if (parent == path) break;
        path = parent;
    }
    return path;
}

// The title bar shows the whole caption beside the window's own buttons.
int width_for_title(const QWidget& dialog, const QString& title) {
    constexpr int title_bar_buttons = 160;
    return std::max(400, dialog.fontMetrics().horizontalAdvance(title) + title_bar_buttons);
}

}  // namespace

// A message of a modal dialog, such as the map editor, stands over that
// dialog rather than over the window behind it.
QWidget* QtDialogs::owner() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return parent_;
}

void QtDialogs::show_message(MessageKind kind, std::string_view text) {
    QMessageBox box(icon_of(kind), caption_of(kind), from_utf8(text), QMessageBox::Ok, owner());
    box.exec();
}

bool QtDialogs::ask_yes_no(MessageKind kind, std::string_view text) {
    QMessageBox box(icon_of(kind), caption_of(kind), from_utf8(text),
                    QMessageBox::Yes | QMessageBox::No, owner());
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::input_text(std::string_view caption, std::string_view prompt,
                                                 std::string_view note) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(from_utf8(caption));
    QString label = from_utf8(prompt);
    if (!note.empty()) label += QStringLiteral("\n\n") + from_utf8(note);
    dialog.setLabelText(label);
    dialog.setTextValue(QString());
    // The dialog takes the width its layout asks for, so the label asks.
    if (auto* shown = dialog.findChild<QLabel*>())
        shown->setMinimumWidth(width_for_title(dialog, dialog.windowTitle()));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

std::optional<std::string> QtDialogs::choose_folder(std::string_view start) {
    const QString chosen = QFileDialog::getExistingDirectory(
        parent_, QStringLiteral("Set project"), existing_folder(start),
        QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly);
    if (chosen.isEmpty()) return std::nullopt;
    return QFile::encodeName(QDir::toNativeSeparators(chosen)).toStdString();
}

int QtDialogs::exec_modal(QDialog& dialog) {
    return dialog.exec();
}

}  // namespace quenlo::app
