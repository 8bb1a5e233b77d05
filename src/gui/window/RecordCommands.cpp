#include "RecordCommands.h"

#include "BulkDialog.h"
#include "EditorHost.h"
#include "GridRows.h"
#include "GridView.h"
#include "NumberText.h"
#include "RecordBatch.h"
#include "RecordEditor.h"
#include "RefusedRows.h"
#include "TabEditors.h"
#include "WindowControls.h"
#include "WindowTexts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTabWidget>

namespace velto {
namespace {

// The records in the program's own form, beside the text a spreadsheet takes.
const QString kRecordsMime = QStringLiteral("application/x-velto-configurator-records");

constexpr TextPair kDeleteMany{"Eliminare %1 %2?", "Delete %1 %2?"};
constexpr TextPair kMoreRecords{"… e altri %1", "… and %1 more"};
constexpr TextPair kDeleting{"eliminazione di %1 %2", "deleting %1 %2"};
constexpr TextPair kCutting{"taglio di %1 %2", "cutting %1 %2"};
constexpr TextPair kChanging{"modifica di %1 %2", "changing %1 %2"};
constexpr TextPair kPasting{"incollamento di %1 %2", "pasting %1 %2"};
constexpr TextPair kDuplicating{"duplicazione di %1 %2", "duplicating %1 %2"};
constexpr TextPair kNothingPasted{"Nessun record incollato: ogni riga deve essere valida.",
                                  "Nothing pasted: every row must be valid."};
constexpr TextPair kNothingDuplicated{"Nessun record duplicato:", "Nothing duplicated:"};
constexpr TextPair kNothingChanged{"Nessun record modificato:", "Nothing changed:"};
constexpr TextPair kChangeTitle{"Modifica selezionati", "Change selected"};
constexpr TextPair kUnchanged{"(invariato)", "(unchanged)"};
constexpr TextPair kNoGroup{"nessun gruppo", "no group"};
constexpr TextPair kFirstKey{"dal numero", "from number"};
// The question lists this many records by name.
constexpr int kRecordsNamed = 10;

// A step over many records, named by how many of which table: "modifica di 5 attuatori".
ChangeNote ManyNote(const TextPair& step, int tab, qsizetype count, int keyBefore, int keyAfter) {
    const auto named = [&](bool italian) {
        return Pick(step, italian).arg(count).arg(ToQString(TableWord(kTabTables[tab], italian)));
    };
    return {named(true), named(false), Subject(tab), keyBefore, keyAfter};
}

// One record's step is named as an editor names it, several records' by how many.
ChangeNote RecordsNote(StepKind kind, const TextPair& many, int tab, std::size_t count, int keyBefore,
                       int keyAfter, const std::string& name) {
    if (count == 1)
        return NoteOf(kind, Subject(tab), keyBefore, keyAfter, QString::fromStdString(name));
    return ManyNote(many, tab, qsizetype(count), keyBefore, keyAfter);
}

QStringList DeviceTypeNames() {
    QStringList names;
    for (const DeviceType& type : kDeviceTypes)
        names << QString::fromLatin1(type.displayName);
    return names;
}

} // namespace

RecordCommands::RecordCommands(const WindowControls& controls, const TabEditors& editors, EditorHost& host,
                               Toolkit& toolkit, QWidget* owner)
    : controls_(controls), editors_(editors), host_(host), toolkit_(toolkit), owner_(owner) {}

int RecordCommands::keyAt(int tab, int row) const {
    return int(
        LeadingNumber(controls_.grids[tab]->cell(row, editors_.at(tab).roles().keyColumn).toStdString()));
}

QList<int> RecordCommands::selectedKeys(int tab) const {
    QList<int> keys;
    for (const int row : editors_.at(tab).selectedRecordRows())
        keys << keyAt(tab, row);
    return keys;
}

bool RecordCommands::browsingShownTab() const {
    return editors_.at(controls_.STab->currentIndex()).mode() == EditMode::Browsing;
}

std::vector<int> RecordCommands::keysToChange() const {
    if (!browsingShownTab())
        return {};
    const QList<int> keys = selectedKeys(controls_.STab->currentIndex());
    return {keys.begin(), keys.end()};
}

void RecordCommands::showRecords(int tab, const std::vector<int>& keys) {
    QList<int> rows;
    GridView& grid = *controls_.grids[tab];
    for (int row = 1; row <= grid.dataRowCount(); ++row) {
        if (std::find(keys.begin(), keys.end(), keyAt(tab, row)) != keys.end())
            rows << row;
    }
    grid.selectDataRows(rows);
}

void RecordCommands::commitRecords(int tab, const ChangeNote& note, const std::vector<int>& keys) {
    host_.RefreshAllViews();
    if (!keys.empty()) // records gone leave the first row current, as one record's Delete does
        showRecords(tab, keys);
    host_.commitChange(note);
}

void RecordCommands::showRefused(const TextPair& heading, const std::vector<RowNote>& refused) {
    const bool italian = host_.isItalian();
    host_.showBox(RefusedText(Pick(heading, italian), refused, italian), Pick(kWarningTitle, italian),
                  Buttons::Ok, Icon::Exclamation);
}

void RecordCommands::addRecords(int tab, const TextPair& many, const TextPair& refusal,
                                const BatchOutcome& added) {
    if (!added.result)
        return showRefused(refusal, added.refused);
    host_.model() = *added.result;
    const int first = added.keys.front();
    commitRecords(tab,
                  RecordsNote(StepKind::Add, many, tab, added.keys.size(), 0, first,
                              NameAt(host_.model(), kTabTables[tab], first)),
                  added.keys);
}

void RecordCommands::updateCommands() {
    const int tab = controls_.STab->currentIndex();
    const bool any = !editors_.at(tab).selectedRecordRows().isEmpty();
    for (const char* name : {"mCopy", "mCut", "mDuplicate"})
        controls_.get<QAction>(name)->setEnabled(any);
    controls_.get<QAction>("mBulk")->setEnabled(any && kTabTables[tab] != TableId::Cameras &&
                                                kTabTables[tab] != TableId::Scenarios);
}

void RecordCommands::selectAll() {
    controls_.grids[controls_.STab->currentIndex()]->selectShownRows();
}

void RecordCommands::copy() {
    const int tab = controls_.STab->currentIndex();
    const QList<int> keys = selectedKeys(tab);
    if (keys.isEmpty())
        return;
    const std::vector<int> chosen(keys.begin(), keys.end());
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(CopiedText(host_.model(), kTabTables[tab], chosen)));
    data->setData(kRecordsMime,
                  QByteArray::fromStdString(CopiedRecords(host_.model(), kTabTables[tab], chosen)));
    QApplication::clipboard()->setMimeData(data);
}

void RecordCommands::cut() {
    const int tab = controls_.STab->currentIndex();
    const std::vector<int> cut = keysToChange();
    if (cut.empty())
        return;
    copy();
    const ChangeNote note = RecordsNote(StepKind::Delete, kCutting, tab, cut.size(), cut.front(), 0,
                                        NameAt(host_.model(), kTabTables[tab], cut.front()));
    DeleteRecords(host_.model(), kTabTables[tab], cut);
    commitRecords(tab, note, {});
}

void RecordCommands::deleteRecords(int tab, const QList<int>& rows) {
    std::vector<int> keys;
    for (const int row : rows)
        keys.push_back(keyAt(tab, row));
    const bool italian = host_.isItalian();
    QStringList lines{
        Pick(kDeleteMany, italian).arg(rows.size()).arg(ToQString(TableWord(kTabTables[tab], italian)))};
    for (qsizetype i = 0; i < rows.size() && i < kRecordsNamed; ++i)
        lines << QString::number(keys[std::size_t(i)]) + ' ' + controls_.grids[tab]->cell(rows[i], 0);
    if (rows.size() > kRecordsNamed)
        lines << Pick(kMoreRecords, italian).arg(rows.size() - kRecordsNamed);
    const int answer =
        host_.showBox(lines.join(QStringLiteral("\r\n")), kExecutableName, Buttons::YesNo, Icon::Question);
    host_.rememberAnswer(answer);
    if (answer == kAnswerNo)
        return;
    DeleteRecords(host_.model(), kTabTables[tab], keys);
    commitRecords(tab, ManyNote(kDeleting, tab, qsizetype(keys.size()), keys.front(), 0), {});
}

void RecordCommands::paste() {
    const int tab = controls_.STab->currentIndex();
    if (!browsingShownTab())
        return;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr || (!data->hasText() && !data->hasFormat(kRecordsMime)))
        return;
    const std::string own = data->data(kRecordsMime).toStdString();
    const std::optional<std::string_view> records = RecordsOfTable(own, kTabTables[tab]);
    const std::string text = records ? std::string(*records) : data->text().toStdString();
    addRecords(tab, kPasting, kNothingPasted,
               PasteRecords(host_.model(), kTabTables[tab], text, host_.isItalian()));
}

void RecordCommands::duplicate() {
    const std::vector<int> chosen = keysToChange();
    if (!chosen.empty())
        addRecords(controls_.STab->currentIndex(), kDuplicating, kNothingDuplicated,
                   DuplicateRecords(host_.model(), kTabTables[controls_.STab->currentIndex()], chosen,
                                    host_.isItalian()));
}

void RecordCommands::changeSelected() {
    const int tab = controls_.STab->currentIndex();
    const std::vector<int> chosen = keysToChange();
    if (chosen.empty() || !controls_.get<QAction>("mBulk")->isEnabled())
        return;
    const bool italian = host_.isItalian();
    const Word keyWord = tab == 1 ? Word::priorityWord : Word::zoneWord;
    QStringList numbers;
    for (int key = 1; key <= HighestKey(kTabTables[tab]); ++key)
        numbers << QString::number(key);
    const std::vector<BulkField> fields =
        tab == 0 ? std::vector<BulkField>{{"CbulkGru", host_.texts()[Word::groupWord],
                                           QStringList{Pick(kNoGroup, italian)} +
                                               GroupComboItems(host_.model().GroupTable)},
                                          {"CbulkTipo", host_.texts()[Word::typeWord], DeviceTypeNames()}}
                 : std::vector<BulkField>{
                       {"CbulkKey", host_.texts()[keyWord] + ' ' + Pick(kFirstKey, italian), numbers}};
    BulkDialog dialog(owner_, Pick(kChangeTitle, italian), Pick(kUnchanged, italian), fields);
    if (!toolkit_.runDialog(dialog))
        return;
    const std::vector<int> choices = dialog.choices();
    std::vector<int> keysAfter = chosen;
    if (tab == 0) {
        DeviceChange change;
        if (choices[0] >= 0)
            change.group = choices[0];
        if (choices[1] >= 0)
            change.typeCode = kDeviceTypes[std::size_t(choices[1])].code;
        ChangeDevices(host_.model(), chosen, change);
    } else if (choices[0] >= 0) {
        const BatchOutcome outcome =
            MoveRecords(host_.model(), kTabTables[tab], chosen, choices[0] + 1, italian);
        if (!outcome.result)
            return showRefused(kNothingChanged, outcome.refused);
        host_.model() = *outcome.result;
        keysAfter = outcome.keys;
    }
    commitRecords(tab,
                  RecordsNote(StepKind::Modify, kChanging, tab, chosen.size(), chosen.front(),
                              keysAfter.front(), NameAt(host_.model(), kTabTables[tab], keysAfter.front())),
                  keysAfter);
}

} // namespace velto
