// Tools > "Explore game" and "Replay walkthroughs" on the sample adventure, in
// the real headless browser: the search's summary in the log, the stop button
// ending it early, a walkthrough replayed.

#include <QProgressBar>
#include <QToolButton>
#include <QtTest>
#include <fstream>

#include "window_fixture.h"

using quenlo::test::WindowFixture;

class ExploreTest : public QObject {
    Q_OBJECT

private slots:
    void exploreFindsTheSampleCompleteAndTheStopButtonEndsASearch() {
        WindowFixture f;
        const std::string project = f.make_project("Faro");
        f.set_project(project);
        f.trigger("Exploregame1");
        QVERIFY2(f.lines().last().contains("rooms entered 4 of 4") &&
                     f.lines().last().endsWith("the search is complete."),
                 qPrintable(f.lines().last()));
        QVERIFY(f.menu("Tools1")->menuAction()->isEnabled());
        QVERIFY(!f.window->findChild<QProgressBar*>("pbExplore")->isVisible());

        QTimer::singleShot(300, f.window.get(), [&f] {
            QToolButton* stop = f.window->findChild<QToolButton*>("btnStop");
            QVERIFY(stop->isVisible());
            stop->click();
        });
        f.trigger("Exploregame1");
        QVERIFY2(f.lines().last().endsWith("the search is not complete (stopped)."),
                 qPrintable(f.lines().last()));
    }

    void replayHoldsAWalkthroughOfTheProject() {
        WindowFixture f;
        const std::string project = f.make_project("Faro");
        std::ofstream(project + "/inizio.walk") << "Inizia l'avventura\nContinua\n= Quando riapri gli occhi\n";
        f.set_project(project);
        f.trigger("Replaywalkthroughs1");
        QCOMPARE(f.lines().last(),
                 QString::fromStdString(project + "/inizio.walk: 2 choices replayed, every expectation held"));
    }
};

QTEST_MAIN(ExploreTest)
#include "frmmain_explore_test.moc"
