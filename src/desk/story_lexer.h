#pragma once
// The colours of the project's languages in the editor, the same ones the
// editors' grammars give: headers of rooms and objects, names, links, object
// properties and comments in the story files, and JavaScript in the script
// files and in an object's menu block. Rooms and objects fold at their header.

#include <Qsci/qscilexercustom.h>

namespace quenlo::desk {

enum class SourceLanguage { story, script };

// The language of a project file by its name: "*.qna" files are JavaScript.
SourceLanguage language_of(const QString& file_name);

class StoryLexer : public QsciLexerCustom {
    Q_OBJECT
public:
    enum Style { plain, comment, header, name, link, property, keyword, string, number, count };

    StoryLexer(SourceLanguage language, QObject* parent = nullptr);

    const char* language() const override { return "Quenlo"; }
    QString description(int style) const override;
    QColor defaultColor(int style) const override;
    QFont defaultFont(int style) const override;
    void styleText(int start, int end) override;

private:
    void style_story_line(const QByteArray& line, int line_number);
    void style_script(const QByteArray& line);
    bool in_menu_block(int line_number) const;

    SourceLanguage language_;
};

}  // namespace quenlo::desk
