#include "Form1.h"

#include "CameraEditor.h"
#include "DeviceEditor.h"
#include "EditorRoles.h"
#include "FileGuard.h"
#include "FindBar.h"
#include "GridView.h"
#include "NamedSlotEditor.h"
#include "Placement.h"
#include "ProgramIcon.h"
#include "RecentFiles.h"
#include "ReportCommand.h"
#include "ScenarioEditor.h"
#include "SlotNameList.h"
#include "VersionKeeper.h"
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

Form1::Form1(Toolkit& toolkit, QWidget* parent)
    : QMainWindow(parent), toolkit_(toolkit), document_(std::make_unique<Document>(OwnRecoveryFile())),
      fileGuard_(std::make_unique<FileGuard>(toolkit, this, [this] { return UiLanguage; })),
      versionKeeper_(std::make_unique<VersionKeeper>(toolkit, this, [this] { return UiLanguage; })),
      reportCommand_(std::make_unique<ReportCommand>(toolkit, *fileGuard_, this)),
      recent_(std::make_unique<RecentFiles>(toolkit)) {
    setObjectName(QStringLiteral("Form1"));
    setAcceptDrops(true);
    buildMenus();
    buildTabs();
    indexControls();
    createEditors();
    followDocument();
    findBar_ = new FindBar(control<QLineEdit>("Tfind"), control<QLabel>("LfindTot"), STab, grids_);
    grids_[0]->setToolTipSource([this](int row, int column) {
        return column == 1 ? DeviceGroupTip(model(), grids_[0]->cell(row, roles_[0]->keyColumn)) : QString();
    });
    restorePlacement();

    // Start-up.
    setWindowTitle(kWindowTitle);
    if (toolkit_.setting(QStringLiteral("option"), QStringLiteral("language"), QStringLiteral("ita")) ==
        QStringLiteral("ita"))
        mIta_Click();
    else
        mEng_Click();
    for (int tab = 0; tab < kTabCount; ++tab)
        setGrid(tab);
    showNewFileStatus();
    fillFixedLists();
    for (int tab = 0; tab < kTabCount; ++tab)
        editor(tab).Cancel();
    fillRecentMenu();

    connect(STab, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != shownTab_)
            CancelAllEditors();
        shownTab_ = index;
        updateRecordCommands();
    });
    for (GridView* grid : grids_)
        connect(grid, &GridView::rowSelected, this, &Form1::updateRecordCommands);
    updateRecordCommands();
}

Form1::~Form1() {
    document_->disconnect(this); // the document goes after the controls that show it
}

void Form1::followDocument() {
    control<QAction>("mRedo")->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(document_.get(), &Document::modifiedChanged, this, &Form1::showFileInTitle);
    connect(document_.get(), &Document::fileChanged, this, &Form1::showFileInTitle);
    connect(document_.get(), &Document::stepApplied, this, &Form1::showStep);
    connect(&document_->history(), &History::changed, this, &Form1::showHistoryInMenu);
    connect(document_.get(), &Document::recoveryFailed, this, [this](const RecoveryFailure& failure) {
        showBox(UiLanguage
                    ? QStringLiteral("Il file di recupero non si può scrivere in %1: %2\r\nSe il "
                                     "programma si interrompe, le modifiche non salvate andranno perse.")
                          .arg(failure.folder, failure.reason)
                    : QStringLiteral("The recovery file cannot be written in %1: %2\r\nIf the program "
                                     "stops, the unsaved changes will be lost.")
                          .arg(failure.folder, failure.reason),
                UiLanguage ? QStringLiteral("Attenzione") : QStringLiteral("Warning"), Buttons::Ok,
                Icon::Exclamation);
    });
}

void Form1::showFileInTitle() {
    setWindowTitle(WindowTitle(currentFilePath(), document_->isModified(), UiLanguage));
    setWindowModified(document_->isModified());
}

void Form1::indexControls() {
    for (QObject* object : findChildren<QObject*>()) {
        if (!object->objectName().isEmpty())
            controls_.insert(object->objectName(), object);
    }
}

void Form1::fillFixedLists() {
    const auto numbers = [](int last) {
        QStringList items;
        for (int n = 1; n <= last; ++n)
            items << QString::number(n);
        return items;
    };
    Cgru->addItems(numbers(kMaxGroup));
    Lgru->addItems(numbers(kMaxGroup));
    Laux->addItems(numbers(kMaxAux));
    control<QComboBox>("Cpriori")->addItems(numbers(kMaxLoad));
    control<QComboBox>("CnumS")->addItems(numbers(kMaxScenario));
    control<QComboBox>("Cnum")->addItems(numbers(kMaxCamera));
    control<QComboBox>("Czona")->addItems(numbers(kMaxProbe));
    for (int tab = 0; tab < kTabCount; ++tab)
        countLabels_[tab]->setText(CountCaption(tab, 0, texts_));
    auto* types = control<QComboBox>("Ctipo");
    for (const DeviceType& type : kDeviceTypes)
        types->addItem(QString::fromLatin1(type.displayName));
    for (QComboBox* combo : findChildren<QComboBox*>())
        combo->setCurrentIndex(-1);
}

RecordEditor& Form1::editor(int tab) const {
    const std::array<RecordEditor*, kTabCount> editors{devices_.get(), loads_.get(), probes_.get(),
                                                       cameras_.get(), scenarios_.get()};
    return *editors[tab];
}

int Form1::showBox(const QString& text, const QString& title, Buttons buttons, Icon icon) {
    return toolkit_.messageBox(this, text, title, buttons, icon);
}

void Form1::setStatus(const QString& text) {
    statusPanel_->setText(text);
    newFileShown_ = false;
}

void Form1::showNewFileStatus() {
    statusPanel_->setText(texts_[Word::newFileStatus]);
    newFileShown_ = true;
}

QString Form1::statusText() const {
    return statusPanel_->text();
}

void Form1::keepTypedNames() {
    groups_->keepTypedName();
    auxiliaries_->keepTypedName();
}

bool Form1::AskToSaveChanges() {
    keepTypedNames();
    if (!document_->isModified())
        return false;
    const QString question = UiLanguage ? QStringLiteral("La configurazione corrente non è stata salvata\r\n"
                                                         "Vuoi salvare il progetto corrente?")
                                        : QStringLiteral("This configuration is not been saved\r\n"
                                                         "Do you want save the current project?");
    const int answer = showBox(question, kExecutableName, Buttons::YesNoCancel, Icon::Question);
    rememberAnswer(answer);
    if (answer == kAnswerYes) {
        mSave_Click();
        return true;
    }
    return answer == kAnswerCancel;
}

void Form1::CancelAllEditors() {
    keepTypedNames();
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

void Form1::forgetEditsAndWidths() {
    for (int tab = 0; tab < kTabCount; ++tab) {
        editor(tab).ResetEditRow();
        grids_[tab]->forgetDraggedWidths(); // a new configuration starts with fitted columns
    }
}

void Form1::mNew_Click() {
    if (AskToSaveChanges())
        return;
    CancelAllEditors();
    document_->putInPlace(std::make_unique<ConfigModel>(), {}, Document::Arrival::AsSaved);
    forgetEditsAndWidths();
    showNewFileStatus();
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
            // This window counts as open, for the next one to open aside.
            QStringList open = OthersOpen(toolkit_.setting(kPlacementSection, kOpenWindowsKey, QString()));
            toolkit_.putSetting(kPlacementSection, kOpenWindowsKey, (open << OwnEntry()).join(' '));
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
    storePlacement();
    document_->discard(); // the changes are saved or dropped
    event->accept();
}

void Form1::mFind_Click() {
    findBar_->focus();
}

} // namespace velto
