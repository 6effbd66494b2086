// The main window as it opens, its menus and switches, and the commands that
// need no project: about box, clear log, exit, and the map editor seam.

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <fstream>

#include "app/about_box.h"
#include "app/reference_window.h"
#include "window_fixture.h"

using quenlo::MessageKind;
using quenlo::test::q;
using quenlo::test::WindowFixture;

namespace {

const QString no_project_title = "Quenlo v3.6 - < no project selected >";

// A caption as shown: its mnemonic marker is no part of it.
QString shown(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

// The captions of a menu's items in order, a divider as "-".
QStringList captions(const QMenu* menu) {
    QStringList all;
    for (const QAction* action : menu->actions())
        all << (action->isSeparator() ? QStringLiteral("-") : shown(action->text()));
    return all;
}

// The mnemonic letter of a caption, upper case; empty when it has none.
QString mnemonic(const QString& caption) {
    const qsizetype at = caption.indexOf(QLatin1Char('&'));
    return at < 0 || at + 1 >= caption.size() ? QString() : caption.mid(at + 1, 1).toUpper();
}

class FakeMapEditor : public quenlo::app::MapEditorDialog {
public:
    FakeMapEditor(bool loads, int& destroyed, std::string& loaded_folder, int& loaded_map)
        : loads_(loads), destroyed_(destroyed), folder_(loaded_folder), map_(loaded_map) {
        dialog_.setWindowTitle("fake map editor");
    }
    ~FakeMapEditor() override { ++destroyed_; }
    bool load(const std::string& folder, int map_number) override {
        folder_ = folder;
        map_ = map_number;
        if (map_number == 3) throw std::runtime_error("Cannot open file \"rooms.qnr\".");
        return loads_;
    }
    QDialog& dialog() override { return dialog_; }

private:
    bool loads_;
    int& destroyed_;
    std::string& folder_;
    int& map_;
    QDialog dialog_;
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheWelcomeLinesInBlack() {
        WindowFixture f;
        const QStringList expected = {
            "",
            "Welcome to Quenlo ! :)",
            "",
            "This software is free, however if you do enjoy it, please consider a small "
            "donation to:",
            "",
            "\t  ****************************",
            "\t  *                          *",
            "\t  * Medici Senza Frontiere   *",
            "\t  *                          *",
            "\t  * www.msf.it               *",
            "\t  *                          *",
            "\t  ****************************",
            "",
            "Thanks! :)",
            ""};
        QCOMPARE(f.lines(), expected);
        for (int i = 0; i < f.relog()->line_count(); ++i)
            QCOMPARE(f.relog()->line_colour(i), QColor(0, 0, 0));
    }

    void opensWithNoProject() {
        WindowFixture f;
        QCOMPARE(f.window->windowTitle(), no_project_title);
        QVERIFY(f.menu("File1")->menuAction()->isEnabled());
        QVERIFY(!f.menu("Project1")->menuAction()->isEnabled());
        QVERIFY(!f.menu("Tools1")->menuAction()->isEnabled());
        QVERIFY(f.menu("Help1")->menuAction()->isEnabled());
        QVERIFY(f.action("Newproject1")->isEnabled());
        QVERIFY(f.action("Loadproject1")->isEnabled());
        QVERIFY(f.button("btnStop")->isHidden());
        QVERIFY(f.button("btndellog")->isVisible());
        QVERIFY(f.button("btndellog")->isEnabled());
        QVERIFY(f.relog()->isReadOnly());
        QVERIFY(QFontInfo(f.relog()->font()).fixedPitch());
        QCOMPARE(f.window->centralWidget()->size(), QSize(784, 474));
        QCOMPARE(f.window->workspace().project_folder, std::string());
        QCOMPARE(f.window->workspace().program_folder, f.program.path() + "/");
    }

    void hasEveryMenuItemInOrder() {
        WindowFixture f;
        QCOMPARE(shown(f.menu("File1")->title()), QString("File"));
        QCOMPARE(captions(f.menu("File1")),
                 (QStringList{"New project", "-", "Set project", "Recent projects", "-", "Exit"}));
        QCOMPARE(captions(f.menu("Project1")),
                 (QStringList{"Generate HTML debug file", "Generate HTML debug and release files",
                              "Play in browser", "-", "Skip unknown objects/rooms/variables check",
                              "Skip file characters check", "Skip images merging", "-",
                              "Open project folder"}));
        QCOMPARE(
            captions(f.menu("Tools1")),
            (QStringList{"Map 1 editor", "Map 2 editor", "Map 3 editor", "Import picture...", "-",
                         "Check parentheses", "-", "Explore game", "Replay walkthroughs"}));
        QCOMPARE(captions(f.menu("Help1")), (QStringList{"Authoring reference", "-", "About..."}));
        QStringList view = {"Story map"};
        if (f.window->findChild<QAction*>("Game1")) view << "Game";  // with the game pane built
        QCOMPARE(captions(f.menu("View1")), view);
        const QStringList titles = {"File", "Edit", "Project", "Tools", "View", "Help"};
        for (int i = 0; i < titles.size(); ++i)
            QCOMPARE(shown(f.window->menuBar()->actions()[i]->text()), titles[i]);
    }

    // Alt and the letter opens a menu or chooses an item: each has one, and no
    // two in the same menu share it.
    void everyMenuAndItemHasItsOwnMnemonicAndTheStandardKeys() {
        WindowFixture f;
        const auto distinct_mnemonics = [](const QList<QAction*>& actions) {
            QStringList letters;
            for (const QAction* action : actions) {
                if (action->isSeparator()) continue;
                const QString letter = mnemonic(action->text());
                if (letter.isEmpty() || letters.contains(letter)) return false;
                letters << letter;
            }
            return true;
        };
        QVERIFY(distinct_mnemonics(f.window->menuBar()->actions()));
        for (const char* menu : {"File1", "Project1", "Tools1", "View1", "Help1"})
            QVERIFY2(distinct_mnemonics(f.menu(menu)->actions()), menu);

        const std::pair<const char*, const char*> keys[] = {
            {"Newproject1", "Ctrl+N"},
            {"Loadproject1", "Ctrl+O"},
            {"Exit1", "Ctrl+Q"},
            {"Generate1", "F9"},
            {"GenerateHTMLdebugandreleasefiles1", "Shift+F9"},
            {"Playinbrowser1", "F5"},
            {"Authoringreference1", "F1"}};
        for (const auto& [name, key] : keys)
            QCOMPARE(f.action(name)->shortcut().toString(), QString(key));
        QCOMPARE(f.button("btnStop")->shortcut().toString(), QString("Esc"));
    }

    void theSwitchesStartAsTheirCheckMarksAndToggle() {
        WindowFixture f;
        QAction* unknown = f.action("Skipunknownobjectsroomsvariablescheck1");
        QAction* characters = f.action("Skipfilecharacterscheck1");
        QAction* images = f.action("Skipimagesmerging1");
        QVERIFY(unknown->isCheckable() && !unknown->isChecked());
        QVERIFY(characters->isCheckable() && characters->isChecked());
        QVERIFY(images->isCheckable() && !images->isChecked());
        QVERIFY(!images->isVisible());
        const auto& switches = f.window->workspace().switches;
        QVERIFY(switches.skip_characters_check && !switches.skip_unknown_check);

        unknown->trigger();
        characters->trigger();
        QVERIFY(unknown->isChecked() && switches.skip_unknown_check);
        QVERIFY(!characters->isChecked() && !switches.skip_characters_check);
        unknown->trigger();
        QVERIFY(!unknown->isChecked() && !switches.skip_unknown_check);
    }

    void aBaseScriptBesideTheProgramIsLoadedAndLogged() {
        quenlo::test::TempFolder program;
        program.write("base.qn", "<p>base accanto ___VERSION___</p>\r\n#HELP\r\nAiuto\r\n");
        quenlo::test::ScriptedDialogs dialogs;
        quenlo::test::RecordingModal modal;
        quenlo::test::RecordingOpener urls;
        QSettings settings(q(program.path() + "/settings.ini"), QSettings::IniFormat);
        quenlo::app::TfrmMain window(dialogs, modal, {urls, settings, program.path()},
                                     program.path(), std::chrono::milliseconds(0));
        auto* relog = window.findChild<quenlo::app::LogView*>("relog");
        QCOMPARE(relog->line_count(), 16);
        QCOMPARE(relog->line_text(13), QString("Thanks! :)"));
        QCOMPARE(relog->line_text(15), q("Found base.qn file: " + program.path() + "/base.qn"));
        QCOMPARE(relog->line_colour(15), QColor(0, 0, 255));
        QVERIFY(window.workspace().reDefault.text().starts_with("<p>base accanto"));
    }

    void theClearLogButtonEmptiesTheLog() {
        WindowFixture f;
        f.button("btndellog")->click();
        QCOMPARE(f.relog()->line_count(), 0);
        QCOMPARE(f.window->windowTitle(), no_project_title);
    }

    void aboutShowsTheAboutBoxModally() {
        WindowFixture f;
        QString text;
        f.modal.on_show = [&](QDialog& dialog) {
            QVERIFY(qobject_cast<quenlo::app::TAboutBox*>(&dialog) != nullptr);
            text = dialog.findChild<QLabel*>("lblAbout")->text();
        };
        f.trigger("About1");
        QCOMPARE(f.modal.shown, QStringList{"About"});
        QVERIFY(text.startsWith("Quenlo v3.6\n"));
        QVERIFY(text.contains("licensed under"));
        QVERIFY(!text.contains("http") && !text.contains("www"));
        QVERIFY(f.window->findChildren<quenlo::app::TAboutBox*>().isEmpty());  // discarded
    }

    void theAuthoringReferenceOpensWithoutAProjectAndFindsAWord() {
        WindowFixture f;
        f.trigger("Authoringreference1");
        auto* reference = f.window->findChild<quenlo::app::ReferenceWindow*>("frmReference");
        QVERIFY(reference && reference->isVisible());
        auto* text = reference->findChild<QPlainTextEdit*>("txtReference");
        const std::string stored = quenlo::section_file_text(quenlo::BaseScript(), "#REFERENCE");
        QCOMPARE(text->toPlainText(), q(stored).replace("\r\n", "\n"));

        const QString word = "stanza";
        const QString all = text->toPlainText().toLower();
        QVERIFY(all.count(word) >= 3);
        QTest::keyClicks(reference->findChild<QLineEdit*>("txtFind"), word);
        QCOMPARE(text->extraSelections().size(), all.count(word));
        const auto selected_at = [&] { return text->textCursor().selectionStart(); };
        QCOMPARE(selected_at(), all.indexOf(word));
        reference->findChild<QPushButton*>("btnFindNext")->click();
        QCOMPARE(selected_at(), all.indexOf(word, all.indexOf(word) + 1));
        auto* previous = reference->findChild<QPushButton*>("btnFindPrevious");
        previous->click();
        previous->click();  // round the start to the last one
        QCOMPARE(selected_at(), all.lastIndexOf(word));

        f.trigger("Authoringreference1");
        QCOMPARE(f.window->findChildren<quenlo::app::ReferenceWindow*>().size(), 1);
    }

    void exitClosesTheWindowWhenIdle() {
        WindowFixture f;
        f.trigger("Exit1");
        QVERIFY(!f.window->isVisible());
    }

    void theMapCommandsSayWhenNoEditorIsPluggedIn() {
        WindowFixture f;
        f.set_project(f.make_project("Mappe"));
        f.trigger("Mapeditor1");
        QCOMPARE(
            f.dialogs.messages.back(),
            (quenlo::test::ShownMessage{MessageKind::warning, "The map editor is not available."}));
        QVERIFY(f.modal.shown.isEmpty());
    }

    void theMapCommandsOpenThePluggedInEditor() {
        WindowFixture f;
        const std::string project = f.make_project("Mappe");
        f.set_project(project);
        int destroyed = 0;
        std::string folder;
        int map = 0;
        bool loads = true;
        quenlo::Dialogs* given_dialogs = nullptr;
        QWidget* given_parent = nullptr;
        f.window->set_map_editor_factory([&](QWidget* parent, quenlo::Dialogs& dialogs) {
            given_parent = parent;
            given_dialogs = &dialogs;
            return std::make_unique<FakeMapEditor>(loads, destroyed, folder, map);
        });

        f.trigger("Mapeditor2");
        QCOMPARE(folder, project + "/");
        QCOMPARE(map, 2);
        QCOMPARE(given_dialogs, static_cast<quenlo::Dialogs*>(&f.dialogs));
        QCOMPARE(given_parent, static_cast<QWidget*>(f.window.get()));
        QCOMPARE(f.modal.shown, QStringList{"fake map editor"});
        QCOMPARE(destroyed, 1);

        loads = false;
        f.trigger("Mapeditor1");
        QCOMPARE(map, 1);
        QCOMPARE(f.modal.shown.size(), 1);  // not shown when loading fails
        QCOMPARE(destroyed, 2);

        f.trigger("Mapeditor3");  // its load raises an error
        QCOMPARE(map, 3);
        QCOMPARE(destroyed, 3);
        QCOMPARE(
            f.dialogs.messages.back(),
            (quenlo::test::ShownMessage{MessageKind::error, "Cannot open file \"rooms.qnr\"."}));
        QCOMPARE(f.modal.shown.size(), 1);
    }
};

QTEST_MAIN(StartupTest)
#include "frmmain_startup_test.moc"
