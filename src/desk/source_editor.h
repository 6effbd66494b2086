#pragma once
// One project file in the editor: its text with the project's colours, line
// numbers, bracket matching and folding, its diagnostics as squiggles and
// margin markers whose text shows on hover, and the bytes-of-a-line places of
// the language layer turned into the editor's positions and back.

#include <Qsci/qsciscintilla.h>

#include <string>
#include <vector>

#include "language/project_diagnostics.h"

namespace quenlo::desk {

class StoryLexer;

class SourceEditor : public QsciScintilla {
    Q_OBJECT
public:
    SourceEditor(std::string file_name, std::string path, QWidget* parent = nullptr);

    const std::string& file_name() const { return file_name_; }  // "rooms.qnr"
    const std::string& path() const { return path_; }

    // Reads the file from disk; false when it cannot be read.
    bool load();
    // The text as the language layer and the disk see it (UTF-8).
    std::string bytes() const;
    // The time of the file on disk when it was last read or written.
    qint64 disk_time() const { return disk_time_; }
    void set_disk_time(qint64 time) { disk_time_ = time; }

    // The caret as a line and byte of that line, both from 0.
    std::size_t caret_line() const;
    std::size_t caret_byte() const;
    long position_of(std::size_t line, std::size_t byte) const;
    void go_to(std::size_t line, std::size_t byte);
    void select_place(const language::Place& place);

    void show_diagnostics(std::vector<language::PlacedDiagnostic> diagnostics);
    const std::vector<language::PlacedDiagnostic>& diagnostics() const { return diagnostics_; }
    // The diagnostic under a position, or null.
    const language::PlacedDiagnostic* diagnostic_at(long position) const;
    // The texts shown on hover at a position: its diagnostics.
    QString hover_text_at(long position) const;

signals:
    // The mouse rests at `position`, shown at `where` on the screen.
    void hovered(long position, QPoint where);

private:
    std::string file_name_;
    std::string path_;
    qint64 disk_time_ = 0;
    StoryLexer* lexer_ = nullptr;
    std::vector<language::PlacedDiagnostic> diagnostics_;
};

}  // namespace quenlo::desk
