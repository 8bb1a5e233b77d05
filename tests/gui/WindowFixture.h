#pragma once

#include "Form1.h"
#include "GridView.h"
#include "ScriptedToolkit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace velto::testing {

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

    ScriptedToolkit toolkit;
    std::unique_ptr<Form1> window;
};

} // namespace velto::testing
