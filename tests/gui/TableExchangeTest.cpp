// A table to a spreadsheet and back through the File menu, as an installer does it.
#include "WindowFixture.h"

#include <QTemporaryDir>

namespace velto::testing {
namespace {

class TableExchange : public WindowFixture {
protected:
    QString path(const QString& name) const { return folder.filePath(name); }
    bool modified() const { return window->document().isModified(); }
    // Import CSV table on the file, each box answered in turn; the texts of the boxes shown.
    QList<RecordedBox> import(const QString& file, const QList<int>& answers) {
        toolkit.expectDialog(file);
        for (const int answer : answers)
            toolkit.expectBox(answer);
        trigger("mImport");
        return toolkit.takeBoxes();
    }

    QTemporaryDir folder;
};

// Export the devices, edit them as a spreadsheet saves them (Italian headings, the grid's words, ";",
// Windows-1252, CR LF: one name changed, one row added, one bad row), import them back with Update:
// the bad row is named with what is accepted; once fixed, exactly what the preview says happens, over
// a device added in the window and not saved, and one undo takes it back.
TEST_F(TableExchange, SpreadsheetRoundTripInBothLanguages) {
    const QByteArray sheet =
        "indirizzo;nome;tipo;gruppo\r\n11;Luce pi\xF9 forte;Dimmer;0\r\n21;Tapparella;autom.;\r\n"
        "31;Presa;on/off;0\r\n41;Nuova;";
    Put(path("bad.csv"), sheet + "onoff;\r\n");
    Put(path("good.csv"), sheet + "ON/OFF;\r\n");
    Put(path("conf.xml"),
        "<ACTUATOR>\r\n<version number=\"1.0.4\"></version>\r\n"
        "<device name=\"Luce\" point=\"11\" group=\"\" pull=\"\" type=\"1\"></device>\r\n"
        "<device name=\"Tapparella\" point=\"21\" group=\"\" pull=\"\" type=\"2\"></device>\r\n"
        "<device name=\"Presa\" point=\"31\" group=\"\" pull=\"\" type=\"1d\"></device>\r\n</ACTUATOR>\r\n");
    const struct {
        const char* language;
        QString exportName;
        QByteArray exported;
        QString question;
        QStringList choices;
        QString nothing, refused, preview;
    } cases[] = {
        {"ita",
         "attuatori.csv",
         "\xEF\xBB\xBFindirizzo;nome;tipo;gruppo;posizione;pull;livello dimmer\r\n11;Luce;1;0;1;false;0\r\n"
         "21;Tapparella;2;0;2;false;0\r\n31;Presa;1d;0;3;false;0\r\n",
         "La tabella attuatori contiene già %1 record. Che cosa fanno i record del file?",
         {"Aggiorna", "Solo aggiunte", "Sostituisci tutta la tabella"},
         "Niente da importare da %1: la tabella attuatori contiene già questi record così come sono.",
         "Nessun record importato da %1: ogni riga deve essere valida.\r\n"
         "riga 5: type: 'onoff' non è un tipo: usare dimmer, autom., on/off o 1, 2, 1d",
         "%1\r\nattuatori: 1 aggiunti, 1 modificati, 0 tolti, 2 invariati\r\nindirizzo 11: nome 'Luce' -> "
         "'Luce più "
         "forte'\r\n\r\nImportare?"},
        {"eng",
         "devices.csv",
         "\xEF\xBB\xBF"
         "address,name,type,group,position,pull,dimmer level\r\n11,Luce,1,0,1,false,0\r\n"
         "21,Tapparella,2,0,2,false,0\r\n31,Presa,1d,0,3,false,0\r\n",
         "The devices table already holds %1 records. What should the file's records do?",
         {"Update", "Add only", "Replace the whole table"},
         "Nothing to import from %1: the devices table already holds these records as they are.",
         "Nothing imported from %1: every row must be valid.\r\n"
         "line 5: type: 'onoff' is not a type: use dimmer, autom., on/off or 1, 2, 1d",
         "%1\r\ndevices: 1 added, 1 changed, 0 removed, 2 unchanged\r\naddress 11: name 'Luce' -> 'Luce più "
         "forte'\r\n\r\nImport?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        toolkit.settings.insert("option/language", c.language);
        startWindow();
        toolkit.expectDialog(path("conf.xml"));
        trigger("mOpen");

        toolkit.expectDialog(path(c.exportName));
        trigger("mExportCsv");
        EXPECT_EQ(toolkit.dialogs().back().fileName, c.exportName);
        EXPECT_EQ(ReadAll(path(c.exportName)), c.exported);
        const QList<RecordedBox> unchanged = import(path(c.exportName), {0, kAnswerOk});
        ASSERT_EQ(unchanged.size(), 2);
        EXPECT_TRUE(unchanged[0].text.startsWith(c.question.arg(3))) << unchanged[0].text.toStdString();
        EXPECT_EQ(unchanged[0].choices, c.choices);
        EXPECT_EQ(unchanged[1].text, c.nothing.arg(path(c.exportName)));
        EXPECT_FALSE(modified());
        EXPECT_FALSE(find<QAction>("mUndo")->isEnabled());

        add(0, record(0, "Finestra", 51));
        const QStringList before = rows("Fl_dev");
        ASSERT_EQ(before.size(), 4);
        const QList<RecordedBox> refused = import(path("bad.csv"), {0, kAnswerOk});
        ASSERT_EQ(refused.size(), 2);
        EXPECT_EQ(refused[1].text, c.refused.arg(path("bad.csv")));
        EXPECT_EQ(rows("Fl_dev"), before);

        const QList<RecordedBox> imported = import(path("good.csv"), {0, kAnswerYes});
        ASSERT_EQ(imported.size(), 2);
        EXPECT_TRUE(imported[0].text.startsWith(c.question.arg(4)));
        EXPECT_EQ(imported[1].text, c.preview.arg(path("good.csv")));
        EXPECT_EQ(rows("Fl_dev"), (QStringList{"Luce più forte|0|dimmer|11", "Tapparella|0|autom.|21",
                                               "Presa|0|on/off|31", "Nuova|0|on/off|41", before[3]}));
        trigger("mUndo");
        EXPECT_EQ(rows("Fl_dev"), before);
        EXPECT_TRUE(modified());
    }
}

} // namespace
} // namespace velto::testing
