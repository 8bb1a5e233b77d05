// The file menu as the window runs it; what a file holds is the core tests' part.
#include "WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QProcess>
#include <system_error>
#include <unistd.h>

namespace velto::testing {
namespace {

// Writes a conf.xml of the given lines between the root tags, each ended with CR LF.
void WriteConf(const QString& path, const QList<QByteArray>& lines) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<ACTUATOR>\r\n" + lines.join("\r\n") + "\r\n</ACTUATOR>\r\n");
}

// Root may write anywhere: until the result goes, the process runs as nobody, an installed copy's user.
std::shared_ptr<void> AsNobody() {
    if (::geteuid() != 0)
        return {};
    EXPECT_TRUE(::setresgid(65534, 65534, 0) == 0 && ::setresuid(65534, 65534, 0) == 0);
    return {nullptr, [](void*) { EXPECT_TRUE(::setresuid(0, 0, 0) == 0 && ::setresgid(0, 0, 0) == 0); }};
}

const QByteArray kVersion = R"(<version number="1.0.4"></version>)";

class FileMenu : public WindowFixture {
protected:
    QString path(const QString& name) const { return folder.filePath(name); }
    // The status text, then "*" while there are unsaved changes.
    QString status() const { return window->statusText() + (window->dirty() ? "*" : ""); }
    void save(const QString& target) {
        toolkit.expectDialog(target);
        trigger("mSave");
    }
    void open(const QString& target) {
        ASSERT_FALSE(window->dirty());
        toolkit.expectDialog(target);
        trigger("mOpen");
    }
    // What the window shows of the configuration: every grid, then the group and auxiliary lists.
    QStringList shown() const {
        QStringList all;
        for (const TabControls& c : Tabs())
            all << rows(c.grid).join('/');
        return all << items("Lgru").join(',') << items("Laux").join(',');
    }

    // Drops the urls on the window: true when the window takes them.
    bool drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window.get(), &enter);
        QApplication::sendEvent(window.get(), &dropped);
        return enter.isAccepted() && dropped.isAccepted();
    }
    QStringList recent() const {
        QStringList paths;
        for (const QAction* action : find<QMenu>("mRecent")->actions())
            paths << action->text();
        return paths;
    }

    QTemporaryDir folder;
};

// Where Open and Save start, the name they propose and the title, through a user's day and restarts.
TEST_F(FileMenu, DialogsStartWhereTheUserLastWorked) {
    ASSERT_TRUE(QDir(folder.path()).mkpath("a") && QDir(folder.path()).mkpath("b"));
    WriteConf(path("a/casa.xml"), {kVersion});
    const QString documents = toolkit.documentsDir, plain = "Velto-Configurator V.1.0";
    // clang-format off
    const struct { const char* step; std::function<void()> act; QString folder, name, title; bool asNobody = false; } steps[] = {
        {"first use", [&] { toolkit.programDir = folder.path(), startWindow(); }, folder.path(), "conf.xml", plain},
        {"first use, installed", [&] { toolkit.programDir = "/usr/bin"; }, documents, "conf.xml", plain, true},
        {"Open", [&] { open(path("a/casa.xml")); }, path("a"), "casa.xml", "casa.xml[*] - " + plain},
        {"an edit", [&] { add(1, {"Oven", "1"}), click("CnewC"); }, path("a"), "casa.xml", "casa.xml[*] - " + plain + " (modified)"},
        {"Save", [&] { save(path("b/copy")); }, path("b"), "copy.xml", "copy.xml[*] - " + plain},
        {"New", [&] { trigger("mNew"); }, path("b"), "conf.xml", plain},
        {"an edit, unnamed", [&] { add(1, {"Oven", "1"}); }, path("b"), "conf.xml", "Senza nome[*] - " + plain + " (modified)"},
        {"restart", [&] { toolkit.programDir = path("missing"), startWindow(); }, path("b"), "conf.xml", plain},
        {"remembered folder gone", [&] { QDir(path("b")).removeRecursively(); startWindow(); }, documents, "conf.xml", plain},
    };
    // clang-format on
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        s.act();
        EXPECT_EQ(window->windowTitle() + (window->isWindowModified() ? " (modified)" : ""), s.title);
        const std::shared_ptr<void> user = s.asNobody ? AsNobody() : nullptr;
        // An Open, which ends any edit, and a Save, both cancelled.
        if (window->dirty())
            toolkit.expectBox(kAnswerNo);
        toolkit.expectDialog("");
        trigger("mOpen");
        EXPECT_EQ(window->editor(1).mode(), EditMode::Browsing);
        save("");
        const QString xml = QString("xml file") + QChar(0) + "*.xml" + QChar(0);
        for (const int mode : {kOpenMode, kSaveMode}) {
            const FileDialogRequest& r = toolkit.dialogs()[toolkit.dialogs().size() - 1 - mode];
            const bool open = mode == kOpenMode;
            EXPECT_TRUE(r.owner == window.get() && r.mode == mode);
            EXPECT_EQ(
                (QStringList{r.title, r.fileName, r.filter, r.initialFolder, r.defaultExtension}),
                (QStringList{"File xml", s.name, open ? xml + "All files" + QChar(0) + "*" + QChar(0) : xml,
                             s.folder, open ? "" : "xml"}));
        }
    }
}

// A file named at start-up replaces unsaved changes after the reader's notices, in the language in force.
TEST_F(FileMenu, AFileGivenAtStartUp) {
    const QByteArray lamp = R"(<device name="Lamp" point="12" group="3" type="1"></device>)";
    WriteConf(path("stop.xml"),
              {kVersion, lamp, R"(<group name="Kitchen" group="3"></group>)",
               R"(<group name="Broken" group="-1"></group>)", R"(<load name="Oven" priority="2"></load>)"});
    WriteConf(path("notices.xml"), {lamp, R"(<group name="Lights" group="10"></group>)"});
    WriteConf(path("broken.xml"),
              {R"(<load name="Forno è" priority="2"></lod>)"}); // columns count characters
    const QString nine = "1 ,2 ,3 ,4 ,5 ,6 ,7 ,8 ,9 ", empty = "     " + nine;
    // clang-format off
    const struct { const char *file, *language; QStringList boxes; QString title; Icon icon; const char* version; QString shown; } cases[] = {
        {"notices.xml", "ita", {"Versione obsoleta del file Xml", "Gruppo non valido: 10 - Lights"}, "Velto-Configurator", Icon::None, "", "Lamp|3|dimmer|12     " + nine},
        {"broken.xml", "ita", {"broken.xml, riga 2, colonna 37: Start-end tags mismatch"}, "velto-configurator", Icon::Critical, "", empty},
        {"missing.xml", "eng", {path("missing.xml") + ": No such file or directory"}, "velto-configurator", Icon::Critical, "", empty},
        {"stop.xml", "eng", {"Invalid parameters in the file conf.xml"}, "Error", Icon::Critical, "1.0.4", "Lamp|3|dimmer|12     1 ,2 ,3 Kitchen,4 ,5 ,6 ,7 ,8 ,9 "},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " in " + c.language);
        toolkit.settings.insert("option/language", c.language);
        startWindow();
        add(0, {"Fan", "", "2", "15"});
        QList<RecordedBox> expected;
        for (const QString& text : c.boxes) {
            expected.append({text, c.title, Buttons::Ok, c.icon});
            toolkit.expectBox(kAnswerOk);
        }
        window->openFile(path(c.file));
        EXPECT_EQ(toolkit.takeBoxes(), expected);
        EXPECT_EQ(shown().first(6).join(' '), c.shown);
        EXPECT_EQ((QStringList{status(), window->windowTitle()}),
                  (QStringList{path(c.file) + " (V." + c.version + ")",
                               QString(c.file) + "[*] - Velto-Configurator V.1.0"}));
    }
}

// The last eight files, newest first, across a restart; one dropped .xml file opens, anything else not.
TEST_F(FileMenu, RecentAndDroppedFiles) {
    for (int n = 1; n <= 9; ++n) {
        WriteConf(path(QString("f%1.xml").arg(n)), {kVersion});
        n == 9 ? save(path("f9.xml")) : open(path(QString("f%1.xml").arg(n)));
    }
    open(path("f5.xml"));
    const auto listed = [&](const QList<int>& numbers) {
        QStringList texts;
        for (int i = 0; i < numbers.size(); ++i)
            texts << QString("&%1 %2").arg(i + 1).arg(path(QString("f%1.xml").arg(numbers[i])));
        return texts;
    };
    EXPECT_EQ(recent(), listed({5, 9, 8, 7, 6, 4, 3, 2}));
    startWindow();
    EXPECT_EQ(recent(), listed({5, 9, 8, 7, 6, 4, 3, 2}));

    QFile::remove(path("f8.xml"));
    toolkit.expectBox(kAnswerOk);
    find<QMenu>("mRecent")->actions()[2]->trigger();
    EXPECT_EQ(onlyBox(), (RecordedBox{"Il file non esiste più: " + path("f8.xml"), "velto-configurator",
                                      Buttons::Ok, Icon::Critical}));
    EXPECT_EQ(recent(), listed({5, 9, 7, 6, 4, 3, 2}));
    find<QMenu>("mRecent")->actions()[6]->trigger();
    trigger("mEng"); // the path stays in the status through a language switch
    EXPECT_EQ(recent(), listed({2, 5, 9, 7, 6, 4, 3}));
    EXPECT_EQ(status(), path("f2.xml") + " (V.1.0.4)");

    add(1, {"Oven", "1"});
    const QUrl f1 = QUrl::fromLocalFile(path("f1.xml"));
    for (const QList<QUrl>& refused :
         {QList{f1, f1}, {QUrl::fromLocalFile(path("f1.txt"))}, {QUrl("http://example.com/f1.xml")}})
        EXPECT_FALSE(drop(refused)) << refused.front().toString().toStdString();
    for (const int answer : {kAnswerCancel, kAnswerNo}) {
        toolkit.expectBox(answer);
        EXPECT_TRUE(drop({f1}));
        EXPECT_EQ(window->dirty(), answer == kAnswerCancel);
    }
    EXPECT_EQ(recent(), listed({1, 2, 5, 9, 7, 6, 4, 3}));
}

// A failed save keeps the changes; Save ends any edit, and New then Open brings every tab and list back.
TEST_F(FileMenu, EveryTabComesBackFromTheFile) {
    // clang-format off
    const struct { int tab; QStringList values; } records[] = {
        {0, {"Lamp \"big\" & <bright>", "1", "0", "12"}}, {0, {"Tab\there", "", "2", "3"}}, {1, {"Forno à l'ancienne", "0"}},
        {2, {"Soggiorno\t\"sud\"", "98"}}, {3, {"Cancello è", "4", "1", "4100"}}, {3, {"Porta & co", "11", "0", "4000"}},
        {4, {"Notte <tutta> ñ", "6", "3", "4"}},
    };
    // clang-format on
    nameSlot("Lgru", "Tngru", 3, "Caffè \"Bar\"");
    nameSlot("Lgru", "Tngru", 9, "<Attic>");
    nameSlot("Laux", "TnameA", 2, "Bell & Gong ü");
    for (const auto& r : records)
        add(r.tab, r.values);
    const QStringList before = shown();
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.xml"));
    toolkit.expectBox(kAnswerOk);
    save(path("folder.xml"));
    EXPECT_EQ(onlyBox(), (RecordedBox{path("folder.xml") + ": " +
                                          QString::fromStdString(std::generic_category().message(EISDIR)),
                                      "velto-configurator", Buttons::Ok, Icon::Critical}));
    EXPECT_EQ(status(), "Nuovo file*");
    selectRow("Fl_cam", 1);
    click("CmodW");
    set("TnameW", "Changed");
    save(path("conf.xml"));
    EXPECT_EQ(status() + box("TnameW")->text(), path("conf.xml")); // nor the edit left open
    trigger("mNew");
    open(path("conf.xml"));
    EXPECT_EQ(shown(), before);
}

// A report's text: HTML as written, a PDF's as pdftotext (poppler) extracts it, pages split by form feeds.
QString ReportText(const QString& pdf) {
    if (QFile html(pdf); !pdf.endsWith("pdf"))
        return html.open(QIODevice::ReadOnly) ? QString::fromUtf8(html.readAll()) : "unreadable";
    QProcess extract;
    extract.start("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(extract.waitForFinished()) << "pdftotext (poppler-utils) did not run";
    EXPECT_EQ(extract.exitCode(), 0) << extract.readAllStandardError().toStdString();
    return QString::fromUtf8(extract.readAllStandardOutput());
}

// The report goes out as the typed extension, else the chosen filter, says, in the language in force.
TEST_F(FileMenu, ReportGoesToPdfHtmlOrAPrinter) {
    FillModel(model());
    model().DeviceTable[20] = {"Città più", false, 3, "1", 0, 3};
    window->RefreshAllViews();
    save(path("site.xml"));
    const QList<QAction*> commands = find<QMenu>("mFile")->actions();
    const auto at = [&](const char* name) { return commands.indexOf(find<QAction>(name)); };
    EXPECT_TRUE(at("mReport") == at("mSave") + 1 && at("mPrint") == at("mSave") + 2);
    // clang-format off
    const struct { const char *typed, *filter, *written; bool italian; } cases[] = {
        {"a.pdf", "HTML", "a.pdf", false}, {"b", "PDF", "b.pdf", true}, {"c", "HTML", "c.html", false}, {"d.HTML", "PDF", "d.HTML", true}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        trigger(c.italian ? "mIta" : "mEng");
        toolkit.expectDialog(path(c.typed), c.filter);
        trigger("mReport");
        const FileDialogRequest& r = toolkit.dialogs().back();
        EXPECT_EQ((QStringList{r.title, r.fileName, r.filter, r.initialFolder}),
                  (QStringList{c.italian ? "Esporta rapporto" : "Export report", "site.pdf",
                               QString("PDF%1*.pdf%1HTML%1*.html;*.htm%1").arg(QChar(0)), folder.path()}));
        const QString text = ReportText(path(c.written));
        for (const char* expected :
             {c.italian ? "Rapporto di installazione" : "Installation report",
              c.italian ? "Pubblico" : "Local rise", "site.xml", "Città più", "Evening"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }
    const QStringList pages = ReportText(path("a.pdf")).split('\f', Qt::SkipEmptyParts);
    EXPECT_EQ(pages.size(), 7); // the facts and the first table, then one page per table
    for (int page = 0; page < pages.size(); ++page)
        EXPECT_EQ(pages[page].trimmed().split('\n').back().trimmed(), QString::number(page + 1));

    trigger("mEng"); // the rows shown keep the language of their last refresh
    EXPECT_EQ(rows("Fl_cam").back(), "Gate|4100|5|Pubblico");
    toolkit.expectPrint(path("printed.pdf"));
    trigger("mPrint");
    EXPECT_TRUE(ReportText(path("printed.pdf")).contains("Installation report"));
    toolkit.expectPrint("");
    trigger("mPrint");

    toolkit.expectDialog(path("missing/report.pdf"));
    toolkit.expectBox(kAnswerOk);
    trigger("mReport");
    EXPECT_EQ(onlyBox(), (RecordedBox{path("missing/report.pdf") + ": No such file or directory",
                                      "velto-configurator", Buttons::Ok, Icon::Critical}));
}

} // namespace
} // namespace velto::testing
