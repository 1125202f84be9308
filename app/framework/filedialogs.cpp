#include "app/framework/filedialogs.h"

#include "app/framework/modalrunner.h"

#include <QFileDialog>
#include <QFileInfo>

namespace duebell {

namespace {

std::optional<std::string> Chosen(QFileDialog& dialog) {
    if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

} // namespace

QStringList NameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            for (const QString& form : {pattern.toLower(), pattern.toUpper()})
                if (!patterns.contains(form))
                    patterns << form;
        }
        // The dialog hides the pattern list it reads from the last parentheses.
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters;
}

std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& filter,
                                          const std::string& startFolder) {
    QFileDialog dialog(nullptr, QString::fromStdString(title), QString::fromStdString(startFolder));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(NameFilters(filter));
    return Chosen(dialog);
}

std::optional<std::string> ChooseSaveFile(const std::string& title, const std::string& filter,
                                          const std::string& defaultExtension,
                                          const std::string& startFolder) {
    QFileDialog dialog(nullptr, QString::fromStdString(title), QString::fromStdString(startFolder));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(NameFilters(filter));
    dialog.setDefaultSuffix(QString::fromStdString(defaultExtension));
    std::optional<std::string> chosen = Chosen(dialog);
    // The dialog adds the extension to what the user typed; a name given to it otherwise
    // (a test's runner) gets it here.
    if (chosen && QFileInfo(QString::fromStdString(*chosen)).suffix().isEmpty())
        *chosen += "." + defaultExtension;
    return chosen;
}

std::optional<std::string> ChooseFolder(const std::string& startFolder) {
    QFileDialog dialog(nullptr, QString(), QString::fromStdString(startFolder));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return Chosen(dialog);
}

} // namespace duebell
