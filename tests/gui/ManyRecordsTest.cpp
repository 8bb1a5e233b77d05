// Many records at once through the window: selecting, deleting, copying, cutting, pasting, duplicating and
// changing them, each one step of the history.
#include "WindowFixture.h"

#include <QMimeData>

namespace velto::testing {
namespace {

class ManyRecords : public WindowFixture {
protected:
    // Opens a configuration of devices named by address, "Luce 11", "Luce 12"... at the addresses given,
    // each a dimmer without group, changed as change says.
    void putDevices(std::initializer_list<int> addresses,
                    const std::function<void(ConfigModel&)>& change = {}) {
        auto tables = std::make_unique<ConfigModel>();
        for (const int address : addresses)
            tables->DeviceTable[address] = {"Luce " + std::to_string(address), false, 0, "1", 0, 1};
        if (change)
            change(*tables);
        RenumberDevices(*tables);
        window->document().putInPlace(std::move(tables), {}, Document::Arrival::AsSaved);
        window->RefreshAllViews();
    }
    void keys(const QString& gridName, QKeySequence sequence) {
        grid(gridName)->setFocus();
        QTest::keySequence(grid(gridName), sequence);
    }
    QString undoText() const { return find<QAction>("mUndo")->text(); }
    QList<int> selected(const QString& gridName) const { return grid(gridName)->selectedDataRows(); }
};

TEST_F(ManyRecords, SelectAllTakesTheRowsShownAndDeleteAsksOnceForThemAll) {
    putDevices({11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 22, 23},
               [](ConfigModel& tables) { tables.DeviceTable[24] = {"Tapparella", false, 0, "2", 0, 1}; });
    type("Tfind", "luce");
    keys("Fl_dev", QKeySequence::SelectAll);
    EXPECT_EQ(selected("Fl_dev").size(), 12);
    EXPECT_FALSE(enabled("Cmod"));

    toolkit.expectBox(kAnswerYes);
    QTest::keyClick(grid("Fl_dev"), Qt::Key_Delete);
    QStringList named;
    for (const int address : {11, 12, 13, 14, 15, 16, 17, 18, 19, 21})
        named << QString("%1 Luce %1").arg(address);
    EXPECT_EQ(onlyBox(), (RecordedBox{"Eliminare 12 attuatori?\r\n" + named.join("\r\n") + "\r\n… e altri 2",
                                      kExecutableName, Buttons::YesNo, Icon::Question}));
    box("Tfind")->clear();
    EXPECT_EQ(rows("Fl_dev"), QStringList{"Tapparella|0|autom.|24"});
    EXPECT_EQ(undoText(), "Annulla eliminazione di 12 attuatori");
    trigger("mUndo");
    EXPECT_EQ(rows("Fl_dev").size(), 13);
}

TEST_F(ManyRecords, ModifyTakesOneSelectedRowAndDeleteOfOneAsksAsBefore) {
    putDevices({11, 12});
    selectRow("Fl_dev", 1);
    QTest::keyClick(grid("Fl_dev"), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selected("Fl_dev"), (QList<int>{1, 2}));
    EXPECT_FALSE(enabled("Cmod"));
    QTest::mouseClick(grid("Fl_dev")->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      grid("Fl_dev")->visualRect(grid("Fl_dev")->model()->index(1, 0)).center());
    EXPECT_EQ(selected("Fl_dev"), QList<int>{1});
    EXPECT_TRUE(enabled("Cmod"));

    toolkit.expectBox(kAnswerNo);
    click("Cdel");
    EXPECT_EQ(onlyBox().text, "Eliminare l'attuatore 11 Luce 11?");
}

TEST_F(ManyRecords, CopyPasteDuplicateAndCutAreEachOneStep) {
    putDevices({11, 12}, [](ConfigModel& tables) { tables.DeviceTable[11].group = 3; });
    keys("Fl_dev", QKeySequence::SelectAll);
    keys("Fl_dev", QKeySequence::Copy);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    EXPECT_EQ(copied->text(), "point\tname\ttype\tgroup\tinUse\tpull\tdimmer\r\n"
                              "11\tLuce 11\t1\t3\t1\tfalse\t0\r\n12\tLuce 12\t1\t0\t2\tfalse\t0\r\n");
    EXPECT_EQ(copied->data("application/x-velto-configurator-records"),
              "devices\n" + copied->text().toUtf8());
    const QString copiedText = copied->text(); // the clipboard's data goes with the next copy

    keys("Fl_dev", QKeySequence::Paste);
    EXPECT_EQ(rows("Fl_dev"), (QStringList{"Luce 11|3|dimmer|11", "Luce 12|0|dimmer|12",
                                           "Luce 11|3|dimmer|13", "Luce 12|0|dimmer|14"}));
    EXPECT_EQ(selected("Fl_dev"), (QList<int>{3, 4}));
    EXPECT_EQ(undoText(), "Annulla incollamento di 2 attuatori");
    trigger("mUndo");

    selectRow("Fl_dev", 1);
    keys("Fl_dev", QKeySequence(Qt::CTRL | Qt::Key_D));
    EXPECT_EQ(rows("Fl_dev").value(2), "Luce 11 (2)|3|dimmer|13");
    EXPECT_EQ(undoText(), "Annulla inserimento attuatore 13 «Luce 11 (2)»");
    trigger("mUndo");

    keys("Fl_dev", QKeySequence::SelectAll);
    keys("Fl_dev", QKeySequence::Cut);
    EXPECT_TRUE(emptyGrid("Fl_dev"));
    EXPECT_EQ(QApplication::clipboard()->text(), copiedText);
    EXPECT_EQ(undoText(), "Annulla taglio di 2 attuatori");
    trigger("mUndo");
    EXPECT_EQ(rows("Fl_dev").size(), 2);
}

TEST_F(ManyRecords, APasteBreakingARuleIsRefusedWholeInOneBoxAndManyDeletionsAskOnceInEitherLanguage) {
    const struct {
        const char* menu;
        QString refused, title, deletion;
    } languages[] = {
        {"mIta",
         "Nessun record incollato: ogni riga deve essere valida.\r\n"
         "riga 3: priority: '17' non è un numero intero da 1 a 16\r\nriga 4: name: il nome è vuoto",
         "Attenzione", "Eliminare 2 carichi?\r\n1 Forno\r\n2 Sauna"},
        {"mEng",
         "Nothing pasted: every row must be valid.\r\n"
         "line 3: priority: '17' is not a whole number from 1 to 16\r\nline 4: name: the name is empty",
         "Warning", "Delete 2 loads?\r\n1 Forno\r\n2 Sauna"},
    };
    putDevices({}, [](ConfigModel& tables) {
        tables.LoadTable[1] = "Forno";
        tables.LoadTable[2] = "Sauna";
    });
    clickTab(1);
    for (const auto& language : languages) {
        SCOPED_TRACE(language.menu);
        trigger(language.menu);
        QApplication::clipboard()->setText("priority\tname\r\n3\tOven\r\n17\tSauna\r\n4\t\r\n");
        toolkit.expectBox(kAnswerOk);
        keys("Fl_gru", QKeySequence::Paste);
        EXPECT_EQ(onlyBox(), (RecordedBox{language.refused, language.title, Buttons::Ok, Icon::Exclamation}));
        EXPECT_EQ(rows("Fl_gru").size(), 2);
        EXPECT_FALSE(find<QAction>("mUndo")->isEnabled());

        keys("Fl_gru", QKeySequence::SelectAll);
        toolkit.expectBox(kAnswerNo);
        QTest::keyClick(grid("Fl_gru"), Qt::Key_Delete);
        EXPECT_EQ(onlyBox(),
                  (RecordedBox{language.deletion, kExecutableName, Buttons::YesNo, Icon::Question}));
        EXPECT_EQ(rows("Fl_gru").size(), 2);
    }
}

TEST_F(ManyRecords, ChangeSelectedSetsTheFieldsChosenAsOneNamedStep) {
    putDevices({11, 12}, [](ConfigModel& tables) {
        tables.DeviceTable[12].typeCode = "2";
        tables.LoadTable[2] = "Oven";
        tables.LoadTable[3] = "Washer";
    });
    trigger("mEng");
    keys("Fl_dev", QKeySequence::SelectAll);
    toolkit.expectForm([](QDialog& dialog) {
        dialog.findChild<QComboBox*>("CbulkGru")->setCurrentIndex(2); // after "(unchanged)" and "no group"
        QTest::mouseClick(dialog.findChild<QPushButton*>("CokB"), Qt::LeftButton);
        return true;
    });
    trigger("mBulk");
    EXPECT_EQ(rows("Fl_dev"), (QStringList{"Luce 11|1|dimmer|11", "Luce 12|1|autom.|12"}));
    EXPECT_EQ(undoText(), "Undo changing 2 devices");

    clickTab(1);
    keys("Fl_gru", QKeySequence::SelectAll);
    toolkit.expectForm([](QDialog& dialog) {
        dialog.findChild<QComboBox*>("CbulkKey")->setCurrentIndex(10); // from priority 10
        QTest::mouseClick(dialog.findChild<QPushButton*>("CokB"), Qt::LeftButton);
        return true;
    });
    trigger("mBulk");
    EXPECT_EQ(rows("Fl_gru"), (QStringList{"Oven|10", "Washer|11"}));
    EXPECT_EQ(undoText(), "Undo changing 2 loads");
}

} // namespace
} // namespace velto::testing
