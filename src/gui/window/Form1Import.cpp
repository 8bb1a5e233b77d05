// File > Import CSV table: one table read from a CSV file, shown before it changes anything.
#include "CsvRead.h"
#include "FileBytes.h"
#include "FileMessages.h"
#include "Form1.h"
#include "RefusedRows.h"
#include "TableImport.h"
#include "UnwrittenText.h"

namespace velto {
namespace {

const QString kCsvFilter = QStringLiteral("csv file") + QChar(0) + QStringLiteral("*.csv") + QChar(0) +
                           QStringLiteral("All files") + QChar(0) + QStringLiteral("*") + QChar(0);
constexpr TextPair kFitsNoTable{"La prima riga di %1 non corrisponde a nessuna tabella: servono i nomi delle "
                                "colonne che scrive l'esportazione (point, name, type...).",
                                "The heading row of %1 fits no table: it needs the column names the export "
                                "writes (point, name, type...)."};
constexpr TextPair kWhichTable{"Le colonne di %1 vanno bene per la tabella %2 e per la tabella %3.\r\n"
                               "Importare nella tabella %2? (No: nella tabella %3)",
                               "The columns of %1 fit the %2 table and the %3 table.\r\n"
                               "Import into the %2 table? (No: into the %3 table)"};
constexpr TextPair kReplaceTable{"La tabella %1 contiene già %2 record. Sostituirli con quelli del file?\r\n"
                                 "(No: i record del file si aggiungono)",
                                 "The %1 table already holds %2 records. Replace them with the file's?\r\n"
                                 "(No: the file's records are added)"};
constexpr TextPair kRefused{"Nessun record importato da %1: ogni riga deve essere valida.",
                            "Nothing imported from %1: every row must be valid."};
constexpr TextPair kImportStep{"importazione tabella %1", "importing table %1"};
constexpr TextPair kPreview{"%1\r\n%2\r\n\r\nImportare?", "%1\r\n%2\r\n\r\nImport?"};

QString Text(const TextPair& text, bool italian) {
    return ToQString(text.pick(italian));
}

} // namespace

void Form1::mImport_Click() {
    CancelAllEditors();
    const QString path = toolkit_.fileDialog(
        {this, kOpenMode, QStringLiteral("File csv"), QString(), kCsvFilter, dialogFolder(), QString()});
    if (path.isEmpty())
        return;
    std::string csv, error;
    if (!ReadRegularFile(path.toStdString(), kMaxCsvFileSize, csv, error)) {
        showBox(SystemFailureText(path, QString::fromStdString(error)), kExecutableName, Buttons::Ok,
                Icon::Critical);
        return;
    }
    const QString warning = UiLanguage ? QStringLiteral("Attenzione") : QStringLiteral("Warning");
    const auto word = [this](TableId table) { return ToQString(TableWord(table, UiLanguage)); };
    const std::vector<TableId> fitting = TablesFitting(csv);
    if (fitting.empty()) {
        showBox(Text(kFitsNoTable, UiLanguage).arg(path), warning, Buttons::Ok, Icon::Exclamation);
        return;
    }
    TableId table = fitting.front();
    if (fitting.size() > 1) { // groups or auxiliaries, cameras or scenarios
        const int answer =
            showBox(Text(kWhichTable, UiLanguage).arg(path, word(fitting[0]), word(fitting[1])),
                    kExecutableName, Buttons::YesNoCancel, Icon::Question);
        if (answer == kAnswerCancel)
            return;
        table = fitting[answer == kAnswerYes ? 0 : 1];
    }
    bool replace = false;
    if (const int held = RecordsIn(model(), table); held > 0) {
        const int answer = showBox(Text(kReplaceTable, UiLanguage).arg(word(table)).arg(held),
                                   kExecutableName, Buttons::YesNoCancel, Icon::Question);
        if (answer == kAnswerCancel)
            return;
        replace = answer == kAnswerYes;
    }
    const ImportOutcome outcome = ImportTable(model(), csv, {table, 0, replace, UiLanguage});
    if (!outcome.result) {
        showBox(RefusedText(Text(kRefused, UiLanguage).arg(path), outcome.refused, UiLanguage), warning,
                Buttons::Ok, Icon::Exclamation);
        return;
    }
    const std::string leftOut = LeaveOutNote(*outcome.result, UiLanguage);
    const QString summary = QString::fromStdString(ImportSummary(outcome, table, UiLanguage) +
                                                   (leftOut.empty() ? "" : "\r\n" + leftOut));
    if (showBox(Text(kPreview, UiLanguage).arg(path, summary), kExecutableName, Buttons::YesNo,
                Icon::Question) != kAnswerYes)
        return;
    static constexpr Subject kSubjects[] = {Subject::Device,    Subject::Group,   Subject::Load,
                                            Subject::Auxiliary, Subject::Probe,   Subject::Camera,
                                            Subject::Scenario,  Subject::Scenario};
    model() = *outcome.result;
    RefreshAllViews();
    document_->commit({Text(kImportStep, true).arg(ToQString(TableWord(table, true))),
                       Text(kImportStep, false).arg(ToQString(TableWord(table, false))),
                       kSubjects[std::size_t(table)]});
    document_->markModified(); // an import is kept until it is saved, whatever is undone
}

} // namespace velto
