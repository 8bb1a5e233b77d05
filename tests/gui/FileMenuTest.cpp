// Save and Open as the window does them: the dialogs, the status, the boxes, failed saves, and
// configurations that go out to a file and come back. What the file holds is the core tests' part.
#include "ConfReader.h"
#include "ConfWriter.h"
#include "RecordEditor.h"
#include "WindowFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <system_error>

namespace velto::testing {
namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// Writes a conf.xml of the given lines between the root tags, each ended with CR LF.
void WriteConf(const QString& path, const QList<QByteArray>& lines) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write("<ACTUATOR>\r\n" + lines.join("\r\n") + "\r\n</ACTUATOR>\r\n");
}

const QByteArray kVersion = R"(<version number="1.0.4"></version>)";

class FileMenu : public WindowFixture {
protected:
    QString path(const QString& name) const { return folder.filePath(name); }
    void save(const QString& target) {
        toolkit.expectDialog(target);
        trigger("mSave");
    }
    // Opens without unsaved changes, so without the question.
    void open(const QString& target) {
        ASSERT_FALSE(window->dirty());
        toolkit.expectDialog(target);
        trigger("mOpen");
    }
    // Both commands ask alike, in the program's own folder; only the mode differs.
    void expectLastRequest(int mode) const {
        const FileDialogRequest& r = toolkit.dialogs().back();
        EXPECT_EQ(r.owner, window.get());
        EXPECT_EQ(r.mode, mode);
        EXPECT_EQ((QStringList{r.title, r.fileName, r.filter, r.initialFolder, r.defaultExtension}),
                  (QStringList{"File xml", "conf.xml", QString("xml file") + QChar(0) + "*.xml" + QChar(0),
                               QCoreApplication::applicationDirPath(), ""}));
    }
    // What the window shows of the configuration: every grid and the group and auxiliary lists.
    QStringList shown() const {
        QStringList all;
        for (const TabControls& c : Tabs())
            all << rows(c.grid).join(" / ");
        return all << items("Lgru").join(',') << items("Laux").join(',') << items("Cgru").join(',');
    }

    QTemporaryDir folder;
};

// Save writes the tables to the chosen file and clears the flag; a cancelled dialog changes
// nothing; an edit in progress is cancelled and not written.
TEST_F(FileMenu, SaveWritesTheTablesAndEndsAnyEdit) {
    add(0, {"Lamp", "1", "0", "5"});
    add(3, {"Entrance", "0", "1", "4001"});
    save(path("conf.xml"));
    expectLastRequest(kSaveMode);
    EXPECT_EQ(ReadBytes(path("conf.xml")).toStdString(), WriteConfig(model()));
    EXPECT_EQ(window->statusText(), path("conf.xml"));
    EXPECT_FALSE(window->dirty());

    add(4, {"Night", "1", "0", "12"});
    save("");
    EXPECT_TRUE(window->dirty());
    EXPECT_EQ(window->statusText(), path("conf.xml"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"conf.xml"});

    save(path("conf.xml"));
    const QByteArray saved = ReadBytes(path("conf.xml"));
    clickTab(3);
    selectRow("Fl_cam", 1);
    click("CmodW");
    set("TnameW", "Changed");
    save(path("during.xml"));
    EXPECT_EQ(window->editor(3).mode(), EditMode::Browsing);
    EXPECT_EQ(box("TnameW")->text(), "");
    EXPECT_EQ(ReadBytes(path("during.xml")), saved);
}

// A failed save shows the system's reason and keeps the old file, the flag and the status.
TEST_F(FileMenu, AFailedSaveKeepsTheOldFileAndSaysWhy) {
    add(0, {"Lamp", "", "0", "12"});
    save(path("first.xml"));
    add(0, {"Fan", "", "2", "15"});
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.xml"));
    WriteConf(path("conf.xml"), {kVersion, R"(<load name="Old" priority="1"></load>)"});
    const QByteArray old = ReadBytes(path("conf.xml"));

    struct Case {
        const char* target;
        int error;
        rlim_t sizeLimit;
    };
    for (const Case& c : {Case{"folder.xml", EISDIR, RLIM_INFINITY}, Case{"conf.xml", EFBIG, 32}}) {
        SCOPED_TRACE(c.target);
        toolkit.expectDialog(path(c.target));
        toolkit.expectBox(kAnswerOk);
        // Past the size limit the disk reads as full.
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limited{std::min(c.sizeLimit, saved.rlim_cur), saved.rlim_max};
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &limited);
        trigger("mSave");
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);

        EXPECT_EQ(onlyBox(), (RecordedBox{QString::fromStdString(std::generic_category().message(c.error)),
                                          "velto-configurator", Buttons::Ok, Icon::Critical}));
        EXPECT_TRUE(window->dirty());
        EXPECT_EQ(window->statusText(), path("first.xml"));
        EXPECT_EQ(ReadBytes(path("conf.xml")), old);
    }
}

TEST_F(FileMenu, CancellingOpenKeepsTheConfigurationAndEndsTheEdit) {
    add(0, {"Lamp", "", "0", "12"});
    save(path("conf.xml"));
    const QStringList before = shown();
    selectRow("Fl_dev", 1);
    click("Cmod");
    type("Tname", "Changed");
    open("");
    expectLastRequest(kOpenMode);
    EXPECT_EQ(window->editor(0).mode(), EditMode::Browsing);
    EXPECT_EQ(box("Tname")->text(), "");
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(window->statusText(), path("conf.xml"));
    EXPECT_FALSE(window->dirty());
}

// The status shows the path and the file's version, none here, after the notices in order.
TEST_F(FileMenu, NoticesAreShownInOrderInTheLanguageInForce) {
    WriteConf(path("conf.xml"),
              {R"(<device name="Lamp" point="12" group="" type="1"></device>)",
               R"(<device name="Again" point="12" group="" type="1"></device>)",
               R"(<group name="Lights" group="10"></group>)", R"(<probe name="Hall" number="5"></probe>)",
               R"(<probe name="Hall too" number="5"></probe>)"});
    // clang-format off
    const struct { const char* language; QStringList texts; } cases[] = {
        {"mIta", {"Versione obsoleta del file Xml", "Attuatore 12 duplicato", "Gruppo non valido: 10 - Lights", "Sonda 5 temperatura duplicata"}},
        {"mEng", {"Old version of file Xml", "Actuator 12 duplicate", "Invalid group: 10 - Lights", "Probe 5 duplicate"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        trigger(c.language);
        for (int i = 0; i < c.texts.size(); ++i)
            toolkit.expectBox(kAnswerOk);
        open(path("conf.xml"));
        QList<RecordedBox> expected;
        for (const QString& text : c.texts)
            expected.append({text, "Velto-Configurator", Buttons::Ok, Icon::None});
        EXPECT_EQ(toolkit.takeBoxes(), expected);
        EXPECT_EQ(rows("Fl_dev"), QStringList{"Lamp|0|dimmer|12"});
        EXPECT_EQ(rows("Fl_prob"), QStringList{"Hall|5"});
        EXPECT_EQ(items("Lgru").join(','), "1 ,2 ,3 ,4 ,5 ,6 ,7 ,8 ,9 ");
        EXPECT_EQ(window->statusText(), path("conf.xml") + " (V.)");
        EXPECT_FALSE(window->dirty());
    }
}

TEST_F(FileMenu, AStopKeepsWhatCameBeforeIt) {
    WriteConf(path("conf.xml"),
              {kVersion, R"(<device name="Lamp" point="12" group="3" type="1"></device>)",
               R"(<group name="Kitchen" group="3"></group>)", R"(<group name="Broken" group="-1"></group>)",
               R"(<load name="Oven" priority="2"></load>)"});
    trigger("mEng");
    toolkit.expectBox(kAnswerOk);
    open(path("conf.xml"));
    EXPECT_EQ(onlyBox(),
              (RecordedBox{"Invalid parameters in the file conf.xml", "Error", Buttons::Ok, Icon::Critical}));
    EXPECT_EQ(rows("Fl_dev"), QStringList{"Lamp|3|dimmer|12"});
    EXPECT_EQ(items("Lgru")[2], "3 Kitchen");
    EXPECT_TRUE(emptyGrid("Fl_gru"));
    EXPECT_EQ(window->statusText(), path("conf.xml") + " (V.1.0.4)");
    EXPECT_FALSE(window->dirty());
}

TEST_F(FileMenu, AFileThatIsNotXmlLeavesEverythingEmpty) {
    const QByteArray notXml = "<ACTUATOR>\r\n<device name=\"Lamp\" point=\"12\"\r\n";
    QFile file(path("conf.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(notXml) == notXml.size());
    file.close();
    std::string reason, version;
    ConfigModel scratch;
    LoadConfigBytes(notXml.toStdString(), scratch, version, [&](const Notice& n) { reason = n.reason; });
    ASSERT_FALSE(reason.empty());

    FillModel(model());
    add(0, {"Fan", "", "2", "15"}); // unsaved, and dropped on No
    toolkit.expectBox(kAnswerNo);
    toolkit.expectBox(kAnswerOk);
    toolkit.expectDialog(path("conf.xml"));
    trigger("mOpen");
    const QList<RecordedBox> boxes = toolkit.takeBoxes();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1], (RecordedBox{QString::fromStdString(reason), "velto-configurator", Buttons::Ok,
                                     Icon::Critical}));
    for (const TabControls& c : Tabs())
        EXPECT_TRUE(emptyGrid(c.grid)) << c.grid;
    EXPECT_EQ(items("Lgru").join(','), "1 ,2 ,3 ,4 ,5 ,6 ,7 ,8 ,9 ");
    EXPECT_EQ(model().DeviceTable[37].name, "");
    EXPECT_EQ(window->statusText(), path("conf.xml") + " (V.)");
    EXPECT_FALSE(window->dirty());
}

// A device beyond the grid's addresses is cleared with the rest when the next file is opened, and
// a Windows-1252 file reads with its accents.
TEST_F(FileMenu, OpeningTheSameFileTwiceFindsNoDuplicate) {
    WriteConf(path("conf.xml"), {kVersion, R"(<device name="Far" point="150" group="" type="2"></device>)",
                                 "<device name=\"Caf\xe9\" point=\"12\" group=\"\" type=\"1d\"></device>",
                                 "<probe name=\"Citt\xe0 \x80 &amp; co\" number=\"4\"></probe>"});
    for (int time = 1; time <= 2; ++time) {
        SCOPED_TRACE(time);
        open(path("conf.xml"));
        EXPECT_TRUE(toolkit.takeBoxes().isEmpty());
        EXPECT_EQ(window->statusText(), path("conf.xml") + " (V.1.0.4)");
        EXPECT_EQ(model().DeviceTable[150].name, "Far");
        EXPECT_EQ(rows("Fl_dev"), QStringList{"Café|0|on/off|12"});
        EXPECT_EQ(rows("Fl_prob"), QStringList{"Città € & co|4"});
    }
}

// Whatever the user can enter comes back from the file as it was entered.
TEST_F(FileMenu, EveryTabComesBackFromTheFile) {
    // clang-format off
    const struct { int tab; QStringList values; const char* row; } records[] = {
        {0, {"Lamp \"big\" & <bright>", "1", "0", "12"}, "Lamp \"big\" & <bright>|2|dimmer|12"},
        {0, {"Tab\there", "", "2", "3"}, "Tab\there|0|on/off|3"},
        {0, {"Città €", "7", "1", "99"}, "Città €|8|autom.|99"},
        {1, {"Forno à l'ancienne", "15"}, "Forno à l'ancienne|16"},
        {1, {"Ωmega", "0"}, "Ωmega|1"},
        {2, {"Soggiorno\t\"sud\"", "98"}, "Soggiorno\t\"sud\"|99"},
        {3, {"Cancello è", "4", "1", "4100"}, "Cancello è|4100|5|Pubblico"},
        {3, {"Porta & co", "11", "0", "4000"}, "Porta & co|4000|12|Privato"},
        {4, {"Notte <tutta> ñ", "6", "3", "4"}, "Notte <tutta> ñ|4#4#3|7"},
        {4, {"Giorno", "15", "0", "98"}, "Giorno|98|16"},
    };
    // clang-format on
    nameSlot("Lgru", "Tngru", 3, "Caffè \"Bar\"");
    nameSlot("Lgru", "Tngru", 9, "<Attic>");
    nameSlot("Laux", "TnameA", 2, "Bell & Gong ü");
    for (const auto& r : records)
        add(r.tab, r.values);
    const QStringList before = shown();
    EXPECT_TRUE(before.join(',').contains("3 Caffè \"Bar\",") &&
                before.join(',').contains("2 Bell & Gong ü,"));

    save(path("conf.xml"));
    trigger("mNew");
    ASSERT_TRUE(emptyGrid("Fl_dev"));
    open(path("conf.xml"));
    EXPECT_TRUE(toolkit.takeBoxes().isEmpty());
    EXPECT_EQ(shown(), before);
    for (const auto& r : records)
        EXPECT_TRUE(rows(Tabs()[r.tab].grid).contains(r.row)) << r.row;
}

// The text of a PDF, pages separated by form feeds, as poppler's pdftotext extracts it.
QString PdfText(const QString& pdf) {
    QProcess extract;
    extract.start("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(extract.waitForFinished()) << "pdftotext (poppler-utils) did not run";
    EXPECT_EQ(extract.exitCode(), 0) << extract.readAllStandardError().toStdString();
    return QString::fromUtf8(extract.readAllStandardOutput());
}

// The report goes out in the format the typed extension names, else the chosen filter's, in the
// language in force; the dialog proposes the current file's name; the printer gets the same pages.
TEST_F(FileMenu, ReportGoesToPdfHtmlOrAPrinter) {
    FillModel(model());
    model().DeviceTable[20] = {"Città più", false, 3, "1", 0, 3};
    window->RefreshAllViews();
    save(path("site.xml"));
    const QList<QAction*> commands = find<QMenu>("mFile")->actions();
    const auto at = [&](const char* name) { return commands.indexOf(find<QAction>(name)); };
    EXPECT_TRUE(at("mReport") == at("mSave") + 1 && at("mPrint") == at("mSave") + 2);
    struct Case {
        const char *typed, *filter, *written;
        bool italian;
    };
    for (const Case& c : {Case{"a.pdf", "HTML", "a.pdf", false}, Case{"b", "PDF", "b.pdf", true},
                          Case{"c", "HTML", "c.html", false}, Case{"d.HTML", "PDF", "d.HTML", true}}) {
        SCOPED_TRACE(c.typed);
        trigger(c.italian ? "mIta" : "mEng");
        toolkit.expectDialog(path(c.typed), c.filter);
        trigger("mReport");
        const FileDialogRequest& r = toolkit.dialogs().back();
        EXPECT_EQ((QStringList{r.title, r.fileName, r.filter, r.initialFolder}),
                  (QStringList{c.italian ? "Esporta rapporto" : "Export report", "site.pdf",
                               QString("PDF%1*.pdf%1HTML%1*.html;*.htm%1").arg(QChar(0)), folder.path()}));
        const QString text = QString(c.written).endsWith("pdf")
                                 ? PdfText(path(c.written))
                                 : QString::fromUtf8(ReadBytes(path(c.written)));
        for (const char* expected :
             {c.italian ? "Rapporto di installazione" : "Installation report",
              c.italian ? "Pubblico" : "Local rise", "site.xml", "Città più", "Evening"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }
    const QStringList pages = PdfText(path("a.pdf")).split('\f', Qt::SkipEmptyParts);
    EXPECT_EQ(pages.size(), 7); // the facts and the first table, then one page per table
    for (int page = 0; page < pages.size(); ++page)
        EXPECT_EQ(pages[page].trimmed().split('\n').back().trimmed(), QString::number(page + 1));

    toolkit.expectPrint(path("printed.pdf"));
    trigger("mPrint");
    EXPECT_TRUE(PdfText(path("printed.pdf")).contains("Rapporto di installazione"));
    toolkit.expectPrint("");
    trigger("mPrint");

    toolkit.expectDialog(path("missing/report.pdf"));
    toolkit.expectBox(kAnswerOk);
    trigger("mReport");
    EXPECT_EQ(onlyBox(), (RecordedBox{QString::fromStdString(std::generic_category().message(ENOENT)),
                                      "velto-configurator", Buttons::Ok, Icon::Critical}));
}

} // namespace
} // namespace velto::testing
