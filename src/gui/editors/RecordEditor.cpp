#include "RecordEditor.h"

#include "EditorKeys.h"
#include "GridView.h"
#include "InputFilters.h"
#include "NumberText.h"
#include "Outline.h"
#include "ShownText.h"

#include <QLabel>
#include <algorithm>

namespace velto {
namespace {

// As many characters of a record's name as the line beside Confirm quotes.
constexpr qsizetype kMostQuoted = 40;

} // namespace

RecordEditor::RecordEditor(EditorHost& host, EditorRoles roles) : host_(host), roles_(std::move(roles)) {
    connect(roles_.grid, &GridView::rowSelected, this, &RecordEditor::UpdateRowButtons);
    // Every change of a field, by the user or by the program, runs the confirm rule; the lists change
    // only by choosing from them.
    for (QWidget* field : roles_.fields) {
        if (auto* box = qobject_cast<QLineEdit*>(field)) {
            connect(box, &QLineEdit::textChanged, this, &RecordEditor::UpdateConfirmEnabled);
        } else if (auto* combo = qobject_cast<QComboBox*>(field)) {
            ChooseByTyping(combo);
            connect(combo, &QComboBox::currentIndexChanged, this, &RecordEditor::UpdateConfirmEnabled);
        }
    }
    AttachEditorKeys(*this);
}

EditMode RecordEditor::mode() const {
    if (addingNew_)
        return EditMode::Adding;
    return editRow_ > 0 ? EditMode::Modifying : EditMode::Browsing;
}

void RecordEditor::setEditing(bool editing) {
    for (QWidget* field : roles_.fields)
        field->setEnabled(editing);
    roles_.cancelButton->setEnabled(editing);
    roles_.panel->setEnabled(!editing);
    roles_.newButton->setEnabled(!editing);
    roles_.browseFrame->setVisible(!editing);
    roles_.editFrame->setVisible(editing);
    if (editing)
        roles_.nameBox->setFocus();
}

void RecordEditor::New() {
    setEditing(true);
    addingNew_ = true;
    propose();
    showWhy();
}

void RecordEditor::Modify() {
    const int row = selectedRecordRow();
    if (row < 1)
        return;
    setEditing(true);
    roles_.confirmButton->setEnabled(true);
    loadedKey_ = loadRow(row);
    editRow_ = row;
    showWhy();
}

void RecordEditor::Cancel() {
    // After Confirm or Cancel the keyboard is back on the grid, where Insert adds the next record; not
    // so when the tab is no longer shown (leaving a tab cancels its edit).
    const QWidget* focus = roles_.grid->window()->focusWidget();
    const bool focusInEditor =
        focus == roles_.cancelButton || focus == roles_.confirmButton ||
        std::find(roles_.fields.begin(), roles_.fields.end(), focus) != roles_.fields.end();
    if (focusInEditor && roles_.grid->isVisible())
        roles_.grid->setFocus(Qt::OtherFocusReason);
    setEditing(false);
    roles_.confirmButton->setEnabled(false);
    for (QWidget* field : roles_.fields) {
        if (auto* box = qobject_cast<QLineEdit*>(field))
            box->clear();
        else if (auto* combo = qobject_cast<QComboBox*>(field))
            combo->setCurrentIndex(-1);
    }
    editRow_ = 0;
    addingNew_ = false;
    roles_.whyLabel->clear();
}

bool RecordEditor::isOwnKey(int key) const {
    return editRow_ > 0 && key == LeadingNumber(loadedKey_.toStdString());
}

Why RecordEditor::fault() const {
    return roles_.nameBox->text().isEmpty() ? Why::Name : fieldsFault();
}

void RecordEditor::UpdateConfirmEnabled() {
    roles_.confirmButton->setEnabled(confirmable(fault()));
    showWhy();
}

void RecordEditor::showWhy() {
    const bool italian = host_.isItalian();
    QString why;
    if (roles_.cancelButton->isEnabled()) {
        const Why wanting = fault();
        if (wanting != Why::None)
            why = WhyText(wanting, italian);
        else if (const int key = keyInEditor(); !isOwnKey(key) && slotTaken(key))
            why = WhyText(KeyTaken(roles_.tab), italian).arg(QString::number(key), Shortened(nameAt(key), kMostQuoted));
    }
    roles_.whyLabel->setText(why);
}

void RecordEditor::Confirm() {
    if (!readyToStore())
        return;
    const int key = keyInEditor();
    const bool ownKey = isOwnKey(key);
    if (!ownKey && slotTaken(key)) {
        const bool italian = host_.isItalian();
        host_.showBox(ToQString(duplicateMessage().pick(italian)),
                      italian ? QStringLiteral("Attenzione") : QStringLiteral("Warning"), Buttons::Ok,
                      Icon::Exclamation);
        return;
    }
    const int loadedKey = editRow_ > 0 ? int(LeadingNumber(loadedKey_.toStdString())) : 0;
    const ChangeNote note = NoteOf(editRow_ > 0 ? StepKind::Modify : StepKind::Add, Subject(roles_.tab),
                                   loadedKey, key, roles_.nameBox->text());
    store(key);
    if (editRow_ > 0 && !ownKey)
        freeSlot(loadedKey);
    afterStore();
    host_.RefreshAllViews();
    Cancel();
    host_.commitChange(note);
    editRow_ = 0;
}

void RecordEditor::Delete() {
    if (const QList<int> rows = selectedRecordRows(); rows.size() > 1)
        return host_.deleteRecords(roles_.tab, rows);
    const int row = selectedRecordRow();
    if (row < 1)
        return;
    const int answer = host_.showBox(deleteQuestion(row), kExecutableName, Buttons::YesNo, Icon::Question);
    host_.rememberAnswer(answer);
    if (answer == kAnswerNo)
        return;
    const int key = rowKey(row);
    const ChangeNote note = NoteOf(StepKind::Delete, Subject(roles_.tab), key, 0, roles_.grid->cell(row, 0));
    freeSlot(key);
    host_.RefreshAllViews();
    host_.commitChange(note);
}

void RecordEditor::UpdateRowButtons() {
    const qsizetype selected = selectedRecordRows().size();
    roles_.modifyButton->setEnabled(selected == 1);
    roles_.deleteButton->setEnabled(selected >= 1);
}

QList<int> RecordEditor::selectedRecordRows() const {
    QList<int> rows = roles_.grid->selectedDataRows();
    rows.removeIf([this](int row) { return roles_.grid->cell(row, roles_.keyColumn).isEmpty(); });
    return rows;
}

int RecordEditor::selectedRecordRow() const {
    const QList<int> rows = selectedRecordRows();
    return rows.size() == 1 ? rows.front() : 0;
}

int RecordEditor::rowKey(int row) const {
    return int(LeadingNumber(roles_.grid->cell(row, roles_.keyColumn).toStdString()));
}

QString RecordEditor::question(Word ask, const QStringList& values) const {
    QStringList shown;
    for (const QString& value : values)
        shown << Shortened(value);
    return host_.texts()[ask] + ' ' + shown.join(' ') + '?';
}

QString RecordEditor::nameAndKeyQuestion(Word ask, Word keyWord, int row) const {
    return question(
        ask, {roles_.grid->cell(row, 0), host_.texts()[keyWord], roles_.grid->cell(row, roles_.keyColumn)});
}

int ComboKey(const QComboBox* combo) {
    return combo->currentIndex() + 1;
}

void ChooseComboKey(QComboBox* combo, int key) {
    combo->setCurrentIndex(key >= 1 && key <= combo->count() ? key - 1 : -1);
}

} // namespace velto
