#include "app/InteractiveProviders.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>

#include "dialogs/CPercentDlg.h"
#include "ui/CanvasColour.h"
#include "ui/FileDialogFilter.h"

namespace {

// A wildcard initial name is the system's way of listing every file; Qt
// takes it as a file name, so it is dropped.
QString InitialSelection(const FileDialogRequest& request) {
    const QString name = QString::fromStdString(request.initialName);
    return name.contains(QLatin1Char('*')) ? QString() : name;
}

// A save dialog's name follows the format chosen: a change of filter gives
// the name typed so far that filter's extension.
void FollowFilterExtension(QFileDialog& dialog) {
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            const QString extension = FilterExtension(filter);
            if (extension.isEmpty()) {
                return;
            }
            dialog.setDefaultSuffix(extension);
            const QStringList typed = dialog.selectedFiles();
            const QFileInfo name(typed.isEmpty() ? QString() : typed.front());
            if (!name.completeBaseName().isEmpty() && !name.isDir()) {
                dialog.selectFile(
                    name.dir().filePath(name.completeBaseName() + QLatin1Char('.') + extension));
            }
        });
}

std::optional<std::string> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                         QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, QString::fromStdString(request.title),
                       QString::fromStdString(request.directory));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!request.filter.empty()) {
        dialog.setNameFilter(ConvertFileFilter(QString::fromStdString(request.filter)));
    }
    if (mode == QFileDialog::AcceptSave) {
        FollowFilterExtension(dialog);
    }
    const QString initial = InitialSelection(request);
    if (!initial.isEmpty()) {
        dialog.selectFile(initial);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace

CUiProviders InteractiveProviders(QWidget* parent) {
    CUiProviders providers;
    providers.askPercent = [parent](const std::string& title,
                                    const std::string& prompt) -> std::optional<int> {
        CPercentDlg dialog(parent);
        dialog.setWindowTitle(QString::fromStdString(title));
        dialog.SetPrompt(QString::fromStdString(prompt));
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.m_nValue;
    };
    providers.openFile = [parent](const FileDialogRequest& request) {
        return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
    };
    providers.saveFile = [parent](const FileDialogRequest& request) {
        return RunFileDialog(parent, request, QFileDialog::AcceptSave);
    };
    providers.showModal = [](QDialog& dialog) { dialog.exec(); };
    providers.chooseColour = [parent](std::uint32_t initial) -> std::optional<std::uint32_t> {
        const QColor chosen =
            QColorDialog::getColor(ToQColor(initial), parent, QStringLiteral("颜色"));
        if (!chosen.isValid()) {
            return std::nullopt;
        }
        return FromQColor(chosen);
    };
    return providers;
}
