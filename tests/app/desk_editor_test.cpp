// The editor's own parts, below the window: the colours and folds of the
// project's languages, and the diagnostics thread that delivers only the
// newest answer.

#include <QtTest>
#include <fstream>

#include "desk/diagnostics_worker.h"
#include "desk/source_editor.h"
#include "desk/story_lexer.h"
#include "foundation/base_script.h"
#include "project/new_project_files.h"
#include "support/temp_project.h"

using quenlo::desk::SourceEditor;
using quenlo::desk::StoryLexer;

namespace {

// The style of the first byte of `piece` on the line that holds it.
int style_of(SourceEditor& editor, const QByteArray& piece) {
    const QByteArray all = editor.text().toUtf8();
    const qsizetype at = all.indexOf(piece);
    if (at < 0) return -1;
    return static_cast<int>(
        editor.SendScintilla(QsciScintilla::SCI_GETSTYLEAT, static_cast<unsigned long>(at)));
}

void show(SourceEditor& editor, const QString& text) {
    editor.setText(text);
    editor.resize(600, 400);
    editor.show();
    editor.SendScintilla(QsciScintilla::SCI_COLOURISE, 0UL, -1L);
}

}  // namespace

class DeskEditorTest : public QObject {
    Q_OBJECT
private slots:
    void storyFilesAndScriptsHaveTheirColoursAndRoomsFold() {
        SourceEditor objects("objects.qno", "/nonexistent/objects.qno");
        show(objects,
             "// oggetti\r\n{_baule_}\r\n:room: _rGiardino_\r\n:menu: apri\r\n"
             "if (f_prendi(\"x\")) return 1;\r\n{_chiave_}\r\n:examinable\r\n");
        QCOMPARE(style_of(objects, "// oggetti"), int(StoryLexer::comment));
        QCOMPARE(style_of(objects, "{_baule_}"), int(StoryLexer::header));
        QCOMPARE(style_of(objects, ":room:"), int(StoryLexer::property));
        QCOMPARE(style_of(objects, "_rGiardino_"), int(StoryLexer::name));
        // The menu's code is JavaScript up to the next object.
        QCOMPARE(style_of(objects, "if ("), int(StoryLexer::keyword));
        QCOMPARE(style_of(objects, "\"x\""), int(StoryLexer::string));
        QCOMPARE(style_of(objects, ":examinable"), int(StoryLexer::property));
        const auto level = [&](int line) {
            return objects.SendScintilla(QsciScintilla::SCI_GETFOLDLEVEL,
                                         static_cast<unsigned long>(line));
        };
        QVERIFY(level(1) & QsciScintilla::SC_FOLDLEVELHEADERFLAG);
        QVERIFY(!(level(2) & QsciScintilla::SC_FOLDLEVELHEADERFLAG));
        QVERIFY(level(5) & QsciScintilla::SC_FOLDLEVELHEADERFLAG);

        SourceEditor rooms("rooms.qnr", "/nonexistent/rooms.qnr");
        show(rooms, "{*1}\r\n_rStanza_\r\nUna {porta|_porta_|esci|_rFuori_} if.\r\n");
        QCOMPARE(style_of(rooms, "{*1}"), int(StoryLexer::header));
        QCOMPARE(style_of(rooms, "{porta"), int(StoryLexer::link));
        QCOMPARE(style_of(rooms, "_rFuori_"), int(StoryLexer::name));
        QCOMPARE(style_of(rooms, "if."), int(StoryLexer::plain));  // story text is no code

        SourceEditor actions("actions.qna", "/nonexistent/actions.qna");
        show(actions, "function f_apri() { var n = 10; } // fine\r\n");
        QCOMPARE(style_of(actions, "function"), int(StoryLexer::keyword));
        QCOMPARE(style_of(actions, "10"), int(StoryLexer::number));
        QCOMPARE(style_of(actions, "// fine"), int(StoryLexer::comment));
    }

    void onlyTheNewestReadingIsDelivered() {
        quenlo::test::TempFolder program;
        const std::string folder = program.path() + "/Progetto";
        quenlo::write_new_project(quenlo::BaseScript(), folder);
        std::ifstream in(folder + "/rooms.qnr", std::ios::binary);
        const std::string rooms((std::istreambuf_iterator<char>(in)), {});
        QObject receiver;
        std::vector<quenlo::desk::Diagnostics> delivered;
        quenlo::desk::DiagnosticsWorker worker(
            program.path() + "/", &receiver,
            [&](quenlo::desk::Diagnostics found) { delivered.push_back(std::move(found)); });
        worker.request(folder, {{"rooms.qnr", rooms + "\r\n{9}\r\n_rNuova_\r\n{x|_ignoto_}\r\n"}});
        worker.request(folder, {{"rooms.qnr", rooms}});
        QTRY_COMPARE_WITH_TIMEOUT(delivered.size(), std::size_t{1}, 10000);
        QTest::qWait(300);
        QCOMPARE(delivered.size(), std::size_t{1});
        for (const auto& diagnostic : delivered.front())
            QVERIFY(diagnostic.diagnostic.text.find("_ignoto_") == std::string::npos);

        worker.request(folder, {{"rooms.qnr", rooms + "\r\n{9}\r\n_rNuova_\r\n{x|_ignoto_}\r\n"}});
        QTRY_COMPARE_WITH_TIMEOUT(delivered.size(), std::size_t{2}, 10000);
        bool found = false;
        for (const auto& diagnostic : delivered.back())
            found = found || diagnostic.diagnostic.text.find("_ignoto_") != std::string::npos;
        QVERIFY(found);
    }
};

QTEST_MAIN(DeskEditorTest)
#include "desk_editor_test.moc"
