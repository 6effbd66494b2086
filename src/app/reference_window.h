#pragma once
// The authoring reference in a window of its own, beside the main window, with
// a search field: every match is highlighted, "Find next" and "Find previous"
// (Enter in the field, F3, Shift+F3) move to the next one, round the end.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace quenlo::app {

class ReferenceWindow : public QWidget {
    Q_OBJECT
public:
    ReferenceWindow(const QString& text, QWidget* parent = nullptr);

    // Selects the next (or previous) match of the search field's text;
    // false when there is none.
    bool find(bool backwards = false);

private:
    void highlight_matches();

    QPlainTextEdit* text_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace quenlo::app
