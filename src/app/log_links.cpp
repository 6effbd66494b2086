#include "app/log_links.h"

#include <QRegularExpression>

namespace quenlo::app {

std::optional<QString> generated_page(const QString& line) {
    static const QString generated = QStringLiteral("Generated: ");
    if (!line.startsWith(generated) || line.size() == generated.size()) return std::nullopt;
    return line.mid(generated.size());
}

std::optional<QString> linked_file(const QString& line) {
    if (auto page = generated_page(line)) return page;
    // The shortest path before the numbers: a folder may hold a colon, the
    // error's text may too.
    static const QRegularExpression location(QStringLiteral("^(\\S.*?):\\d+(?::\\d+)?: error: "));
    const QRegularExpressionMatch match = location.match(line);
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1);
}

}  // namespace quenlo::app
