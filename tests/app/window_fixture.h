#pragma once
// The main window on a fresh program folder, with every dialog answered from a
// script, every modal dialog and every page, file or folder opened recorded
// instead of shown, and a home folder and settings file of its own.

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMetaObject>
#include <QSettings>
#include <QToolButton>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "app/frmmain.h"
#include "app/log_view.h"
#include "app/modal_runner.h"
#include "foundation/base_script.h"
#include "project/new_project_files.h"
#include "support/scripted_dialogs.h"
#include "support/temp_project.h"

namespace quenlo::test {

class RecordingModal : public app::ModalRunner {
public:
    int exec_modal(QDialog& dialog) override {
        shown.push_back(dialog.windowTitle());
        if (on_show) on_show(dialog);
        return QDialog::Accepted;
    }
    QStringList shown;  // the titles of the dialogs shown, in order
    std::function<void(QDialog&)> on_show;
};

class RecordingOpener : public app::UrlOpener {
public:
    void open_url(const QUrl& url) override { opened.push_back(url); }
    QList<QUrl> opened;
};

// A portable install keeps new projects in the test's program folder; an
// installed one in "Quenlo" of the test's home folder.
enum class Install { portable, installed };

class WindowFixture {
public:
    // Events are processed at every chance, so a step queued with
    // `at_next_events` runs at the first log line or poll of a command.
    explicit WindowFixture(std::chrono::milliseconds interval = std::chrono::milliseconds(0),
                           Install install = Install::portable) {
        if (install == Install::portable) program.write("portable", "");
        open_window(interval);
    }

    // A window as the program opens it, on the same folders and settings.
    void open_window(std::chrono::milliseconds interval = std::chrono::milliseconds(0)) {
        window.reset();
        window = std::make_unique<app::TfrmMain>(
            dialogs, modal, app::Desktop{urls, settings, home.path()}, program.path(), interval);
        window->show();
    }

    QAction* action(const char* name) const {
        auto* found = window->findChild<QAction*>(QString::fromUtf8(name));
        if (!found) qFatal("no action %s", name);
        return found;
    }
    QMenu* menu(const char* name) const {
        auto* found = window->findChild<QMenu*>(QString::fromUtf8(name));
        if (!found) qFatal("no menu %s", name);
        return found;
    }
    QToolButton* button(const char* name) const {
        auto* found = window->findChild<QToolButton*>(QString::fromUtf8(name));
        if (!found) qFatal("no button %s", name);
        return found;
    }
    app::LogView* relog() const { return window->findChild<app::LogView*>("relog"); }
    void trigger(const char* name) const { action(name)->trigger(); }

    QStringList lines() const {
        QStringList all;
        for (int i = 0; i < relog()->line_count(); ++i) all << relog()->line_text(i);
        return all;
    }
    QColor colour_of_line(const QString& text) const {
        for (int i = 0; i < relog()->line_count(); ++i)
            if (relog()->line_text(i) == text) return relog()->line_colour(i);
        return QColor();
    }
    // The index of the first line starting with `start` at or after `from`, or -1.
    int find_line(const QString& start, int from = 0) const {
        const QStringList all = lines();
        for (int i = from; i < all.size(); ++i)
            if (all[i].startsWith(start)) return i;
        return -1;
    }

    // Runs `step` the next time the window processes its events.
    void at_next_events(std::function<void()> step) const {
        QMetaObject::invokeMethod(window.get(), std::move(step), Qt::QueuedConnection);
    }

    // A project written by the core, as "New project" writes it.
    std::string make_project(const std::string& name) const {
        const std::string folder = program.path() + "/" + name;
        write_new_project(BaseScript(), folder);
        return folder;
    }
    // Sets `folder` through "Set project".
    void set_project(const std::string& folder) {
        dialogs.folder_answers = {folder};
        trigger("Loadproject1");
    }

    TempFolder program;
    TempFolder home;
    QSettings settings{QString::fromStdString(home.path() + "/settings.ini"), QSettings::IniFormat};
    ScriptedDialogs dialogs;
    RecordingModal modal;
    RecordingOpener urls;
    std::unique_ptr<app::TfrmMain> window;
};

inline QString q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace quenlo::test
