#include "app/main/commandline.h"

#include "objectlist/exceptions.h"

namespace duebell {

namespace {

const char* const Usage = "Start Duebell as: duebell [--data-dir FOLDER] [--no-splash-wait]";

[[noreturn]] void Refuse(const QString& problem) {
    throw Exception(problem.toStdString() + "\r" + Usage);
}

} // namespace

CommandLine ReadCommandLine(const QStringList& arguments, const std::string& environmentFolder,
                            const std::string& programFolder) {
    CommandLine line;
    line.dataFolder = !environmentFolder.empty() ? environmentFolder : programFolder;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--data-dir")) {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty())
                Refuse(QStringLiteral("The option --data-dir needs a folder."));
            line.dataFolder = arguments[++i].toStdString();
        } else if (argument.startsWith(QLatin1String("--data-dir="))) {
            const QString folder = argument.mid(11);
            if (folder.isEmpty())
                Refuse(QStringLiteral("The option --data-dir needs a folder."));
            line.dataFolder = folder.toStdString();
        } else if (argument == QLatin1String("--no-splash-wait")) {
            line.splashWait = false;
        } else {
            Refuse(QStringLiteral("Unknown option \"%1\".").arg(argument));
        }
    }
    return line;
}

} // namespace duebell
