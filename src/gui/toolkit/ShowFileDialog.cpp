#include "ShowFileDialog.h"

#include <QDir>
#include <QFileDialog>

namespace velto {
namespace {

// "xml file\0*.xml\0" becomes "xml file (*.xml)".
QStringList QtNameFilters(const QString& filter) {
    const QStringList items = filter.split(QChar(0), Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < items.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(items[i], QString(items[i + 1]).replace(';', ' '));
    return filters;
}

} // namespace

QString ShowFileDialog(QWidget* owner, int mode, const QString& title, const QString& fileName,
                       const QString& filter, const QString& initialFolder, const QString& defaultExtension,
                       QString* chosenFilter) {
    const bool opening = mode == 1;
    QFileDialog dialog(owner, title, initialFolder);
    dialog.setAcceptMode(opening ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(opening ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // Qt's own dialog speaks the interface language; a desktop's native one would speak the desktop's.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setNameFilters(QtNameFilters(filter));
    dialog.setDefaultSuffix(defaultExtension);
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (chosenFilter)
        *chosenFilter = dialog.selectedNameFilter().section(QStringLiteral(" ("), 0, 0);
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace velto
