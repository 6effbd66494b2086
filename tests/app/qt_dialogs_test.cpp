// The real dialogs behind the window, answered the way a person would: each
// test finds the modal dialog once it is open, looks at it and answers it.

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/about_box.h"
#include "app/qt_dialogs.h"

using quenlo::MessageKind;

namespace {

// Calls `answer` with the modal dialog of type T as soon as it is open.
template <typename T>
void when_open(std::function<void(T&)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(*dialog);
        }
    });
    timer->start();
}

}  // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void aMessageHasItsIconTextAndOneOkButton() {
        quenlo::app::QtDialogs dialogs;
        QMessageBox::Icon icon{};
        QString text, title;
        QList<QAbstractButton*> buttons;
        when_open<QMessageBox>([&](QMessageBox& box) {
            icon = box.icon();
            text = box.text();
            title = box.windowTitle();
            buttons = box.buttons();
            box.button(QMessageBox::Ok)->click();
        });
        dialogs.show_message(MessageKind::error, "Files invalid or corrupted!");
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(text, QString("Files invalid or corrupted!"));
        QCOMPARE(title, QString("Error"));
        QCOMPARE(buttons.size(), 1);

        when_open<QMessageBox>([&](QMessageBox& box) {
            icon = box.icon();
            text = box.text();
            box.button(QMessageBox::Ok)->click();
        });
        dialogs.show_message(MessageKind::warning, "Project name is already used!");
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(text, QString("Project name is already used!"));
    }

    void aMessageOfAModalDialogStandsOverIt() {
        QWidget window;
        quenlo::app::QtDialogs dialogs;
        dialogs.set_parent(&window);
        QWidget* owner = nullptr;
        when_open<QMessageBox>([&](QMessageBox& box) {
            owner = box.parentWidget();
            box.button(QMessageBox::Ok)->click();
        });
        dialogs.show_message(MessageKind::error, "Invalid connections!");
        QCOMPARE(owner, &window);

        QDialog editor(&window);
        editor.setModal(true);
        editor.show();
        when_open<QMessageBox>([&](QMessageBox& box) {
            owner = box.parentWidget();
            box.button(QMessageBox::No)->click();
        });
        QVERIFY(!dialogs.ask_yes_no(MessageKind::confirmation, "Save changes?"));
        QCOMPARE(owner, &editor);
    }

    void aQuestionAnswersYesOrNo() {
        quenlo::app::QtDialogs dialogs;
        int buttons = 0;
        when_open<QMessageBox>([&](QMessageBox& box) {
            buttons = box.buttons().size();
            box.button(QMessageBox::Yes)->click();
        });
        QVERIFY(dialogs.ask_yes_no(MessageKind::confirmation, "Save changes?"));
        QCOMPARE(buttons, 2);
        when_open<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::No)->click(); });
        QVERIFY(!dialogs.ask_yes_no(MessageKind::confirmation, "Save changes?"));
    }

    void theTextInputHasCaptionPromptNoteAndAnEmptyField() {
        quenlo::app::QtDialogs dialogs;
        QString caption, prompt, initial;
        int width = 0, caption_width = 0;
        when_open<QInputDialog>([&](QInputDialog& dialog) {
            caption = dialog.windowTitle();
            prompt = dialog.labelText();
            initial = dialog.textValue();
            width = dialog.width();
            caption_width = dialog.fontMetrics().horizontalAdvance(caption);
            dialog.setTextValue(QString::fromUtf8("Città"));
            dialog.accept();
        });
        QCOMPARE(dialogs.input_text("Create new project", "Enter project name", "In /home/ada/"),
                 std::optional<std::string>("Citt\xC3\xA0"));
        QCOMPARE(caption, QString("Create new project"));
        QCOMPARE(prompt, QString("Enter project name\n\nIn /home/ada/"));
        QCOMPARE(initial, QString());
        QVERIFY(width > caption_width + 100);

        when_open<QInputDialog>([](QInputDialog& dialog) { dialog.reject(); });
        QCOMPARE(dialogs.input_text("Create new project", "Enter project name", ""), std::nullopt);
    }

    void theFolderChooserOpensOnTheNearestExistingFolder() {
        QTemporaryDir temp;
        const QString start = temp.path() + "/Quenlo/";  // not created yet
        QDir(temp.path()).mkdir("Scelta");
        quenlo::app::QtDialogs dialogs;
        QString opened_on;
        when_open<QFileDialog>([&](QFileDialog& dialog) {
            opened_on = dialog.directory().absolutePath();
            dialog.setDirectory(temp.path() + "/Scelta");  // nothing selected: the folder shown
            static_cast<QDialog&>(dialog).accept();        // the Choose button
        });
        const auto chosen = dialogs.choose_folder(start.toStdString());
        QCOMPARE(opened_on, temp.path());
        QCOMPARE(QString::fromStdString(chosen.value_or("(cancelled)")), temp.path() + "/Scelta");

        when_open<QFileDialog>([](QFileDialog& dialog) { static_cast<QDialog&>(dialog).reject(); });
        QCOMPARE(dialogs.choose_folder(temp.path().toStdString()), std::nullopt);
    }

    void aModalDialogRunsUntilItCloses() {
        quenlo::app::QtDialogs dialogs;
        quenlo::app::TAboutBox box;
        when_open<quenlo::app::TAboutBox>([](quenlo::app::TAboutBox& shown) { shown.accept(); });
        QCOMPARE(dialogs.exec_modal(box), int(QDialog::Accepted));
        QVERIFY(!box.isVisible());
    }
};

QTEST_MAIN(QtDialogsTest)
#include "qt_dialogs_test.moc"
