#include "app/qt_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

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

}  // namespace

void QtDialogs::show_message(MessageKind kind, std::string_view text) {
    QMessageBox box(icon_of(kind), caption_of(kind), from_utf8(text), QMessageBox::Ok, parent_);
    box.exec();
}

bool QtDialogs::ask_yes_no(MessageKind kind, std::string_view text) {
    QMessageBox box(icon_of(kind), caption_of(kind), from_utf8(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtDialogs::input_text(std::string_view caption,
                                                 std::string_view prompt) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(from_utf8(caption));
    dialog.setLabelText(from_utf8(prompt));
    dialog.setTextValue(QString());
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
