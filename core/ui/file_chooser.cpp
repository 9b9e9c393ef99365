#include "core/ui/file_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "core/paths.h"

namespace tessaline {

TFileDialogRequest SalvaColonneRequest() {
    TFileDialogRequest request;
    request.title = QStringLiteral("Salva le Colonne");
    request.filter = QStringLiteral("Col file|*.Col");
    request.defaultExtension = QStringLiteral("Col");
    request.folder = QString::fromStdString(FolderPath(TFolder::Colonne).string());
    request.save = true;
    return request;
}

QString TDialogFileChooser::NameFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    if (bar < 0) {
        return filter;
    }
    QString description = filter.left(bar).trimmed();
    const QString pattern = filter.mid(bar + 1).trimmed();
    if (description.contains(QLatin1Char('('))) {
        return description;
    }
    if (description.endsWith(pattern)) {
        description = description.left(description.size() - pattern.size()).trimmed();
    }
    // Names on this system may be spelled in any case: "*.Svs" also finds "*.svs" and "*.SVS".
    QString patterns = pattern;
    if (pattern.startsWith(QStringLiteral("*."))) {
        patterns += QLatin1Char(' ') + pattern.toLower() + QLatin1Char(' ') + pattern.toUpper();
    }
    return QStringLiteral("%1 (%2)").arg(description, patterns);
}

QString TDialogFileChooser::Choose(const TFileDialogRequest& request) {
    QFileDialog dlg(parent_, request.title, request.folder);
    dlg.setNameFilter(NameFilter(request.filter));
    if (!request.defaultExtension.isEmpty()) {
        dlg.setDefaultSuffix(request.defaultExtension);
    }
    if (request.save) {
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        // The commands ask their own overwrite question (or none).
        dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (!request.name.isEmpty()) {
        dlg.selectFile(request.name);
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) {
        return {};
    }
    return dlg.selectedFiles().constFirst();
}

} // namespace tessaline
