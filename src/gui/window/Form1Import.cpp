// File > Import CSV table and Export CSV table: one table to and from a CSV file.
#include "CsvRead.h"
#include "ExportCsv.h"
#include "FileBytes.h"
#include "FileGuard.h"
#include "FileMenu.h"
#include "FileMessages.h"
#include "Form1.h"
#include "ImportColumns.h"
#include "ImportCommand.h"
#include "TableImport.h"
#include "WindowTexts.h"

#include <QTabWidget>

namespace velto {
namespace {

const QString kCsvTitle = QStringLiteral("File csv");
const QString kCsvFilter = QStringLiteral("csv file") + QChar(0) + QStringLiteral("*.csv") + QChar(0) +
                           QStringLiteral("All files") + QChar(0) + QStringLiteral("*") + QChar(0);
constexpr TextPair kImportStep{"importazione tabella %1", "importing table %1"};
// What the undo step of an import into each table is about.
constexpr Subject kSubjects[] = {Subject::Device, Subject::Group,  Subject::Load,     Subject::Auxiliary,
                                 Subject::Probe,  Subject::Camera, Subject::Scenario, Subject::Scenario};

QString Step(TableId table, bool italian) {
    return Pick(kImportStep, italian).arg(ToQString(TableWord(table, italian)));
}

} // namespace

void Form1::mImport_Click() {
    CancelAllEditors();
    const QString path = toolkit_.fileDialog(
        {this, FileDialogMode::Open, kCsvTitle, QString(), kCsvFilter, fileMenu_->dialogFolder(), QString()});
    if (path.isEmpty())
        return;
    std::string csv, error;
    if (!ReadRegularFile(path.toStdString(), kMaxCsvFileSize, csv, error)) {
        editorHost_->showBox(SystemFailureText(path, QString::fromStdString(error)), kExecutableName,
                             Buttons::Ok, Icon::Critical);
        return;
    }
    std::optional<ImportCommand::Result> imported =
        ImportCommand(toolkit_, this, UiLanguage).run(model(), csv, path);
    if (!imported)
        return;
    model() = *imported->tables;
    RefreshAllViews();
    document_->commit(
        {Step(imported->table, true), Step(imported->table, false), kSubjects[std::size_t(imported->table)]});
    document_->markModified(); // an import is kept until it is saved, whatever is undone
}

// The table of the tab shown, under the headings of the language in force, with the separator a
// spreadsheet set up for that language expects.
void Form1::mExportCsv_Click() {
    CancelAllEditors();
    const TableId table = kTabTables[controls_.STab->currentIndex()];
    const QString path =
        toolkit_.fileDialog({this, FileDialogMode::Save, kCsvTitle,
                             ToQString(TableWord(table, UiLanguage)) + QStringLiteral(".csv"), kCsvFilter,
                             fileMenu_->dialogFolder(), QStringLiteral("csv")});
    if (path.isEmpty())
        return;
    fileGuard_->write(
        path, [&] { return ExportCsv(HeadedTable(model(), table, UiLanguage), UiLanguage ? ';' : ','); });
}

} // namespace velto
