// Many records of the tab shown at once: Edit > Select all, Copy, Cut, Paste, Duplicate and Change
// selected, and Delete with more than one row selected. Each change is one step of the history.
#include "BulkDialog.h"
#include "Form1.h"
#include "GridView.h"
#include "NumberText.h"
#include "RecordBatch.h"
#include "RecordEditor.h"
#include "RefusedRows.h"

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

QString Text(const TextPair& text, bool italian) {
    return ToQString(text.pick(italian));
}

// A step over many records, named by how many of which table: "modifica di 5 attuatori".
ChangeNote ManyNote(const TextPair& step, int tab, qsizetype count, int keyBefore, int keyAfter) {
    const auto named = [&](bool italian) {
        return Text(step, italian).arg(count).arg(ToQString(TableWord(kTabTables[tab], italian)));
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

int Form1::keyAt(int tab, int row) const {
    return int(LeadingNumber(grids_[tab]->cell(row, editor(tab).roles().keyColumn).toStdString()));
}

QList<int> Form1::selectedKeys(int tab) const {
    QList<int> keys;
    for (const int row : editor(tab).selectedRecordRows())
        keys << keyAt(tab, row);
    return keys;
}

bool Form1::browsingShownTab() const {
    return editor(STab->currentIndex()).mode() == EditMode::Browsing;
}

std::vector<int> Form1::keysToChange() const {
    if (!browsingShownTab())
        return {};
    const QList<int> keys = selectedKeys(STab->currentIndex());
    return {keys.begin(), keys.end()};
}

void Form1::showRecords(int tab, const std::vector<int>& keys) {
    QList<int> rows;
    GridView& grid = *grids_[tab];
    for (int row = 1; row <= grid.dataRowCount(); ++row) {
        if (std::find(keys.begin(), keys.end(), keyAt(tab, row)) != keys.end())
            rows << row;
    }
    grid.selectDataRows(rows);
}

void Form1::commitRecords(int tab, const ChangeNote& note, const std::vector<int>& keys) {
    RefreshAllViews();
    if (!keys.empty()) // records gone leave the first row current, as one record's Delete does
        showRecords(tab, keys);
    commitChange(note);
}

void Form1::showRefused(const TextPair& heading, const std::vector<RowNote>& refused) {
    showBox(RefusedText(Text(heading, UiLanguage), refused, UiLanguage),
            UiLanguage ? QStringLiteral("Attenzione") : QStringLiteral("Warning"), Buttons::Ok,
            Icon::Exclamation);
}

void Form1::addRecords(int tab, const TextPair& many, const TextPair& refusal, const BatchOutcome& added) {
    if (!added.result)
        return showRefused(refusal, added.refused);
    model() = *added.result;
    const int first = added.keys.front();
    commitRecords(tab,
                  RecordsNote(StepKind::Add, many, tab, added.keys.size(), 0, first,
                              NameAt(model(), kTabTables[tab], first)),
                  added.keys);
}

void Form1::updateRecordCommands() {
    const int tab = STab->currentIndex();
    const bool any = !editor(tab).selectedRecordRows().isEmpty();
    for (const char* name : {"mCopy", "mCut", "mDuplicate"})
        control<QAction>(name)->setEnabled(any);
    control<QAction>("mBulk")->setEnabled(any && kTabTables[tab] != TableId::Cameras &&
                                          kTabTables[tab] != TableId::Scenarios);
}

void Form1::mSelectAll_Click() {
    grids_[STab->currentIndex()]->selectShownRows();
}

void Form1::mCopy_Click() {
    const int tab = STab->currentIndex();
    const QList<int> keys = selectedKeys(tab);
    if (keys.isEmpty())
        return;
    const std::vector<int> chosen(keys.begin(), keys.end());
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(CopiedText(model(), kTabTables[tab], chosen)));
    data->setData(kRecordsMime, QByteArray::fromStdString(CopiedRecords(model(), kTabTables[tab], chosen)));
    QApplication::clipboard()->setMimeData(data);
}

void Form1::mCut_Click() {
    const int tab = STab->currentIndex();
    const std::vector<int> cut = keysToChange();
    if (cut.empty())
        return;
    mCopy_Click();
    const ChangeNote note = RecordsNote(StepKind::Delete, kCutting, tab, cut.size(), cut.front(), 0,
                                        NameAt(model(), kTabTables[tab], cut.front()));
    DeleteRecords(model(), kTabTables[tab], cut);
    commitRecords(tab, note, {});
}

void Form1::deleteRecords(int tab, const QList<int>& rows) {
    std::vector<int> keys;
    for (const int row : rows)
        keys.push_back(keyAt(tab, row));
    QStringList lines{Text(kDeleteMany, UiLanguage)
                          .arg(rows.size())
                          .arg(ToQString(TableWord(kTabTables[tab], UiLanguage)))};
    for (qsizetype i = 0; i < rows.size() && i < kRecordsNamed; ++i)
        lines << QString::number(keys[std::size_t(i)]) + ' ' + grids_[tab]->cell(rows[i], 0);
    if (rows.size() > kRecordsNamed)
        lines << Text(kMoreRecords, UiLanguage).arg(rows.size() - kRecordsNamed);
    const int answer =
        showBox(lines.join(QStringLiteral("\r\n")), kExecutableName, Buttons::YesNo, Icon::Question);
    rememberAnswer(answer);
    if (answer == kAnswerNo)
        return;
    DeleteRecords(model(), kTabTables[tab], keys);
    commitRecords(tab, ManyNote(kDeleting, tab, qsizetype(keys.size()), keys.front(), 0), {});
}

void Form1::mPaste_Click() {
    const int tab = STab->currentIndex();
    if (!browsingShownTab())
        return;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr || (!data->hasText() && !data->hasFormat(kRecordsMime)))
        return;
    const std::string own = data->data(kRecordsMime).toStdString();
    const std::optional<std::string_view> records = RecordsOfTable(own, kTabTables[tab]);
    const std::string text = records ? std::string(*records) : data->text().toStdString();
    addRecords(tab, kPasting, kNothingPasted, PasteRecords(model(), kTabTables[tab], text, UiLanguage));
}

void Form1::mDuplicate_Click() {
    const std::vector<int> chosen = keysToChange();
    if (!chosen.empty())
        addRecords(STab->currentIndex(), kDuplicating, kNothingDuplicated,
                   DuplicateRecords(model(), kTabTables[STab->currentIndex()], chosen, UiLanguage));
}

void Form1::mBulk_Click() {
    const int tab = STab->currentIndex();
    const std::vector<int> chosen = keysToChange();
    if (chosen.empty() || !control<QAction>("mBulk")->isEnabled())
        return;
    const Word keyWord = tab == 1 ? Word::priorityWord : Word::zoneWord;
    QStringList numbers;
    for (int key = 1; key <= HighestKey(kTabTables[tab]); ++key)
        numbers << QString::number(key);
    const std::vector<BulkField> fields =
        tab == 0 ? std::vector<BulkField>{{"CbulkGru", texts_[Word::groupWord],
                                           QStringList{Text(kNoGroup, UiLanguage)} +
                                               GroupComboItems(model().GroupTable)},
                                          {"CbulkTipo", texts_[Word::typeWord], DeviceTypeNames()}}
                 : std::vector<BulkField>{
                       {"CbulkKey", texts_[keyWord] + ' ' + Text(kFirstKey, UiLanguage), numbers}};
    BulkDialog dialog(this, Text(kChangeTitle, UiLanguage), Text(kUnchanged, UiLanguage), fields);
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
        ChangeDevices(model(), chosen, change);
    } else if (choices[0] >= 0) {
        const BatchOutcome outcome =
            MoveRecords(model(), kTabTables[tab], chosen, choices[0] + 1, UiLanguage);
        if (!outcome.result)
            return showRefused(kNothingChanged, outcome.refused);
        model() = *outcome.result;
        keysAfter = outcome.keys;
    }
    commitRecords(tab,
                  RecordsNote(StepKind::Modify, kChanging, tab, chosen.size(), chosen.front(),
                              keysAfter.front(), NameAt(model(), kTabTables[tab], keysAfter.front())),
                  keysAfter);
}

} // namespace velto
