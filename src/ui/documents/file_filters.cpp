#include "documents/file_filters.h"

#include "common/ui_text.h"
#include "config/settings_groups.h"
#include "strings/document_strings.h"

#include <QStringList>

namespace quorvel::ui {

std::string beeFileFilters(int fileTypeOrder)
{
    const char* table = fileTypeOrder == settings::kTextFilesFirst ? strings::kTextFilesFirstFilter
                                                                   : strings::kBeeFilesFirstFilter;
    const QStringList parts = uiText(table).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts.at(i);
        // The label names its pattern in brackets; the dialog's own list replaces them.
        if (const qsizetype open = label.lastIndexOf(QLatin1Char('(')); open >= 0)
            label.truncate(open);
        QStringList patterns;
        for (const QString& pattern : parts.at(i + 1).split(QLatin1Char(';'))) {
            if (pattern == QLatin1String("*.*")) {
                patterns << QStringLiteral("*");
                continue;
            }
            patterns << pattern;
            if (pattern.toLower() != pattern)
                patterns << pattern.toLower();
        }
        filters << label + QLatin1Char('(') + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;")).toStdString();
}

std::string beeDefaultSuffix(int fileTypeOrder)
{
    return fileTypeOrder == settings::kTextFilesFirst ? "txt" : "bee";
}

} // namespace quorvel::ui
