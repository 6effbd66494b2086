#include "desk/story_lexer.h"

#include <Qsci/qsciscintilla.h>

#include <QFontDatabase>
#include <array>
#include <string_view>

namespace quenlo::desk {

namespace {

constexpr std::array<std::string_view, 28> script_keywords = {
    "break", "case", "catch",  "const",  "continue", "default", "delete",
    "do",    "else", "false",  "for",    "function", "if",      "in",
    "let",   "new",  "null",   "return", "switch",   "this",    "throw",
    "true",  "try",  "typeof", "var",    "void",     "while",   "undefined"};

bool is_word_byte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || static_cast<unsigned char>(c) >= 0x80;
}

bool is_keyword(std::string_view word) {
    for (std::string_view keyword : script_keywords)
        if (keyword == word) return true;
    return false;
}

// A header of a room ("{*1}") or an object ("{_baule_}") alone on its line.
bool is_header(const QByteArray& line) {
    const QByteArray trimmed = line.trimmed();
    return trimmed.size() > 2 && trimmed.startsWith('{') && trimmed.endsWith('}') &&
           !trimmed.contains('|');
}

}  // namespace

SourceLanguage language_of(const QString& file_name) {
    return file_name.endsWith(QStringLiteral(".qna"), Qt::CaseInsensitive) ? SourceLanguage::script
                                                                           : SourceLanguage::story;
}

StoryLexer::StoryLexer(SourceLanguage language, QObject* parent)
    : QsciLexerCustom(parent), language_(language) {}

QString StoryLexer::description(int style) const {
    switch (style) {
        case plain:
            return QStringLiteral("Text");
        case comment:
            return QStringLiteral("Comment");
        case header:
            return QStringLiteral("Header");
        case name:
            return QStringLiteral("Name");
        case link:
            return QStringLiteral("Link");
        case property:
            return QStringLiteral("Property");
        case keyword:
            return QStringLiteral("Keyword");
        case string:
            return QStringLiteral("String");
        case number:
            return QStringLiteral("Number");
        default:
            return {};
    }
}

QColor StoryLexer::defaultColor(int style) const {
    switch (style) {
        case comment:
            return QColor(0x6a, 0x99, 0x55);
        case header:
            return QColor(0x80, 0x00, 0x80);
        case name:
            return QColor(0x00, 0x50, 0xa0);
        case link:
            return QColor(0x80, 0x80, 0x80);
        case property:
            return QColor(0xa0, 0x50, 0x00);
        case keyword:
            return QColor(0x00, 0x00, 0xc0);
        case string:
            return QColor(0xa3, 0x15, 0x15);
        case number:
            return QColor(0x09, 0x86, 0x58);
        default:
            return QColor(Qt::black);
    }
}

QFont StoryLexer::defaultFont(int style) const {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (style == header || style == keyword) font.setBold(true);
    if (style == comment) font.setItalic(true);
    return font;
}

// Styles whole lines, each one from its own text: none of the languages
// carries a state from one line to the next but the menu block, which is
// found by looking back for its ":menu:" line.
void StoryLexer::styleText(int start, int end) {
    QsciScintilla* editor = this->editor();
    if (!editor) return;
    int first_line = 0, index = 0, last_line = 0;
    editor->lineIndexFromPosition(start, &first_line, &index);
    editor->lineIndexFromPosition(end, &last_line, &index);
    startStyling(static_cast<int>(editor->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE,
                                                        static_cast<unsigned long>(first_line))));
    for (int line = first_line; line <= last_line && line < editor->lines(); ++line) {
        const long from = editor->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE,
                                                static_cast<unsigned long>(line));
        const long to = editor->SendScintilla(QsciScintilla::SCI_GETLINEENDPOSITION,
                                              static_cast<unsigned long>(line));
        const long length =
            editor->SendScintilla(QsciScintilla::SCI_LINELENGTH, static_cast<unsigned long>(line));
        QByteArray text(static_cast<qsizetype>(to - from), '\0');
        if (to > from)
            editor->SendScintilla(QsciScintilla::SCI_GETTEXTRANGE, from, to, text.data());
        if (language_ == SourceLanguage::script || in_menu_block(line))
            style_script(text);
        else
            style_story_line(text, line);
        if (length > to - from) setStyling(static_cast<int>(length - (to - from)), plain);

        const int level = QsciScintilla::SC_FOLDLEVELBASE;
        const bool folds = language_ == SourceLanguage::story && is_header(text);
        editor->SendScintilla(QsciScintilla::SCI_SETFOLDLEVEL, static_cast<unsigned long>(line),
                              folds ? level | QsciScintilla::SC_FOLDLEVELHEADERFLAG : level + 1);
    }
}

bool StoryLexer::in_menu_block(int line_number) const {
    if (language_ != SourceLanguage::story) return false;
    QsciScintilla* editor = this->editor();
    for (int line = line_number - 1; line >= 0; --line) {
        const QString text = editor->text(line);
        if (text.startsWith(QStringLiteral(":menu:"))) return true;
        if (text.startsWith(QLatin1Char('{')) || text.startsWith(QLatin1Char(':'))) return false;
    }
    return false;
}

void StoryLexer::style_story_line(const QByteArray& line, int) {
    const qsizetype size = line.size();
    if (line.trimmed().startsWith("//")) {
        setStyling(static_cast<int>(size), comment);
        return;
    }
    if (is_header(line)) {
        setStyling(static_cast<int>(size), header);
        return;
    }
    qsizetype at = 0;
    if (line.startsWith(':')) {
        qsizetype stop = 1;
        while (stop < size && line[stop] != ':' && line[stop] != ' ') ++stop;
        if (stop < size && line[stop] == ':') ++stop;
        at = stop;
        setStyling(static_cast<int>(at), property);
    }
    while (at < size) {
        const char c = line[at];
        if (c == '_' && at + 1 < size && is_word_byte(line[at + 1])) {
            qsizetype stop = at + 1;
            while (stop < size && is_word_byte(line[stop])) ++stop;
            setStyling(static_cast<int>(stop - at), name);
            at = stop;
        } else if (c == '{' || c == '}' || c == '|' || c == '@' || c == '#' || c == '$') {
            setStyling(1, link);
            ++at;
        } else {
            qsizetype stop = at + 1;
            while (stop < size && line[stop] != '_' && line[stop] != '{' && line[stop] != '}' &&
                   line[stop] != '|' && line[stop] != '@' && line[stop] != '#' && line[stop] != '$')
                ++stop;
            setStyling(static_cast<int>(stop - at), plain);
            at = stop;
        }
    }
}

void StoryLexer::style_script(const QByteArray& line) {
    const qsizetype size = line.size();
    qsizetype at = 0;
    while (at < size) {
        const char c = line[at];
        if (c == '/' && at + 1 < size && line[at + 1] == '/') {
            setStyling(static_cast<int>(size - at), comment);
            return;
        }
        qsizetype stop = at + 1;
        int style = plain;
        if (c == '"' || c == '\'') {
            while (stop < size && line[stop] != c) stop += line[stop] == '\\' ? 2 : 1;
            stop = std::min(stop + 1, size);
            style = string;
        } else if (c >= '0' && c <= '9') {
            while (stop < size && is_word_byte(line[stop])) ++stop;
            style = number;
        } else if (is_word_byte(c)) {
            while (stop < size && is_word_byte(line[stop])) ++stop;
            const std::string_view word(line.constData() + at, static_cast<std::size_t>(stop - at));
            style = is_keyword(word)                                                 ? keyword
                    : (word.size() > 2 && word.front() == '_' && word.back() == '_') ? name
                                                                                     : plain;
        }
        setStyling(static_cast<int>(stop - at), style);
        at = stop;
    }
}

}  // namespace quenlo::desk
