// Builds the window's controls, each named as the program names it, and the editors on them.
#include "DrawnImages.h"
#include "Form1.h"
#include "GridView.h"
#include "Outline.h"
#include "TabEditors.h"
#include "TabViews.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

namespace velto {
namespace {

struct FieldDef {
    const char* name = nullptr;
    bool combo = false;
    int label = 0;
};

struct TabDef {
    const char* countLabel;
    const char* grid;
    int keyColumn;
    const char* panel;
    const char* newButton;
    const char* modifyButton;
    const char* deleteButton;
    const char* cancelButton;
    const char* confirmButton;
    const char* whyLabel;
    const char* browseFrame;
    const char* editFrame;
    std::array<FieldDef, 4> fields;
};

// clang-format off
constexpr std::array<TabDef, kTabCount> kTabs{{
    {"Ltot", "Fl_dev", 3, "Pbt1", "Cnew", "Cmod", "Cdel", "Cann", "Cok", "Lwhy", "Sh1", "Sh2",
     {{{"Tname", false, 0}, {"Cgru", true, 1}, {"Ctipo", true, 2}, {"Tind", false, 3}}}},
    {"Ltotg", "Fl_gru", 1, "Pbt1C", "CnewC", "CmodC", "CdelC", "CannC", "CokC", "LwhyC", "Sh1c", "Sh2c",
     {{{"TCarico", false, 7}, {"Cpriori", true, 6}}}},
    {"LtotP", "Fl_prob", 1, "Pbt1p", "CnewP", "CmodP", "CdelP", "CAnnP", "CokP", "LwhyP", "Sh1p", "Sh2p",
     {{{"TnameP", false, 10}, {"Czona", true, 11}}}},
    {"LtotW", "Fl_cam", 2, "Pbt1w", "CnewW", "CmodW", "CdelW", "CannW", "CokW", "LwhyW", "Sh1w", "Sh2w",
     {{{"TnameW", false, 13}, {"Cnum", true, 12}, {"Cmont", true, 15}, {"TindW", false, 14}}}},
    {"LtotS", "Fl_sce", 2, "Pbt1s", "CNews", "CModS", "CDelS", "CannS", "CokS", "LwhyS", "Sh1s", "Sh2s",
     {{{"TnameS", false, 18}, {"CnumS", true, 19}, {"Cbus", true, 16}, {"TindS", false, 17}}}},
}};
// clang-format on

template <typename T> T* Named(const char* name, QWidget* parent = nullptr) {
    auto* widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A caption label Lb(index) for a control, which it also names to screen readers.
QLabel* CaptionLabel(int index, QWidget* control) {
    auto* label = Named<QLabel>(QStringLiteral("Lb(%1)").arg(index).toLatin1().constData());
    label->setBuddy(control);
    return label;
}

// Puts an outline over a widget in the same layout cell.
QWidget* Outlined(QWidget* content, Outline* outline) {
    auto* holder = new QWidget;
    auto* grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    content->layout()->setContentsMargins(10, 10, 10, 10);
    grid->addWidget(content, 0, 0);
    grid->addWidget(outline, 0, 0);
    outline->raise();
    return holder;
}

QToolButton* DeleteImage(const char* name, const QIcon& icon) {
    auto* image = Named<QToolButton>(name);
    image->setIcon(icon);
    image->setAutoRaise(true); // takes the focus by Tab, so Space and Delete reach it
    return image;
}

void BuildMenus(Form1& window, WindowControls& controls) {
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mFile"));
    const auto addCommand = [&window](QMenu* menu, const char* name, QKeySequence keys,
                                      void (Form1::*handler)()) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        QObject::connect(action, &QAction::triggered, &window, handler);
    };
    addCommand(file, "mNew", QKeySequence::New, &Form1::mNew_Click);
    addCommand(file, "mOpen", QKeySequence::Open, &Form1::mOpen_Click);
    addCommand(file, "mImport", {}, &Form1::mImport_Click);
    addCommand(file, "mExportCsv", {}, &Form1::mExportCsv_Click);
    addCommand(file, "mSave", QKeySequence::Save, &Form1::mSave_Click);
    addCommand(file, "mReport", {}, &Form1::mReport_Click);
    addCommand(file, "mPrint", QKeySequence::Print, &Form1::mPrint_Click);
    addCommand(file, "mVersions", {}, &Form1::mVersions_Click);
    addCommand(file, "mCompare", {}, &Form1::mCompare_Click);
    controls.mRecent = file->addMenu(QString());
    controls.mRecent->setObjectName(QStringLiteral("mRecent"));
    addCommand(file, "mExit", QKeySequence::Quit, &Form1::mExit_Click);
    QMenu* edit = window.menuBar()->addMenu(QString());
    edit->setObjectName(QStringLiteral("mEdit"));
    addCommand(edit, "mUndo", QKeySequence::Undo, &Form1::mUndo_Click);
    addCommand(edit, "mRedo", {}, &Form1::mRedo_Click); // its keys come with the history
    edit->addSeparator();
    addCommand(edit, "mCut", QKeySequence::Cut, &Form1::mCut_Click);
    addCommand(edit, "mCopy", QKeySequence::Copy, &Form1::mCopy_Click);
    addCommand(edit, "mPaste", QKeySequence::Paste, &Form1::mPaste_Click);
    addCommand(edit, "mDuplicate", QKeySequence(Qt::CTRL | Qt::Key_D), &Form1::mDuplicate_Click);
    addCommand(edit, "mSelectAll", QKeySequence::SelectAll, &Form1::mSelectAll_Click);
    addCommand(edit, "mBulk", {}, &Form1::mBulk_Click);
    edit->addSeparator();
    addCommand(edit, "mFind", QKeySequence::Find, &Form1::mFind_Click);
    QMenu* language = window.menuBar()->addMenu(QString());
    language->setObjectName(QStringLiteral("mLang"));
    addCommand(language, "mIta", {}, &Form1::mIta_Click);
    addCommand(language, "mEng", {}, &Form1::mEng_Click);
    auto* languages = new QActionGroup(language); // the language in force carries the check mark
    for (QAction* choice : language->actions()) {
        choice->setCheckable(true);
        languages->addAction(choice);
    }
    QMenu* help = window.menuBar()->addMenu(QString());
    help->setObjectName(QStringLiteral("mHelp"));
    addCommand(help, "mGuide", QKeySequence::HelpContents, &Form1::mGuide_Click);
    addCommand(help, "mAbout", {}, &Form1::mAbout_Click);
}

QWidget* BuildRecordTab(WindowControls& controls, int tab) {
    const TabDef& def = kTabs[tab];
    auto roles = std::make_unique<EditorRoles>();
    roles->tab = tab;
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);

    controls.countLabels[tab] = Named<QLabel>(def.countLabel);
    column->addWidget(controls.countLabels[tab]);
    controls.grids[tab] = new GridView(QString::fromLatin1(def.grid));
    roles->grid = controls.grids[tab];
    roles->keyColumn = def.keyColumn;
    column->addWidget(controls.grids[tab], 1);

    roles->panel = Named<QWidget>(def.panel);
    auto* buttons = new QVBoxLayout(roles->panel);
    roles->newButton = Named<QPushButton>(def.newButton);
    roles->modifyButton = Named<QPushButton>(def.modifyButton);
    roles->deleteButton = Named<QPushButton>(def.deleteButton);
    for (QPushButton* button : {roles->newButton, roles->modifyButton, roles->deleteButton})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* fieldsArea = new QWidget;
    auto* fieldsLayout = new QVBoxLayout(fieldsArea);
    auto* form = new QFormLayout;
    for (const FieldDef& field : def.fields) {
        if (!field.name)
            continue;
        QWidget* control = field.combo ? static_cast<QWidget*>(Named<QComboBox>(field.name))
                                       : static_cast<QWidget*>(Named<QLineEdit>(field.name));
        form->addRow(CaptionLabel(field.label, control), control);
        roles->fields.push_back(control);
    }
    roles->nameBox = qobject_cast<QLineEdit*>(roles->fields.front());
    fieldsLayout->addLayout(form);
    auto* confirmRow = new QHBoxLayout;
    roles->cancelButton = Named<QPushButton>(def.cancelButton);
    roles->confirmButton = Named<QPushButton>(def.confirmButton);
    roles->whyLabel = Named<QLabel>(def.whyLabel);
    roles->whyLabel->setTextFormat(Qt::PlainText); // it quotes record names
    roles->whyLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    confirmRow->addWidget(roles->whyLabel, 1);
    confirmRow->addWidget(roles->cancelButton);
    confirmRow->addWidget(roles->confirmButton);
    fieldsLayout->addLayout(confirmRow);

    roles->browseFrame = new Outline(QString::fromLatin1(def.browseFrame));
    roles->editFrame = new Outline(QString::fromLatin1(def.editFrame));
    auto* editing = new QHBoxLayout;
    editing->addWidget(Outlined(roles->panel, roles->browseFrame));
    editing->addWidget(Outlined(fieldsArea, roles->editFrame), 1);
    column->addLayout(editing);

    controls.roles[tab] = std::move(roles);
    return page;
}

QWidget* BuildDeviceTab(WindowControls& controls) {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(BuildRecordTab(controls, 0), 1);

    auto* side = new QVBoxLayout;
    const QIcon deleteIcon = MakeDeleteIcon();
    const auto buildSlotFrame = [&](const char* frame, int listLabel, const char* list, int nameLabel,
                                    const char* nameBox, const char* image) {
        auto* box = Named<QGroupBox>(frame);
        auto* layout = new QVBoxLayout(box);
        auto* listWidget = Named<QListWidget>(list);
        auto* nameWidget = Named<QLineEdit>(nameBox);
        layout->addWidget(CaptionLabel(listLabel, listWidget));
        layout->addWidget(listWidget, 1);
        layout->addWidget(CaptionLabel(nameLabel, nameWidget));
        auto* nameRow = new QHBoxLayout;
        nameRow->addWidget(nameWidget, 1);
        nameRow->addWidget(DeleteImage(image, deleteIcon));
        layout->addLayout(nameRow);
        side->addWidget(box, 1);
        return box;
    };
    controls.Lgru = buildSlotFrame("Frg", 4, "Lgru", 5, "Tngru", "IbDel")->findChild<QListWidget*>();
    QGroupBox* auxFrame = buildSlotFrame("Fraux", 9, "Laux", 8, "TnameA", "IdelAux");
    auxFrame->setTitle(QStringLiteral("Aux"));
    controls.Laux = auxFrame->findChild<QListWidget*>();
    row->addLayout(side);
    return page;
}

void BuildTabs(QMainWindow& window, WindowControls& controls) {
    QTabWidget* STab = controls.STab = Named<QTabWidget>("STab");
    STab->addTab(BuildDeviceTab(controls), QString());
    for (int tab = 1; tab < kTabCount; ++tab)
        STab->addTab(BuildRecordTab(controls, tab), QString());
    STab->setTabText(3, QStringLiteral("Camera"));

    auto* logo = Named<QLabel>("Image1");
    logo->setPixmap(MakeLogo(window.fontMetrics().height() + 8));
    logo->setContentsMargins(4, 2, 8, 2);
    STab->setCornerWidget(logo, Qt::TopRightCorner);

    // The filter over the grids, then the tabs.
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 4, 0, 0);
    auto* findRow = new QHBoxLayout;
    findRow->setContentsMargins(8, 0, 8, 0);
    auto* findCaption = Named<QLabel>("Lfind");
    auto* find = Named<QLineEdit>("Tfind");
    find->setClearButtonEnabled(true);
    find->setMaximumWidth(find->fontMetrics().averageCharWidth() * 36);
    findCaption->setBuddy(find);
    findRow->addWidget(findCaption);
    findRow->addWidget(find, 1);
    findRow->addWidget(Named<QLabel>("LfindTot"), 1);
    column->addLayout(findRow);
    column->addWidget(STab, 1);
    window.setCentralWidget(central);

    auto* status = Named<QStatusBar>("StBar");
    controls.statusPanel = Named<QLabel>("StBarPanel");
    status->addWidget(controls.statusPanel, 1);
    window.setStatusBar(status);
}

} // namespace

void BuildWindow(Form1& window, WindowControls& controls) {
    BuildMenus(window, controls);
    BuildTabs(window, controls);
    for (QObject* object : window.findChildren<QObject*>()) {
        if (!object->objectName().isEmpty())
            controls.named.insert(object->objectName(), object);
    }
    controls.Cgru = controls.get<QComboBox>("Cgru");
    controls.Cbus = controls.get<QComboBox>("Cbus");
    controls.Cmont = controls.get<QComboBox>("Cmont");
}

void WindowControls::setCaption(const Caption& caption, const QString& text) const {
    if (caption.tab >= 0) {
        STab->setTabText(caption.tab, text);
        return;
    }
    QObject* target = named.value(ToQString(caption.control));
    if (auto* action = qobject_cast<QAction*>(target))
        action->setText(text);
    else if (auto* menu = qobject_cast<QMenu*>(target))
        menu->setTitle(text);
    else if (auto* image = qobject_cast<QToolButton*>(target)) {
        image->setText(text); // shown as its image only: the text names it to screen readers
        image->setToolTip(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(target))
        label->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(target))
        frame->setTitle(text);
}

} // namespace velto
