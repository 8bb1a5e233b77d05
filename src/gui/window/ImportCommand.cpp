#include "ImportCommand.h"

#include "LanguageTable.h"
#include "RefusedRows.h"
#include "TableImport.h"
#include "UnwrittenText.h"
#include "WindowTexts.h"
#include "Words.h"

#include <QStringList>

namespace velto {
namespace {

constexpr TextPair kFitsNoTable{
    "La prima riga di %1 non corrisponde a nessuna tabella: servono i nomi delle "
    "colonne di una di queste:",
    "The heading row of %1 fits no table: it needs the column names of one of these:"};
constexpr TextPair kWhichTable{"Le colonne di %1 vanno bene per la tabella %2 e per la tabella %3.\r\n"
                               "Importare nella tabella %2? (No: nella tabella %3)",
                               "The columns of %1 fit the %2 table and the %3 table.\r\n"
                               "Import into the %2 table? (No: into the %3 table)"};
constexpr TextPair kHowToImport{
    "La tabella %1 contiene già %2 record. Che cosa fanno i record del file?\r\n"
    "Aggiorna: cambiano i record con la stessa chiave, nelle colonne del file, e si "
    "aggiungono gli altri.\r\nSolo aggiunte: si aggiungono, se la chiave è libera.\r\n"
    "Sostituisci tutta la tabella: prendono il posto di tutti i record.",
    "The %1 table already holds %2 records. What should the file's records do?\r\n"
    "Update: change the records with the same key, in the file's columns, and add "
    "the others.\r\nAdd only: add them, where the key is free.\r\n"
    "Replace the whole table: take the place of every record."};
constexpr TextPair kUpdate{"Aggiorna", "Update"};
constexpr TextPair kAddOnly{"Solo aggiunte", "Add only"};
constexpr TextPair kReplaceAll{"Sostituisci tutta la tabella", "Replace the whole table"};
constexpr TextPair kRefused{"Nessun record importato da %1: ogni riga deve essere valida.",
                            "Nothing imported from %1: every row must be valid."};
constexpr TextPair kNothingChanges{
    "Niente da importare da %1: la tabella %2 contiene già questi record così "
    "come sono.",
    "Nothing to import from %1: the %2 table already holds these records as they "
    "are."};
constexpr TextPair kWarnings{"Valori che nessun editor dà, importati come li legge un file conf.xml:",
                             "Values no editor gives, imported as a conf.xml file reads them:"};
constexpr TextPair kPreview{"%1\r\n%2\r\n\r\nImportare?", "%1\r\n%2\r\n\r\nImport?"};

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

int ImportCommand::ask(const QString& text, Buttons buttons, Icon icon) {
    return toolkit_.messageBox(owner_, text, kExecutableName, buttons, icon);
}

void ImportCommand::warn(const QString& text) {
    toolkit_.messageBox(owner_, text, Pick(kWarningTitle, italian_), Buttons::Ok, Icon::Exclamation);
}

std::optional<ImportCommand::Result> ImportCommand::run(const ConfigModel& model, const std::string& csv,
                                                        const QString& path) {
    const auto word = [this](TableId table) { return Utf8(std::string(TableWord(table, italian_))); };
    const std::vector<TableId> fitting = TablesFitting(csv);
    if (fitting.empty()) {
        QStringList lines{Pick(kFitsNoTable, italian_).arg(path)};
        for (const TableShape& shape : kTableShapes)
            if (shape.required > 0)
                lines << word(shape.id) + QStringLiteral(": ") + Utf8(ColumnsTaken(shape.id, italian_));
        warn(lines.join(QStringLiteral("\r\n")));
        return std::nullopt;
    }
    TableId table = fitting.front();
    if (fitting.size() > 1) { // groups or auxiliaries, cameras or scenarios
        const int answer = ask(Pick(kWhichTable, italian_).arg(path, word(fitting[0]), word(fitting[1])),
                               Buttons::YesNoCancel, Icon::Question);
        if (answer == kAnswerCancel)
            return std::nullopt;
        table = fitting[answer == kAnswerYes ? 0 : 1];
    }
    ImportMode mode = ImportMode::Add;
    if (const int held = RecordsIn(model, table); held > 0) {
        constexpr ImportMode kModes[] = {ImportMode::Update, ImportMode::Add, ImportMode::Replace};
        const int choice =
            toolkit_.choose(owner_, Pick(kHowToImport, italian_).arg(word(table)).arg(held), kExecutableName,
                            {Pick(kUpdate, italian_), Pick(kAddOnly, italian_), Pick(kReplaceAll, italian_)});
        if (choice < 0)
            return std::nullopt;
        mode = kModes[choice];
    }
    ImportOutcome outcome = ImportTable(model, csv, {table, 0, mode, italian_});
    const auto noteLine = [this](const RowNote& note) { return NoteLine(note, italian_); };
    if (!outcome.result) {
        warn(RefusedText(Pick(kRefused, italian_).arg(path), outcome.refused, italian_));
        return std::nullopt;
    }
    if (outcome.changesNothing()) {
        warn(Pick(kNothingChanges, italian_).arg(path, word(table)));
        return std::nullopt;
    }
    QStringList lines{Utf8(ImportSummary(outcome, table, italian_))};
    AppendShown(lines, outcome.changes, italian_, Utf8);
    if (!outcome.warnings.empty()) {
        lines << Pick(kWarnings, italian_);
        AppendShown(lines, outcome.warnings, italian_, noteLine);
    }
    if (const std::string leftOut = LeaveOutNote(*outcome.result, italian_); !leftOut.empty())
        lines << Utf8(leftOut);
    if (ask(Pick(kPreview, italian_).arg(path, lines.join(QStringLiteral("\r\n"))), Buttons::YesNo,
            Icon::Question) != kAnswerYes)
        return std::nullopt;
    return Result{table, std::move(outcome.result)};
}

} // namespace velto
