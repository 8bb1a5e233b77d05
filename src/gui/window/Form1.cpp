#include "Form1.h"

#include "CameraEditor.h"
#include "DeviceEditor.h"
#include "GridView.h"
#include "NamedSlotEditor.h"
#include "ProgramIcon.h"
#include "RecentFiles.h"
#include "RecoveryFile.h"
#include "ScenarioEditor.h"
#include "SlotNameList.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>

namespace velto {

Form1::Form1(Toolkit& toolkit, QWidget* parent)
    : QMainWindow(parent), toolkit_(toolkit), recent_(std::make_unique<RecentFiles>(toolkit)) {
    setObjectName(QStringLiteral("Form1"));
    setAcceptDrops(true);
    buildMenus();
    buildTabs();
    indexControls();
    createEditors();
    setUpHistory();
    connectFind();
    restorePlacement();

    // Start-up.
    setWindowTitle(kWindowTitle);
    if (toolkit_.setting(QStringLiteral("option"), QStringLiteral("language"), QStringLiteral("ita")) ==
        QStringLiteral("ita"))
        mIta_Click();
    else
        mEng_Click();
    SetupDeviceGrid();
    SetupLoadGrid();
    SetupProbeGrid();
    SetupCameraGrid();
    SetupScenarioGrid();
    showNewFileStatus();
    fillFixedLists();
    for (int tab = 0; tab < kTabCount; ++tab)
        editor(tab).Cancel();
    fillRecentMenu();

    connect(STab, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != shownTab_)
            CancelAllEditors();
        shownTab_ = index;
    });
}

Form1::~Form1() {
    history_->disconnect(this); // the history, a child, goes after the controls it names
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

bool Form1::AskToSaveChanges() {
    if (!DirtyFlag)
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
    ClearConfiguration(model_);
    forgetEditsAndWidths();
    showNewFileStatus();
    RefreshAllViews();
    setDirty(false);
    setCurrentFile({});
    startHistory();
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
        QTimer::singleShot(0, this, [this] { setWindowIcon(ProgramIcon()); });
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
    removeRecovery(); // the changes are saved or dropped
    event->accept();
}

} // namespace velto
