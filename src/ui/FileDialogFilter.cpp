#include "ui/FileDialogFilter.h"

#include <QStringList>

namespace {

QString ConvertPatterns(const QString& patterns) {
    QStringList converted;
    for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        converted << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    return converted.join(QLatin1Char(' '));
}

QString NameWithPatterns(QString name, const QString& patterns) {
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(')'))) {
        const qsizetype open = name.lastIndexOf(QLatin1Char('('));
        if (open >= 0) {
            name.truncate(open);
            name = name.trimmed();
        }
    }
    return name + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

}  // namespace

QString ConvertFileFilter(const QString& systemFilter) {
    const QStringList parts = systemFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) {
            break;  // the "||" that ends the list
        }
        filters << NameWithPatterns(parts[i], ConvertPatterns(parts[i + 1]));
    }
    return filters.join(QStringLiteral(";;"));
}

QString FilterExtension(const QString& qtFilter) {
    const qsizetype open = qtFilter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = qtFilter.lastIndexOf(QLatin1Char(')'));
    const QString patterns =
        open >= 0 && close > open ? qtFilter.mid(open + 1, close - open - 1) : qtFilter;
    const QString first = patterns.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    const QString extension = first.startsWith(QLatin1String("*.")) ? first.mid(2) : QString();
    return extension.contains(QLatin1Char('*')) ? QString() : extension;
}
