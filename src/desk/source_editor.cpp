#include "desk/source_editor.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QToolTip>
#include <exception>

#include "desk/story_lexer.h"
#include "foundation/diagnostic.h"
#include "foundation/project_files.h"

namespace quenlo::desk {

namespace {

constexpr int error_indicator = 8;
constexpr int warning_indicator = 9;
constexpr int error_marker = 1;
constexpr int warning_marker = 2;
constexpr int hover_wait_ms = 500;

bool is_error(const language::PlacedDiagnostic& diagnostic) {
    return diagnostic.diagnostic.severity == Severity::error;
}

}  // namespace

SourceEditor::SourceEditor(std::string file_name, std::string path, QWidget* parent)
    : QsciScintilla(parent), file_name_(std::move(file_name)), path_(std::move(path)) {
    setObjectName(QString::fromStdString(file_name_));
    setUtf8(true);
    setEolMode(EolWindows);
    lexer_ = new StoryLexer(language_of(QString::fromStdString(file_name_)), this);
    setLexer(lexer_);

    setMarginType(0, NumberMargin);
    setMarginWidth(0, QStringLiteral("00000"));
    setMarginLineNumbers(0, true);
    setMarginType(1, SymbolMargin);
    setMarginWidth(1, 14);
    setMarginSensitivity(1, false);
    markerDefine(Circle, error_marker);
    setMarkerBackgroundColor(QColor(0xd0, 0x20, 0x20), error_marker);
    markerDefine(Circle, warning_marker);
    setMarkerBackgroundColor(QColor(0xc0, 0x80, 0x00), warning_marker);
    setMarginMarkerMask(1, (1 << error_marker) | (1 << warning_marker));
    setFolding(BoxedTreeFoldStyle, 2);
    setBraceMatching(SloppyBraceMatch);
    setCaretLineVisible(true);
    setCaretLineBackgroundColor(QColor(0xf4, 0xf4, 0xff));
    setAutoIndent(true);
    setTabWidth(4);

    indicatorDefine(SquiggleIndicator, error_indicator);
    setIndicatorForegroundColor(QColor(0xe0, 0x10, 0x10), error_indicator);
    indicatorDefine(SquiggleIndicator, warning_indicator);
    setIndicatorForegroundColor(QColor(0xc0, 0x80, 0x00), warning_indicator);

    SendScintilla(SCI_SETMOUSEDWELLTIME, hover_wait_ms);
    connect(this, &QsciScintilla::SCN_DWELLSTART, this, [this](int position, int x, int y) {
        if (position >= 0) emit hovered(position, viewport()->mapToGlobal(QPoint(x, y)));
    });
    connect(this, &QsciScintilla::SCN_DWELLEND, this, [](int, int, int) { QToolTip::hideText(); });
}

// Read as the build reads it (a Windows-1252 line among UTF-8 ones keeps its
// accents); a save writes UTF-8.
bool SourceEditor::load() {
    std::string text;
    try {
        text = read_decoded_text(path_);
    } catch (const std::exception&) {
        return false;
    }
    setText(QString::fromStdString(text));
    setModified(false);
    disk_time_ = QFileInfo(QString::fromStdString(path_)).lastModified().toMSecsSinceEpoch();
    return true;
}

std::string SourceEditor::bytes() const {
    return text().toStdString();
}

std::size_t SourceEditor::caret_line() const {
    auto* self = const_cast<SourceEditor*>(this);
    return static_cast<std::size_t>(
        self->SendScintilla(SCI_LINEFROMPOSITION, self->SendScintilla(SCI_GETCURRENTPOS)));
}

// Places count bytes of a line; the editor's own line indexes count characters.
std::size_t SourceEditor::caret_byte() const {
    auto* self = const_cast<SourceEditor*>(this);
    return static_cast<std::size_t>(self->SendScintilla(SCI_GETCURRENTPOS) -
                                    position_of(caret_line(), 0));
}

long SourceEditor::position_of(std::size_t line, std::size_t byte) const {
    return const_cast<SourceEditor*>(this)->SendScintilla(SCI_POSITIONFROMLINE,
                                                          static_cast<unsigned long>(line)) +
           static_cast<long>(byte);
}

void SourceEditor::go_to(std::size_t line, std::size_t byte) {
    const long line_end = SendScintilla(SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
    SendScintilla(SCI_GOTOPOS,
                  static_cast<unsigned long>(std::min(position_of(line, byte), line_end)));
    ensureLineVisible(static_cast<int>(line));
    setFocus();
}

void SourceEditor::select_place(const language::Place& place) {
    SendScintilla(SCI_SETSEL,
                  static_cast<unsigned long>(position_of(place.range.line, place.range.begin)),
                  position_of(place.range.line, place.range.end));
    ensureLineVisible(static_cast<int>(place.range.line));
}

void SourceEditor::show_diagnostics(std::vector<language::PlacedDiagnostic> diagnostics) {
    diagnostics_ = std::move(diagnostics);
    const long length = SendScintilla(SCI_GETLENGTH);
    for (int indicator : {error_indicator, warning_indicator}) {
        SendScintilla(SCI_SETINDICATORCURRENT, indicator);
        SendScintilla(SCI_INDICATORCLEARRANGE, 0UL, length);
    }
    markerDeleteAll(error_marker);
    markerDeleteAll(warning_marker);
    for (const language::PlacedDiagnostic& diagnostic : diagnostics_) {
        const TextRange& range = diagnostic.where.range;
        const long from = position_of(range.line, range.begin);
        const long to = std::max(from + 1, position_of(range.line, range.end));
        SendScintilla(SCI_SETINDICATORCURRENT,
                      is_error(diagnostic) ? error_indicator : warning_indicator);
        SendScintilla(SCI_INDICATORFILLRANGE, static_cast<unsigned long>(from), to - from);
        markerAdd(static_cast<int>(range.line),
                  is_error(diagnostic) ? error_marker : warning_marker);
    }
}

const language::PlacedDiagnostic* SourceEditor::diagnostic_at(long position) const {
    for (const language::PlacedDiagnostic& diagnostic : diagnostics_) {
        const TextRange& range = diagnostic.where.range;
        const long from = position_of(range.line, range.begin);
        const long to = std::max(from + 1, position_of(range.line, range.end));
        if (position >= from && position <= to) return &diagnostic;
    }
    return nullptr;
}

QString SourceEditor::hover_text_at(long position) const {
    QStringList texts;
    for (const language::PlacedDiagnostic& diagnostic : diagnostics_) {
        const TextRange& range = diagnostic.where.range;
        const long from = position_of(range.line, range.begin);
        const long to = std::max(from + 1, position_of(range.line, range.end));
        if (position < from || position > to) continue;
        QString text = QString::fromStdString(diagnostic.diagnostic.text);
        for (const Note& note : diagnostic.diagnostic.notes)
            text += QStringLiteral("\n") + QString::fromStdString(note.text);
        texts << text;
    }
    return texts.join(QStringLiteral("\n\n"));
}

}  // namespace quenlo::desk
