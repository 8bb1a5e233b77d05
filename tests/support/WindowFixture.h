#pragma once

#include "CoreTestSupport.h"
#include "Form1.h"
#include "GridView.h"
#include "RecordEditor.h"
#include "ScriptedToolkit.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// A path as the window names it to the user.
inline QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// What the system says of a failure: errno's text, or on Windows the Win32 code's.
inline QString SystemText(int error, unsigned long windowsError = 0) {
    return QString::fromStdString(velto::test::Says(error, windowsError));
}

// Texts in failure messages as text, not as code units.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace velto::testing {

// The controls that play each role of the editing pattern on one tab, and a sample record: the values
// of the fields after the name, "#" standing for the record's key.
struct TabControls {
    const char *grid, *count, *newButton, *modifyButton, *deleteButton, *cancelButton, *confirmButton,
        *browseFrame;
    QStringList fields; // the name box first
    QStringList sample;
};

inline const std::array<TabControls, 5>& Tabs() {
    // clang-format off
    static const std::array<TabControls, 5> tabs{{
        {"Fl_dev",  "Ltot",  "Cnew",  "Cmod",  "Cdel",  "Cann",  "Cok",  "Sh1",  {"Tname", "Cgru", "Ctipo", "Tind"},    {"", "0", "#"}},
        {"Fl_gru",  "Ltotg", "CnewC", "CmodC", "CdelC", "CannC", "CokC", "Sh1c", {"TCarico", "Cpriori"},               {"#"}},
        {"Fl_prob", "LtotP", "CnewP", "CmodP", "CdelP", "CAnnP", "CokP", "Sh1p", {"TnameP", "Czona"},                  {"#"}},
        {"Fl_cam",  "LtotW", "CnewW", "CmodW", "CdelW", "CannW", "CokW", "Sh1w", {"TnameW", "Cnum", "Cmont", "TindW"}, {"#", "1", "4100"}},
        {"Fl_sce",  "LtotS", "CNews", "CModS", "CDelS", "CannS", "CokS", "Sh1s", {"TnameS", "CnumS", "Cbus", "TindS"}, {"#", "2", "12"}},
    }};
    // clang-format on
    return tabs;
}

inline void PrintTo(const RecordedBox& box, std::ostream* out) {
    *out << '"' << box.text.toStdString() << "\" titled \"" << box.title.toStdString() << "\", buttons "
         << int(box.buttons) << ", icon " << int(box.icon);
}

// Writes the bytes to the file, with that modification time when one is given.
inline void Put(const QString& path, const QByteArray& bytes, const QDateTime& modified = {}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush());
    ASSERT_TRUE(!modified.isValid() || file.setFileTime(modified, QFileDevice::FileModificationTime));
}

// The file's bytes, or "none" when it cannot be read.
inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "none";
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

// The cells of a grid's data rows, joined by "|" per row.
inline QStringList RowsOf(const GridView& grid) {
    QStringList rows;
    for (int row = 1; row <= grid.dataRowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < grid.columnCount(); ++column)
            cells << grid.cell(row, column);
        rows << cells.join('|');
    }
    return rows;
}

// Every heading and cell of the grid shows whole: each column is as wide as its heading and its cells
// need, each row as high as a line of its text.
inline void ExpectTextsFit(const GridView& grid) {
    const int headingMargin = 2 * QApplication::style()->pixelMetric(QStyle::PM_HeaderMargin);
    const int cellMargin = 2 * (QApplication::style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    for (int column = 0; column < grid.columnCount(); ++column) {
        const QString heading = grid.horizontalHeaderItem(column)->text();
        const int width = grid.columnWidth(column);
        EXPECT_GE(width, grid.horizontalHeader()->fontMetrics().horizontalAdvance(heading) + headingMargin)
            << heading.toStdString();
        // A cell's text gets the column less its grid line and margins, at its fractional width.
        const int room = width - (grid.showGrid() ? 1 : 0) - cellMargin;
        for (int row = 1; row <= grid.dataRowCount(); ++row)
            EXPECT_GE(room, QFontMetricsF(grid.font(), &grid).horizontalAdvance(grid.cell(row, column)))
                << heading.toStdString() << ", row " << row;
    }
    EXPECT_GE(grid.horizontalHeader()->height(), grid.horizontalHeader()->fontMetrics().height());
    for (int row = 0; row < grid.rowCount(); ++row)
        EXPECT_GE(grid.rowHeight(row), grid.fontMetrics().height()) << "row " << row;
}

// The user types into the project dialog's fields by name, the others left as proposed, and presses a button.
inline std::function<bool(QDialog&)> Project(const QMap<QString, QString>& typed = {},
                                             const char* button = "CokR") {
    return [=](QDialog& dialog) {
        for (const auto& [name, text] : typed.asKeyValueRange()) {
            QTest::keySequence(dialog.findChild<QWidget*>(name), QKeySequence::SelectAll);
            QApplication::clipboard()->setText(text);
            QTest::keySequence(dialog.findChild<QWidget*>(name), QKeySequence::Paste);
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
        return dialog.result() == QDialog::Accepted;
    };
}

// Starts a program that runs until its input closes.
inline void StartWaiting(QProcess& child) {
#ifdef _WIN32
    child.start("cmd", {});
#else
    child.start("cat", {});
#endif
    EXPECT_TRUE(child.waitForStarted());
}

// A real main window on the scripted toolkit, driven through its widgets by name.
class WindowFixture : public ::testing::Test {
protected:
    // The toolkit, destroyed after the window, fails the test on any answer nobody used.
    void SetUp() override { startWindow(); }

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
    QLineEdit* box(const QString& name) const { return find<QLineEdit>(name); }
    QComboBox* combo(const QString& name) const { return find<QComboBox>(name); }
    bool isList(const QString& name) const { return window->findChild<QComboBox*>(name) != nullptr; }
    GridView* grid(const QString& name) const { return find<GridView>(name); }
    bool enabled(const QString& name) const { return find(name)->isEnabled(); }
    ConfigModel& model() { return window->model(); }

    void click(const QString& buttonName) {
        QPushButton* target = find<QPushButton>(buttonName);
        ASSERT_TRUE(target->isEnabled()) << buttonName.toStdString() << " is disabled";
        QTest::mouseClick(target, Qt::LeftButton);
    }
    // Keys type plain ASCII; tabs and accented or other letters come by the clipboard.
    void type(const QString& boxName, const QString& text) {
        box(boxName)->setFocus();
        if (std::all_of(text.begin(), text.end(),
                        [](QChar c) { return c.unicode() >= 0x20 && c.unicode() <= 0x7E; }))
            return QTest::keyClicks(box(boxName), text);
        QApplication::clipboard()->setText(text);
        QTest::keySequence(box(boxName), QKeySequence::Paste);
    }
    // Save and Open, the file dialog answering the path ("" to cancel it).
    void save(const QString& path) {
        toolkit.expectDialog(path);
        trigger("mSave");
    }
    void open(const QString& path) {
        toolkit.expectDialog(path);
        trigger("mOpen");
    }
    void pressEnter(const QString& boxName) { QTest::keyClick(box(boxName), Qt::Key_Return); }
    void trigger(const QString& actionName) { find<QAction>(actionName)->trigger(); }
    void clickImage(const QString& name) { QTest::mouseClick(find<QToolButton>(name), Qt::LeftButton); }
    void clickTab(int index) {
        QTabBar* bar = find<QTabWidget>("STab")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    // Clicks or double-clicks a cell of a data row (rows count from 1 as in the program).
    void selectRow(const QString& gridName, int row, bool twice = false) {
        const QPoint at = grid(gridName)->visualRect(grid(gridName)->model()->index(row - 1, 0)).center();
        QTest::mouseEvent(twice ? QTest::MouseDClick : QTest::MouseClick, grid(gridName)->viewport(),
                          Qt::LeftButton, {}, at);
    }
    void clickItem(const QString& listName, int index) {
        auto* target = find<QListWidget>(listName);
        QTest::mouseClick(target->viewport(), Qt::LeftButton, {},
                          target->visualItemRect(target->item(index)).center());
    }
    // Names a group or auxiliary slot (numbered from 1) through its list and name box.
    void nameSlot(const QString& listName, const QString& boxName, int number, const QString& name) {
        clickItem(listName, number - 1);
        type(boxName, name);
        pressEnter(boxName);
    }

    // Values of a tab's fields: a box's text, or a list's chosen index ("" for none).
    void set(const QString& field, const QString& value) {
        if (isList(field))
            return combo(field)->setCurrentIndex(value.isEmpty() ? -1 : value.toInt());
        box(field)->clear();
        type(field, value);
    }
    void enter(int tab, const QStringList& values) {
        for (int i = 0; i < values.size(); ++i)
            set(Tabs()[tab].fields[i], values[i]);
    }
    QStringList entered(int tab) const {
        QStringList values;
        for (const QString& field : Tabs()[tab].fields) {
            const int index = isList(field) ? combo(field)->currentIndex() : 0;
            values << (!isList(field) ? box(field)->text() : index < 0 ? QString() : QString::number(index));
        }
        return values;
    }
    // The tab's sample record with a name and a key.
    QStringList record(int tab, const QString& name, int key) const {
        const TabControls& t = Tabs()[tab];
        QStringList values{name};
        for (int i = 0; i < t.sample.size(); ++i)
            values << (t.sample[i] != "#" ? t.sample[i]
                                          : QString::number(isList(t.fields[i + 1]) ? key - 1 : key));
        return values;
    }
    void add(int tab, const QStringList& values) {
        clickTab(tab);
        click(Tabs()[tab].newButton);
        enter(tab, values);
        click(Tabs()[tab].confirmButton);
    }

    QStringList items(const QString& name) const {
        QStringList result;
        auto* list = window->findChild<QListWidget*>(name);
        for (int i = 0; i < (list ? list->count() : combo(name)->count()); ++i)
            result << (list ? list->item(i)->text() : combo(name)->itemText(i));
        return result;
    }
    QStringList rows(const QString& gridName) const { return RowsOf(*grid(gridName)); }
    // What the window shows of the configuration: every grid, the group and auxiliary lists, the
    // counts and the group combo.
    QStringList shown() const {
        QStringList all;
        for (const TabControls& c : Tabs())
            all << rows(c.grid).join('/');
        all << items("Lgru").join(',') << items("Laux").join(',');
        for (const TabControls& c : Tabs())
            all << find<QLabel>(c.count)->text();
        return all << items("Cgru").join(',');
    }
    // Headings and one blank row, as a grid without records shows.
    bool emptyGrid(const QString& gridName) const {
        const GridView* target = grid(gridName);
        return target->dataRowCount() == 0 && target->rowCount() == 1 &&
               target->findItems(QStringLiteral("?*"), Qt::MatchWildcard).isEmpty();
    }
    // The window's title, then "*" while it marks unsaved changes.
    QString title() const { return window->windowTitle() + (window->isWindowModified() ? "*" : ""); }
    // The one box shown since the last look.
    RecordedBox onlyBox() {
        const QList<RecordedBox> boxes = toolkit.takeBoxes();
        EXPECT_EQ(boxes.size(), 1);
        return boxes.isEmpty() ? RecordedBox{} : boxes.front();
    }

    ScriptedToolkit toolkit;
    std::unique_ptr<Form1> window;
};

} // namespace velto::testing
