// File > Compare with…: another conf.xml against the configuration in the window, in a view beside it.
#include "CompareView.h"
#include "ConfigFileRead.h"
#include "FileMenu.h"
#include "Form1.h"
#include "HistoryView.h"
#include "ReportCommand.h"
#include "WindowTitle.h"

#include <QAction>
#include <QFileInfo>

namespace velto {
namespace {

// The tab's record, or the group's or auxiliary's slot, a difference is about; MH200 scenarios have
// none.
std::optional<Subject> SubjectOf(TableId table) {
    switch (table) {
    case TableId::Devices:
        return Subject::Device;
    case TableId::Groups:
        return Subject::Group;
    case TableId::Loads:
        return Subject::Load;
    case TableId::Auxiliaries:
        return Subject::Auxiliary;
    case TableId::Probes:
        return Subject::Probe;
    case TableId::Cameras:
        return Subject::Camera;
    case TableId::Scenarios:
        return Subject::Scenario;
    case TableId::Mh200Scenarios:
        break;
    }
    return std::nullopt;
}

} // namespace

void Form1::mCompare_Click() {
    CancelAllEditors();
    FileDialogRequest request = fileMenu_->xmlDialog(FileDialogMode::Open);
    request.title = controls_.get<QAction>("mCompare")->text().remove(QChar(0x2026));
    request.fileName.clear();
    const QString path = toolkit_.fileDialog(request);
    if (path.isEmpty())
        return;
    // A file that could not be read to its end has had its boxes, as Open shows them.
    const std::optional<ConfigFileRead> read = ReadConfigFile(*editorHost_, path);
    if (read && read->completed)
        showComparison(*read->tables, QFileInfo(path).fileName(), read->fingerprint);
}

void Form1::showComparison(const ConfigModel& other, const QString& otherName,
                           const std::string& otherFingerprint) {
    const DocumentFile& file = document_->file();
    CompareView::Comparison comparison{
        CompareConfigurations(other, document_->tables(), UiLanguage),
        {otherName.toStdString(), otherFingerprint},
        {DocumentName(file.path, UiLanguage).toStdString(), document_->savedFingerprint()},
        UiLanguage};
    auto* view = new CompareView(this, *reportCommand_, std::move(comparison), fileMenu_->dialogFolder());
    connect(view, &CompareView::recordChosen, this, [this](const RecordChange& change) {
        if (const std::optional<Subject> subject = SubjectOf(change.table))
            historyView_->showRecord(*subject, change.key);
    });
    view->show();
}

} // namespace velto
