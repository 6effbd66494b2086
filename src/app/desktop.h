#pragma once
// What the window reaches outside itself besides its dialogs: the system's
// opener of pages, files and folders (the browser, an editor, the file
// manager), the settings kept between runs, and the home folder. The program
// hands it the real ones; a test hands it a recorder and a settings file of
// its own.

#include <QUrl>
#include <string>

class QSettings;

namespace quenlo::app {

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // Opens a page, a file or a folder in the application the system has for it.
    virtual void open_url(const QUrl& url) = 0;
};

class SystemUrlOpener : public UrlOpener {
public:
    void open_url(const QUrl& url) override;
};

struct Desktop {
    UrlOpener& urls;
    QSettings& settings;
    std::string home_folder;
};

}  // namespace quenlo::app
