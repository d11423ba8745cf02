#include "app/CommandLine.h"

std::optional<CommandLineOptions> ParseCommandLine(const QStringList& arguments) {
    CommandLineOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QStringLiteral("--catalogue") && hasValue) {
            options.catalogueFolder = arguments[++i].toStdString();
        } else if (argument == QStringLiteral("--nwp-root") && hasValue) {
            options.nwpRoot = arguments[++i].toStdString();
        } else if (argument == QStringLiteral("--quit-after") && hasValue) {
            bool ok = false;
            const int ms = arguments[++i].toInt(&ok);
            if (!ok || ms < 0) {
                return std::nullopt;
            }
            options.quitAfterMs = ms;
        } else if (argument == QStringLiteral("--help")) {
            options.help = true;
        } else if (!argument.startsWith(QLatin1Char('-'))) {
            options.filesToOpen.push_back(argument.toStdString());
        } else {
            return std::nullopt;
        }
    }
    return options;
}
