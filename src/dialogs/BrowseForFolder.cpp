#include "dialogs/BrowseForFolder.h"

#include <QDir>
#include <QFileDialog>

int BrowseForFolder(std::string& path, const std::string& title, QWidget* owner,
                    const std::string& root, const std::string& initial) {
    const QString text = QString::fromStdString(title);
    const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
    QFileDialog dialog(owner, text.left(lineEnd));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    // The label needs Qt's own dialog: native ones have no place for it.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (lineEnd >= 0) {
        dialog.setLabelText(QFileDialog::LookIn, text.mid(lineEnd + 1));
    }
    const std::string& start = !initial.empty() ? initial : root;
    dialog.setDirectory(start.empty() ? QDir::homePath() : QString::fromStdString(start));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        path.clear();
        return 0;
    }
    path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst()).toStdString();
    return 1;
}
