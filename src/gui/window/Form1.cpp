#include "Form1.h"

#include "FileDrop.h"
#include "FileGuard.h"
#include "FileMenu.h"
#include "FindBar.h"
#include "GridView.h"
#include "HistoryView.h"
#include "ProgramIcon.h"
#include "RecordCommands.h"
#include "ReportCommand.h"
#include "TabViews.h"
#include "VersionKeeper.h"
#include "WindowPlacement.h"
#include "WindowTexts.h"
#include "WindowTitle.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTimer>

namespace velto {
namespace {

constexpr TextPair kRecoveryUnwritten{
    "Il file di recupero non si può scrivere in %1: %2\r\nSe il programma si interrompe, le modifiche non "
    "salvate andranno perse.",
    "The recovery file cannot be written in %1: %2\r\nIf the program stops, the unsaved changes will be "
    "lost."};
constexpr TextPair kSaveQuestion{"La configurazione corrente non è stata salvata\r\n"
                                 "Vuoi salvare il progetto corrente?",
                                 "This configuration is not been saved\r\n"
                                 "Do you want save the current project?"};

} // namespace

Form1::Form1(Toolkit& toolkit, QWidget* parent)
    : QMainWindow(parent), toolkit_(toolkit), document_(std::make_unique<Document>(OwnRecoveryFile())) {
    setObjectName(QStringLiteral("Form1"));
    const auto italian = [this] { return UiLanguage; };
    BuildWindow(*this, controls_);
    status_ = std::make_unique<StatusLine>(controls_.statusPanel);
    editorHost_ = std::make_unique<WindowEditorHost>(WindowEditorHost::Window{
        this, toolkit_, *document_, texts_, UiLanguage, [this] { RefreshAllViews(); },
        [this](int tab, const QList<int>& rows) { records_->deleteRecords(tab, rows); }});
    CreateEditors(*this, *editorHost_, controls_, editors_, [this] {
        FillGroupCombo(controls_.Cgru, model());
        findBar_->refilter(); // a device matches by its group's name
    });
    records_ = std::make_unique<RecordCommands>(controls_, editors_, *editorHost_, toolkit_, this);
    fileGuard_ = std::make_unique<FileGuard>(toolkit_, this, italian);
    versionKeeper_ = std::make_unique<VersionKeeper>(toolkit_, this, italian);
    reportCommand_ = std::make_unique<ReportCommand>(toolkit_, *fileGuard_, this);
    const auto open = [this](const QString& path) { openInsteadOfCurrent(path); };
    fileMenu_ = new FileMenu(toolkit_, this, *document_, controls_.mRecent, open, italian);
    new FileDrop(this, open);
    findBar_ = new FindBar(controls_.get<QLineEdit>("Tfind"), controls_.get<QLabel>("LfindTot"),
                           controls_.STab, controls_.grids);
    historyView_ = new HistoryView(
        *document_, controls_, editors_, [this] { RefreshAllViews(); }, italian);
    historyView_->setParent(this);
    controls_.get<QAction>("mRedo")->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(document_.get(), &Document::modifiedChanged, this, &Form1::showFileInTitle);
    connect(document_.get(), &Document::fileChanged, this, &Form1::showFileInTitle);
    connect(document_.get(), &Document::recoveryFailed, this, [this](const RecoveryFailure& failure) {
        editorHost_->showBox(Pick(kRecoveryUnwritten, UiLanguage).arg(failure.folder, failure.reason),
                             Pick(kWarningTitle, UiLanguage), Buttons::Ok, Icon::Exclamation);
    });
    GridView* devices = controls_.grids[0];
    devices->setToolTipSource([this, devices](int row, int column) {
        return column == 1 ? DeviceGroupTip(model(), devices->cell(row, controls_.roles[0]->keyColumn))
                           : QString();
    });
    RestorePlacement(*this, toolkit_);

    // Start-up.
    setWindowTitle(kWindowTitle);
    if (toolkit_.setting(QStringLiteral("option"), QStringLiteral("language"), QStringLiteral("ita")) ==
        QStringLiteral("ita"))
        mIta_Click();
    else
        mEng_Click();
    for (int tab = 0; tab < kTabCount; ++tab)
        SetGrid(controls_, tab, texts_);
    status_->showNewFile(texts_);
    FillFixedLists(controls_, texts_);
    for (int tab = 0; tab < kTabCount; ++tab)
        editor(tab).Cancel();

    connect(controls_.STab, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != shownTab_)
            CancelAllEditors();
        shownTab_ = index;
        records_->updateCommands();
    });
    for (GridView* grid : controls_.grids)
        connect(grid, &GridView::rowSelected, this, [this] { records_->updateCommands(); });
    records_->updateCommands();
}

Form1::~Form1() {
    document_->disconnect(this); // the document goes after the controls that show it
}

void Form1::showFileInTitle() {
    setWindowTitle(WindowTitle(document_->file().path, document_->isModified(), UiLanguage));
    setWindowModified(document_->isModified());
}

void Form1::RefreshAllViews() {
    FillGroupCombo(controls_.Cgru, model());
    controls_.Lgru->clear();
    controls_.Lgru->addItems(SlotListItems(model().GroupTable));
    controls_.Laux->clear();
    controls_.Laux->addItems(SlotListItems(model().AuxTable));

    for (int tab = 0; tab < kTabCount; ++tab) {
        const GridRows rows = TabRows(tab, model(), texts_);
        SetGrid(controls_, tab, texts_, rows); // each grid's own set-up, then its rows
        controls_.grids[tab]->setCurrentDataRow(1);
        editor(tab).UpdateRowButtons();
        controls_.countLabels[tab]->setText(CountCaption(tab, rows.size(), texts_));
    }
    records_->updateCommands();
}

bool Form1::AskToSaveChanges() {
    editors_.keepTypedNames();
    if (!document_->isModified())
        return false;
    const int answer = editorHost_->showBox(Pick(kSaveQuestion, UiLanguage), kExecutableName,
                                            Buttons::YesNoCancel, Icon::Question);
    editorHost_->rememberAnswer(answer);
    if (answer == kAnswerYes) {
        mSave_Click();
        return true;
    }
    return answer == kAnswerCancel;
}

void Form1::CancelAllEditors() {
    editors_.keepTypedNames();
    for (int tab = 0; tab < kTabCount; ++tab) {
        if (editor(tab).AddingNew())
            editor(tab).Cancel();
    }
    for (int tab = 0; tab < kTabCount; ++tab) {
        if (editor(tab).EditRow() > 0) {
            editor(tab).ResetEditRow();
            editor(tab).Cancel();
        }
    }
}

void Form1::mNew_Click() {
    if (AskToSaveChanges())
        return;
    CancelAllEditors();
    document_->putInPlace(std::make_unique<ConfigModel>(), {}, Document::Arrival::AsSaved);
    editors_.forgetEditsAndWidths();
    status_->showNewFile(texts_);
    RefreshAllViews();
}

void Form1::mExit_Click() {
    if (AskToSaveChanges())
        return;
    closeConfirmed_ = true;
    close();
}

bool Form1::event(QEvent* event) {
    // The icon's images are decoded, and handed to the window system, only once the window is on the
    // screen: no one sees it before that.
    if (event->type() == QEvent::Paint && !iconRequested_) {
        iconRequested_ = true;
        QTimer::singleShot(0, this, [this] {
            setWindowIcon(ProgramIcon());
            CountAsOpen(toolkit_);
        });
    }
    return QMainWindow::event(event);
}

void Form1::closeEvent(QCloseEvent* event) {
    // The close box asks the same question as Exit, so unsaved changes are never dropped unasked.
    if (!closeConfirmed_ && AskToSaveChanges()) {
        event->ignore();
        return;
    }
    closeConfirmed_ = false;
    StorePlacement(*this, toolkit_);
    document_->discard(); // the changes are saved or dropped
    event->accept();
}

void Form1::mFind_Click() {
    findBar_->focus();
}

} // namespace velto
