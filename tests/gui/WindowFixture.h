#pragma once

#include "Form1.h"
#include "GridView.h"
#include "ScriptedToolkit.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <array>
#include <gtest/gtest.h>
#include <memory>

namespace velto::testing {

// The controls that play each role of the editing pattern on one tab.
struct TabControls {
    const char* grid;
    const char* count;
    const char* panel;
    const char* newButton;
    const char* modifyButton;
    const char* deleteButton;
    const char* cancelButton;
    const char* confirmButton;
    const char* browseFrame;
    const char* editFrame;
    QStringList fields; // the name box first
};

inline const std::array<TabControls, 5>& Tabs() {
    static const std::array<TabControls, 5> tabs{{
        {"Fl_dev",
         "Ltot",
         "Pbt1",
         "Cnew",
         "Cmod",
         "Cdel",
         "Cann",
         "Cok",
         "Sh1",
         "Sh2",
         {"Tname", "Cgru", "Ctipo", "Tind"}},
        {"Fl_gru",
         "Ltotg",
         "Pbt1C",
         "CnewC",
         "CmodC",
         "CdelC",
         "CannC",
         "CokC",
         "Sh1c",
         "Sh2c",
         {"TCarico", "Cpriori"}},
        {"Fl_prob",
         "LtotP",
         "Pbt1p",
         "CnewP",
         "CmodP",
         "CdelP",
         "CAnnP",
         "CokP",
         "Sh1p",
         "Sh2p",
         {"TnameP", "Czona"}},
        {"Fl_cam",
         "LtotW",
         "Pbt1w",
         "CnewW",
         "CmodW",
         "CdelW",
         "CannW",
         "CokW",
         "Sh1w",
         "Sh2w",
         {"TnameW", "Cnum", "Cmont", "TindW"}},
        {"Fl_sce",
         "LtotS",
         "Pbt1s",
         "CNews",
         "CModS",
         "CDelS",
         "CannS",
         "CokS",
         "Sh1s",
         "Sh2s",
         {"TnameS", "CnumS", "Cbus", "TindS"}},
    }};
    return tabs;
}

// A model with one or more records in every table, stored out of key order.
inline void FillModel(ConfigModel& model) {
    model.DeviceTable[37] = {"Blind", false, 0, "2", 0, 2};
    model.DeviceTable[12] = {"Lamp", false, 3, "1d", 0, 1};
    model.GroupTable[3] = "Kitchen";
    model.AuxTable[2] = "Bell";
    model.LoadTable[9] = "Oven";
    model.LoadTable[2] = "Washer";
    model.ProbeTable[40] = "Hall";
    model.CameraTable[5] = {"Gate", "4100#2"};
    model.CameraTable[1] = {"Door", "4000"};
    model.ScenarioTable[3] = {"Evening", "12#4#2"};
}

// A real main window on the scripted toolkit, driven through its widgets by name.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override { startWindow(); }
    void TearDown() override {
        window.reset();
        EXPECT_TRUE(toolkit.allAnswersUsed());
    }

    // (Re)creates the window, as the program does at start-up, with the settings stored so far.
    void startWindow() {
        window.reset();
        window = std::make_unique<Form1>(toolkit);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <typename T = QWidget> T* find(const QString& name) const {
        T* widget = window->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << "no control named " << name.toStdString();
        return widget;
    }
    QAction* action(const QString& name) const { return find<QAction>(name); }
    QPushButton* button(const QString& name) const { return find<QPushButton>(name); }
    QLineEdit* box(const QString& name) const { return find<QLineEdit>(name); }
    QComboBox* combo(const QString& name) const { return find<QComboBox>(name); }
    GridView* grid(const QString& name) const { return find<GridView>(name); }
    QString caption(const QString& name) const { return find<QLabel>(name)->text(); }

    void click(const QString& buttonName) {
        QPushButton* target = button(buttonName);
        ASSERT_TRUE(target->isEnabled()) << buttonName.toStdString() << " is disabled";
        QTest::mouseClick(target, Qt::LeftButton);
    }
    void type(const QString& boxName, const QString& text) {
        QLineEdit* target = box(boxName);
        target->setFocus();
        QTest::keyClicks(target, text);
    }
    void choose(const QString& comboName, int index) { combo(comboName)->setCurrentIndex(index); }
    // Clicks a cell of a data row (rows count from 1 as in the program).
    void selectRow(const QString& gridName, int row) {
        GridView* target = grid(gridName);
        const QRect cell = target->visualRect(target->model()->index(row - 1, 0));
        QTest::mouseClick(target->viewport(), Qt::LeftButton, {}, cell.center());
    }
    void trigger(const QString& actionName) { action(actionName)->trigger(); }
    void clickTab(int index) {
        QTabBar* bar = find<QTabWidget>("STab")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    void clickItem(const QString& listName, int index) {
        QListWidget* target = find<QListWidget>(listName);
        const QRect item = target->visualItemRect(target->item(index));
        QTest::mouseClick(target->viewport(), Qt::LeftButton, {}, item.center());
    }
    void clickImage(const QString& name) { QTest::mouseClick(find<QToolButton>(name), Qt::LeftButton); }
    // Typing into any control, combo boxes included.
    void keys(const QString& name, const QString& text) { QTest::keyClicks(find<QWidget>(name), text); }
    void pressEnter(const QString& boxName) { QTest::keyClick(box(boxName), Qt::Key_Return); }
    void paste(const QString& boxName, const QString& text) {
        QApplication::clipboard()->setText(text);
        box(boxName)->setFocus();
        QTest::keySequence(box(boxName), QKeySequence::Paste);
    }
    // Focus events need an active window.
    void activate() {
        QApplication::setActiveWindow(window.get());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void focus(const QString& name) {
        find<QWidget>(name)->setFocus();
        QCoreApplication::processEvents();
    }
    bool shown(const QString& name) const { return !find<QWidget>(name)->isHidden(); }
    bool enabled(const QString& name) const { return find<QWidget>(name)->isEnabled(); }
    QStringList items(const QString& name) const {
        QStringList result;
        if (auto* list = window->findChild<QListWidget*>(name)) {
            for (int i = 0; i < list->count(); ++i)
                result << list->item(i)->text();
        } else {
            for (int i = 0; i < combo(name)->count(); ++i)
                result << combo(name)->itemText(i);
        }
        return result;
    }
    // The one box shown since the last look.
    RecordedBox onlyBox() {
        const QList<RecordedBox> boxes = toolkit.takeBoxes();
        EXPECT_EQ(boxes.size(), 1);
        return boxes.isEmpty() ? RecordedBox{} : boxes.front();
    }
    ConfigModel& model() { return window->model(); }

    // Adds a device through its editor; group -1 leaves the group unchosen.
    void addDevice(const QString& name, int typeIndex, const QString& address, int group = -1) {
        click("Cnew");
        type("Tname", name);
        if (group >= 0)
            choose("Cgru", group);
        choose("Ctipo", typeIndex);
        type("Tind", address);
        click("Cok");
    }

    // The cells of a grid's data rows, joined by "|" per row.
    QStringList rows(const QString& gridName) const {
        GridView* target = grid(gridName);
        QStringList result;
        for (int row = 1; row <= target->dataRowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < target->columnCount(); ++column)
                cells << target->cell(row, column);
            result << cells.join('|');
        }
        return result;
    }

    // Headings and one blank row, as a grid without records shows.
    bool emptyGrid(const QString& gridName) const {
        return grid(gridName)->dataRowCount() == 1 && rows(gridName).front().remove('|').isEmpty();
    }

    ScriptedToolkit toolkit;
    std::unique_ptr<Form1> window;
};

} // namespace velto::testing
