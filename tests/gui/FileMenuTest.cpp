// The file menu as the window runs it; what a file holds is the core tests' part.
#include "WindowFixture.h"

#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <system_error>
#ifndef _WIN32
#include <unistd.h>
#endif

// The test program's allocation functions: while gFailingSize is set, an allocation of at least that
// many bytes fails as one does when memory runs out.
static std::atomic<std::size_t> gFailingSize = SIZE_MAX;

// GCC, seeing the new below inlined, takes its free for a mismatch: the pair is malloc and free.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return size < gFailingSize ? std::malloc(std::max<std::size_t>(size, 1)) : nullptr;
}
void* operator new(std::size_t size) {
    if (void* block = operator new(size, std::nothrow))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
#pragma GCC diagnostic pop

namespace velto::testing {
namespace {

// Writes a conf.xml of the given lines between the root tags, each ended with CR LF.
void WriteConf(const QString& path, const QList<QByteArray>& lines) {
    Put(path, "<ACTUATOR>\r\n" + lines.join("\r\n") + "\r\n</ACTUATOR>\r\n");
}

// Root may write anywhere: until the result goes, the process runs as nobody, an installed copy's user.
std::shared_ptr<void> AsNobody() {
#ifndef _WIN32
    if (::geteuid() == 0) {
        EXPECT_TRUE(::setresgid(65534, 65534, 0) == 0 && ::setresuid(65534, 65534, 0) == 0);
        return {nullptr, [](void*) { EXPECT_TRUE(::setresuid(0, 0, 0) == 0 && ::setresgid(0, 0, 0) == 0); }};
    }
#endif
    return {};
}

const QByteArray kVersion = R"(<version number="1.0.4"></version>)";

class FileMenu : public WindowFixture {
protected:
    QString path(const QString& name) const { return folder.filePath(name); }
    // The status text, then "*" while there are unsaved changes.
    QString status() const {
        return find<QLabel>("StBarPanel")->text() + (window->document().isModified() ? "*" : "");
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
#ifdef _WIN32
    const QString firstFolder = documents; // programs live apart from documents, writable or not
#else
    const QString firstFolder = folder.path();
#endif
    // clang-format off
    const struct { const char* step; std::function<void()> act; QString folder, name, title; bool asNobody = false; } steps[] = {
        {"first use", [&] { toolkit.programDir = folder.path(), startWindow(); }, firstFolder, "conf.xml", plain},
        {"first use, installed", [&] { toolkit.programDir = "/usr/bin"; }, documents, "conf.xml", plain, true},
        {"Open", [&] { open(path("a/casa.xml")); }, path("a"), "casa.xml", "casa.xml[*] - " + plain},
        {"an edit", [&] { add(1, {"Oven", "1"}), click("CnewC"); }, path("a"), "casa.xml", "casa.xml[*] - " + plain + "*"},
        {"Save", [&] { save(path("b/copy")); }, path("b"), "copy.xml", "copy.xml[*] - " + plain},
        {"New", [&] { trigger("mNew"); }, path("b"), "conf.xml", plain},
        {"an edit, unnamed", [&] { add(1, {"Oven", "1"}); }, path("b"), "conf.xml", "Senza nome[*] - " + plain + "*"},
        {"restart", [&] { toolkit.programDir = path("missing"), startWindow(); }, path("b"), "conf.xml", plain},
        {"remembered folder gone", [&] { QDir(path("b")).removeRecursively(); startWindow(); }, documents, "conf.xml", plain},
    };
    // clang-format on
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
#ifdef _WIN32
        if (s.asNobody)
            continue; // no other user to be: under Wine every folder is the user's to write
#endif
        s.act();
        EXPECT_EQ(title(), s.title);
        const std::shared_ptr<void> user = s.asNobody ? AsNobody() : nullptr;
        // An Open, which ends any edit, and a Save, both cancelled.
        if (window->document().isModified())
            toolkit.expectBox(kAnswerNo);
        open("");
        EXPECT_EQ(window->editor(1).mode(), EditMode::Browsing);
        save("");
        const QString xml = QString("xml file") + QChar(0) + "*.xml" + QChar(0);
        for (const FileDialogMode mode : {FileDialogMode::Open, FileDialogMode::Save}) {
            const FileDialogRequest& r = toolkit.dialogs()[toolkit.dialogs().size() - 1 - int(mode)];
            const bool open = mode == FileDialogMode::Open;
            EXPECT_TRUE(r.owner == window.get() && r.mode == mode);
            EXPECT_EQ(
                (QStringList{r.title, r.fileName, r.filter, r.initialFolder, r.defaultExtension}),
                (QStringList{"File xml", s.name, open ? xml + "All files" + QChar(0) + "*" + QChar(0) : xml,
                             s.folder, open ? "" : "xml"}));
        }
    }
}

// A file named at start-up replaces unsaved changes after the reader's notices, in the language in force;
// one that cannot be read leaves no trace but its folder, where that exists.
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
    const struct { const char *file, *language; QStringList boxes; QString title; Icon icon; const char* version; QString shown; bool current = true; } cases[] = {
        {"notices.xml", "ita", {"Versione obsoleta del file Xml", "Gruppo non valido: 10 - Lights"}, "Velto-Configurator", Icon::None, "", "Lamp|3|dimmer|12     " + nine},
        {"broken.xml", "ita", {"broken.xml, riga 2, colonna 37: Start-end tags mismatch"}, "velto-configurator", Icon::Critical, "", empty, false},
        {"missing.xml", "eng", {Shown(path("missing.xml")) + ": " + SystemText(ENOENT, 2)}, "velto-configurator", Icon::Critical, "", empty, false},
        {"gone/missing.xml", "eng", {Shown(path("gone/missing.xml")) + ": " + SystemText(ENOENT, 3)}, "velto-configurator", Icon::Critical, "", empty, false},
        {"stop.xml", "eng", {"Invalid parameters in the file conf.xml"}, "Error", Icon::Critical, "1.0.4", "Lamp|3|dimmer|12     1 ,2 ,3 Kitchen,4 ,5 ,6 ,7 ,8 ,9 "},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " in " + c.language);
        toolkit.settings = {{"option/language", c.language}};
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
        const QString name = QFileInfo(c.file).fileName(), title = "Velto-Configurator V.1.0";
        EXPECT_EQ((QStringList{status(), window->windowTitle(),
                               recent().join(' ').remove(Shown(folder.path() + '/')),
                               toolkit.settings.value("option/folder")}),
                  (QStringList{Shown(path(c.file)) + " (V." + c.version + ")",
                               c.current ? name + "[*] - " + title : title, c.current ? "&1 " + name : "",
                               name == c.file ? folder.path() : ""}));
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
            texts << QString("&%1 %2").arg(i + 1).arg(Shown(path(QString("f%1.xml").arg(numbers[i]))));
        return texts;
    };
    EXPECT_EQ(recent(), listed({5, 9, 8, 7, 6, 4, 3, 2}));
    startWindow();
    EXPECT_EQ(recent(), listed({5, 9, 8, 7, 6, 4, 3, 2}));

    QFile::remove(path("f8.xml"));
    toolkit.expectBox(kAnswerOk);
    find<QMenu>("mRecent")->actions()[2]->trigger();
    EXPECT_EQ(onlyBox(), (RecordedBox{"Il file non esiste più: " + Shown(path("f8.xml")),
                                      "velto-configurator", Buttons::Ok, Icon::Critical}));
    EXPECT_EQ(recent(), listed({5, 9, 7, 6, 4, 3, 2}));
    startWindow(); // the removal is stored, and no setting keeps the eighth entry of before
    EXPECT_EQ(recent(), listed({5, 9, 7, 6, 4, 3, 2}));
    EXPECT_EQ(QStringList(toolkit.settings.values()).filter(".xml").size(), 7);
    find<QMenu>("mRecent")->actions()[6]->trigger();
    trigger("mEng"); // the path stays in the status through a language switch
    EXPECT_EQ(recent(), listed({2, 5, 9, 7, 6, 4, 3}));
    EXPECT_EQ(status(), Shown(path("f2.xml")) + " (V.1.0.4)");

    add(1, {"Oven", "1"});
    const QUrl f1 = QUrl::fromLocalFile(path("f1.xml"));
    for (const QList<QUrl>& refused :
         {QList{f1, f1}, {QUrl::fromLocalFile(path("f1.txt"))}, {QUrl("http://example.com/f1.xml")}})
        EXPECT_FALSE(drop(refused)) << refused.front().toString().toStdString();
    for (const int answer : {kAnswerCancel, kAnswerNo}) {
        toolkit.expectBox(answer);
        EXPECT_TRUE(drop({f1}));
        EXPECT_EQ(window->document().isModified(), answer == kAnswerCancel);
    }
    EXPECT_EQ(recent(), listed({1, 2, 5, 9, 7, 6, 4, 3}));
}

// Save into the current file asks first when another program changed it since, No by default; a file
// deleted meanwhile, or another name, is simply written.
TEST_F(FileMenu, AChangeOnDiskIsNotLostSilently) {
    const QString file = path("conf.xml");
    WriteConf(file, {kVersion});
    open(file);
    add(1, {"Oven", "1"});
    WriteConf(file, {kVersion, "<!-- theirs -->"});
    const RecordedBox changed{
        "Il file " + Shown(file) +
            " è stato modificato da un altro programma dopo l'ultima apertura o salvataggio.\n"
            "Sostituirlo comunque?",
        "velto-configurator", Buttons::YesNoDefaultNo, Icon::Question};
    for (const int answer : {kAnswerNo, kAnswerYes}) {
        toolkit.expectBox(answer);
        save(file);
        EXPECT_EQ(onlyBox(), changed);
        EXPECT_EQ(QString(ReadAll(file)).contains("Oven") + window->document().isModified(), 1) << answer;
    }
    QFile::remove(file);
    save(file);
    WriteConf(file, {kVersion, "<!-- theirs -->"});
    save(path("other.xml"));
    EXPECT_TRUE(ReadAll(path("other.xml")).contains("Oven") && !window->document().isModified());
}

// A refused overwrite leaves the window holding the only copy of what it shows: the mark stays through
// undo and redo, and Exit asks. Another program's file is noticed whether it changed the file in place
// or renamed a new one over it with the same size and time.
TEST_F(FileMenu, ARefusedOverwriteKeepsTheMark) {
    const struct {
        const char* what;
        bool edited, byRename;
    } cases[] = {{"edited, changed in place", true, false}, {"unedited, replaced by a rename", false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        startWindow();
        const QString file = path("conf.xml"), theirs = path("theirs.xml");
        WriteConf(file, {kVersion, "<!-- ours -->"});
        open(file);
        if (c.edited) {
            add(1, {"Oven", "1"});
            save(file);
        }
        const QByteArray before = ReadAll(file);
        if (c.byRename) {
            Put(theirs, QByteArray(before).replace("ours", "mine"),
                QFileInfo(file).fileTime(QFileDevice::FileModificationTime));
            std::filesystem::rename(theirs.toStdString(), file.toStdString());
        } else {
            WriteConf(file, {kVersion, "<!-- theirs -->"});
        }
        toolkit.expectBox(kAnswerNo);
        save(file);
        EXPECT_EQ(onlyBox().buttons, Buttons::YesNoDefaultNo);
        for (const char* step : {"mUndo", "mRedo"}) {
            trigger(step);
            EXPECT_EQ(title(), "conf.xml[*] - Velto-Configurator V.1.0*") << step;
        }
        toolkit.expectBox(kAnswerCancel);
        trigger("mExit");
        EXPECT_EQ(onlyBox().buttons, Buttons::YesNoCancel);
        EXPECT_TRUE(window->isVisible());
    }
}

// A backup an unfinished save left beside the file is offered back when the file is opened: Yes puts it
// back and opens the file, No opens the file as it is and deletes the backup, Cancel leaves both.
TEST_F(FileMenu, ABackupAnUnfinishedSaveLeft) {
    const QString file = path("conf.xml"), backup = path(".conf.xml.velto-backup-1-0");
    const QByteArray half = "<ACTUATOR>\r\n<device name=\"La",
                     whole = "<ACTUATOR>\r\n" + kVersion + "\r\n" +
                             R"(<device name="Lamp" point="12" group="" type="1"></device>)" +
                             "\r\n</ACTUATOR>\r\n";
    const QDateTime made(QDate(2026, 1, 2), QTime(3, 4, 5));
    const RecordedBox question{
        "A save of " + Shown(file) + " did not finish: the file's previous contents are in " + Shown(backup) +
            ", of 2026-01-02 03:04:05.\nRestore them? Yes puts them back, No opens the file as "
            "it is and deletes the copy.",
        "velto-configurator", Buttons::YesNoCancel, Icon::Question};
    const RecordedBox broken{"conf.xml, line 2, column 15: Error parsing element attribute",
                             "velto-configurator", Buttons::Ok, Icon::Critical};
    // clang-format off
    const struct { int answer; QList<RecordedBox> boxes; QByteArray left; bool backupKept; QString status, devices; } cases[] = {
        {kAnswerCancel, {question}, half, true, "New file", ""},
        {kAnswerNo, {question, broken}, half, false, Shown(file) + " (V.)", ""},
        {kAnswerYes, {question}, whole, false, Shown(file) + " (V.1.0.4)", "Lamp|0|dimmer|12"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        Put(file, half);
        Put(backup, whole, made);
        toolkit.settings.insert("option/language", "eng");
        startWindow();
        toolkit.expectBox(c.answer);
        if (c.boxes.size() > 1)
            toolkit.expectBox(kAnswerOk);
        window->openFile(file);
        EXPECT_EQ(toolkit.takeBoxes(), c.boxes);
        EXPECT_EQ(ReadAll(file), c.left);
        EXPECT_EQ(QFile::exists(backup), c.backupKept);
        EXPECT_EQ(QStringList({status(), rows("Fl_dev").join('/')}), QStringList({c.status, c.devices}));
    }
}

// Save ends any edit, and New then Open brings every tab and list back.
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
    selectRow("Fl_cam", 1);
    click("CmodW");
    set("TnameW", "Changed");
    save(path("conf.xml"));
    EXPECT_EQ(status() + box("TnameW")->text(), Shown(path("conf.xml"))); // nor the edit left open
    trigger("mNew");
    open(path("conf.xml"));
    EXPECT_EQ(shown(), before);
}

// What a poppler-utils program prints.
QString Poppler(const QStringList& command) {
    QProcess tool;
    tool.start(command[0], command.mid(1));
    EXPECT_TRUE(tool.waitForFinished() && tool.exitCode() == 0) << command.join(' ').toStdString();
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// A report's text: HTML as written, a PDF's as pdftotext extracts it, pages split by form feeds.
QString ReportText(const QString& file) {
    if (QFile html(file); !file.endsWith("pdf"))
        return html.open(QIODevice::ReadOnly) ? QString::fromUtf8(html.readAll()) : "unreadable";
    return Poppler({"pdftotext", "-layout", file, "-"});
}

// A save or a report that fails, for want of memory while its bytes are made as for any other reason,
// shows why and loses nothing: the files on disk, the changes and their unsaved mark stay as they were.
TEST_F(FileMenu, AFailedWriteLosesNothing) {
    const std::size_t huge = 1 << 18; // no other allocation of the window comes near
    model().DeviceTable[5] = {std::string(huge, 'x'), false, 1, "1", 0, 5};
    window->RefreshAllViews();
    save(path("conf.xml"));
    add(1, {"Oven", "1"});
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.xml"));
    const auto state = [&] { return shown() << status() << title(); };
    const QStringList before = state();
    ASSERT_TRUE(before.back().endsWith('*'));
    const QByteArray saved = ReadAll(path("conf.xml"));
    // clang-format off
    const struct { const char* file; std::size_t failing; QString reason; } cases[] = {
        {"conf.xml", huge, "std::bad_alloc"}, {"conf.pdf", 1 << 12, "std::bad_alloc"}, // the report names it shortened, in a few kilobytes
        {"folder.xml", SIZE_MAX, SystemText(EISDIR)}, {"missing/report.html", SIZE_MAX, SystemText(ENOENT, 3)}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const bool report = !QString(c.file).endsWith("xml");
        if (report)
            toolkit.expectForm(Project());
        toolkit.expectDialog(path(c.file));
        toolkit.expectBox(kAnswerOk);
        gFailingSize = c.failing;
        trigger(report ? "mReport" : "mSave");
        gFailingSize = SIZE_MAX;
        EXPECT_EQ(onlyBox(), (RecordedBox{Shown(path(c.file)) + ": " + c.reason, "velto-configurator",
                                          Buttons::Ok, Icon::Critical}));
        EXPECT_TRUE(state() == before); // not printed: the long name
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"conf.xml"});
        EXPECT_EQ(ReadAll(path("conf.xml")), saved);
    }
}

// The report opens with the project information asked for (the installer's kept for every file, the rest for
// its file) and ends with the signatures; a dozen records fill one page. It goes out as the typed extension,
// whatever the filter, else the chosen filter, says, or to the printer from the preview.
TEST_F(FileMenu, ReportGoesToPdfHtmlOrAPrinter) {
#ifdef _WIN32
    GTEST_SKIP() << "reads the PDFs back with poppler's tools, which are Linux programs";
#endif
    FillModel(model());
    model().DeviceTable[20] = {"Città più", false, 3, "1", 0, 3};
    model().Mh200ScenarioTable[7] = {"Away", "0099", "9999"}; // a dozen records, every table used
    window->RefreshAllViews();
    toolkit.expectBox(kAnswerYes); // the file leaves the MH200 scenario out
    save(path("site.xml"));
    toolkit.takeBoxes();
    const QList<QAction*> commands = find<QMenu>("mFile")->actions();
    const auto at = [&](const char* name) { return commands.indexOf(find<QAction>(name)); };
    EXPECT_TRUE(at("mReport") == at("mSave") + 1 && at("mPrint") == at("mSave") + 2);
    const auto report = [&](const QString& typed, const QString& filter = "PDF",
                            std::function<bool(QDialog&)> form = Project()) {
        toolkit.expectForm(form);
        toolkit.expectDialog(path(typed), filter);
        trigger("mReport");
    };
    const auto inWords = [](const QDate& date, bool italian) {
        return QLocale(italian ? QLocale::Italian : QLocale::English).toString(date, "d MMMM yyyy");
    };
    const QDate today = QDate::currentDate();
    // clang-format off
    const struct { const char *typed, *filter, *written; bool italian; } cases[] = {
        {"a.pdf", "HTML", "a.pdf", false}, {"b", "PDF", "b.pdf", true}, {"c", "HTML", "c.html", false}, {"d.HTML", "PDF", "d.HTML", true},
        {"x.htm", "PDF", "x.htm", false}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        trigger(c.italian ? "mIta" : "mEng");
        report(c.typed, c.filter);
        const FileDialogRequest& r = toolkit.dialogs().back();
        EXPECT_EQ((QStringList{r.title, r.fileName, r.filter, r.initialFolder}),
                  (QStringList{c.italian ? "Esporta rapporto" : "Export report", "site.pdf",
                               QString("PDF%1*.pdf%1HTML%1*.html;*.htm%1").arg(QChar(0)), folder.path()}));
        const QString text = ReportText(path(c.written));
        for (const QString& expected :
             QStringList{c.italian ? "Rapporto di installazione" : "Installation report",
                         c.italian ? "Pubblico" : "Local rise", "site.xml", "Città più", "Evening",
                         inWords(today, c.italian)})
            EXPECT_TRUE(text.contains(expected)) << expected.toStdString();
        EXPECT_FALSE(text.contains(folder.path()) || text.contains(c.italian ? "Indirizzo" : "Site address"));
    }
    EXPECT_EQ(QString(ReadAll(path("c.html"))).count("<p class=\"heading\">"), 1); // above the title only
    EXPECT_EQ(rows("Fl_cam").back(), "Gate|4100|5|Pubblico"); // the language of the last refresh
    EXPECT_TRUE(Poppler({"pdfinfo", path("a.pdf")}).contains(QRegularExpression("Pages: +1\n")));
    // Words, not the page numbers, at least 9 pt: a word's box is about 1.15 times the size of its type.
    double smallest = 99;
    for (const auto& m : QRegularExpression(R"re(yMin="([0-9.]+)" xMax="[0-9.]+" yMax="([0-9.]+)">[^0-9<])re")
                             .globalMatch(Poppler({"pdftotext", "-bbox", path("a.pdf"), "-"})))
        smallest = std::min(smallest, m.captured(2).toDouble() - m.captured(1).toDouble());
    EXPECT_GT(smallest, 9 * 1.1);

    // The project information in its places, the date as typed in words or by numbers, the notes cut to
    // twenty lines; the heading and the page number on top. What was given is proposed again, the date
    // kept as ISO.
    trigger("mIta");
    QString notes = "Chiavi";
    for (int line = 2; line <= 25; ++line)
        notes += QString("\nRiga %1").arg(line);
    // clang-format off
    report("handover.pdf", "PDF", Project({{"Tcliente", "Anna Bianchi"}, {"Tsito", "Via Roma 1, Città"}, {"Tinstallatore", "Mario Rossi"},
                                           {"Tditta", "Rossi Impianti"}, {"Tdata", "7 dicembre 2026"}, {"Tnote", notes}}));
    const QString handover = ReportText(path("handover.pdf")).simplified();
    EXPECT_TRUE(handover.contains(QRegularExpression(
        "^Anna Bianchi · Via Roma 1, Città · site.xml pagina 1 di 2 Rapporto di installazione Cliente Anna Bianchi Data 7 dicembre 2026 "
        "Indirizzo (dell'impianto )?Via Roma 1, Città File site.xml (dell'impianto )?SHA-256: [0-9a-f ]+ Installatore Mario Rossi Ditta Rossi Impianti "
        "Prodotto il [0-9]+ [a-z]+ 20[0-9]{2}, [0-9]{2}:[0-9]{2} Note: Chiavi Riga 2 .* Riga 20 Attuatori .* "
        "Anna Bianchi · Via Roma 1, Città · site.xml pagina 2 di 2 .* Installatore Cliente "
        "Nome: Mario Rossi, Rossi Impianti Nome: Anna Bianchi Data: 7 dicembre 2026 Data: 7 dicembre 2026 Firma: _{30} Firma: _{30}$")))
        << handover.toStdString();
    // clang-format on
    EXPECT_EQ(toolkit.settings.value(toolkit.settings.keys().filter("/date").value(0)), "2026-12-07");
    const auto proposes = [&](const QStringList& expected) {
        toolkit.expectForm([&](QDialog& dialog) {
            QStringList shown{dialog.findChild<QPlainTextEdit*>("Tnote")->toPlainText(),
                              dialog.findChild<QDateEdit*>("Tdata")->text()};
            for (const char* name : {"Tcliente", "Tsito", "Tinstallatore", "Tditta"})
                shown << dialog.findChild<QLineEdit*>(name)->text();
            EXPECT_EQ(shown, expected);
            return Project({}, "CannR")(dialog); // and no file dialog follows
        });
        trigger("mReport");
    };
    notes = notes.section('\n', 0, 19);
    proposes(
        {notes, "7 dicembre 2026", "Anna Bianchi", "Via Roma 1, Città", "Mario Rossi", "Rossi Impianti"});
    save(path("other.xml"));
    trigger("mEng");
    proposes({"", inWords(today, false), "", "", "Mario Rossi", "Rossi Impianti"});
    // Notes remembered from before there was a bound are proposed cut to it.
    for (QString& value : toolkit.settings)
        if (value.startsWith("Chiavi"))
            value += QString("\nmore").repeated(50000);
    open(path("site.xml"));
    proposes(
        {notes, "7 December 2026", "Anna Bianchi", "Via Roma 1, Città", "Mario Rossi", "Rossi Impianti"});
    trigger("mIta");

    // A name the program completes asks before replacing a file of the final name: the report's and Save's.
    for (const int answer : {kAnswerNo, kAnswerYes}) {
        QList<RecordedBox> asked;
        for (const QString& file : {path("b.pdf"), path("other2.xml")}) {
            Put(file, "old");
            toolkit.expectBox(answer);
            asked.append({Shown(file) + " esiste già.\nSostituirlo?", "velto-configurator", Buttons::YesNo,
                          Icon::Question});
        }
        report("b");
        save(path("other2"));
        EXPECT_EQ(toolkit.takeBoxes(), asked);
        for (const QString& file : {path("b.pdf"), path("other2.xml")})
            EXPECT_EQ(ReadAll(file) == "old", answer == kAnswerNo) << file.toStdString();
    }

    // The villa, printed: two pages, the signatures on the second.
    open(QString(VELTO_TEST_DATA_DIR) + "/../../examples/villa.xml");
    trigger("mEng");
    int pages = 0;
    toolkit.expectForm(Project());
    toolkit.expectPreview(path("printed.pdf"), &pages);
    trigger("mPrint");
    EXPECT_TRUE(pages == 2 && ReportText(path("printed.pdf")).contains("Signature: ______")) << pages;
    toolkit.expectForm(Project());
    toolkit.expectPreview("");
    trigger("mPrint");
    toolkit.expectForm(Project({}, "CannR"));
    trigger("mPrint");
}

// A damaged file does not lock the window: ten of its notices are shown, the eleventh box tells how
// many more there are and where to see them all.
TEST_F(FileMenu, NoticesStopAtTenBoxes) {
    const QString file = path("conf.xml");
    QList<QByteArray> lines{kVersion};
    for (int i = 0; i < 13; ++i)
        lines << R"(<group name="Same" group="1"></group>)";
    WriteConf(file, lines);
    const struct {
        const char* language;
        QString last;
    } cases[] = {
        {"eng", "The file gives 2 more notices, not shown. velto-conf check lists them all."},
        {"ita", "Il file dà altri 2 avvisi, non mostrati. velto-conf check li elenca tutti."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        toolkit.settings.insert("option/language", c.language);
        startWindow();
        for (int i = 0; i < 11; ++i)
            toolkit.expectBox(kAnswerOk);
        open(file);
        const QList<RecordedBox> boxes = toolkit.takeBoxes();
        ASSERT_EQ(boxes.size(), 11);
        EXPECT_EQ(boxes.front().text, boxes[9].text); // a duplicate's box
        EXPECT_EQ(boxes.back().text, c.last);
    }
}

// A file's very long texts show shortened in its notices, the status bar and the question before Save
// leaves a record out.
TEST_F(FileMenu, VeryLongTextsOfAFileShowShortened) {
    const QByteArray huge(100'000, 'x');
    const QString file = path("conf.xml"), shown = QString(256, 'x') + QChar(0x2026);
    WriteConf(file, {R"(<version number=")" + huge + R"("></version>)",
                     R"(<device name=")" + huge + R"(" point="150" group="" pull="" type="1"></device>)",
                     R"(<probe name=")" + huge + R"(" number="100"></probe>)"});
    toolkit.expectBox(kAnswerOk); // the old version
    toolkit.expectBox(kAnswerOk); // the probe out of range
    open(file);
    EXPECT_EQ(toolkit.takeBoxes()[1].text, "Sonda temperatura non valida: 100 - " + shown);
    EXPECT_EQ(status(), Shown(file) + " (V." + shown + ")");
    toolkit.expectBox(kAnswerNo);
    trigger("mSave");
    EXPECT_TRUE(onlyBox().text.contains("\ndevice 150 \"" + shown + "\"\n"));
}

// Save asks before it leaves out records the configuration holds, naming them, once: No writes
// nothing, Yes saves, and the same records are not asked about again.
TEST_F(FileMenu, SaveAsksBeforeLeavingRecordsOut) {
    const QString file = path("conf.xml"), saved = path("saved.xml");
    WriteConf(file, {kVersion, R"(<device name="Far" point="150" group="" pull="" type="1"></device>)"});
    toolkit.settings.insert("option/language", "eng");
    startWindow();
    open(file);
    const RecordedBox question{"The file saved will leave out these records of the configuration, which the "
                               "format cannot keep:\ndevice 150 \"Far\"\nSave anyway? (No: do not save)",
                               "velto-configurator", Buttons::YesNo, Icon::Question};
    toolkit.expectBox(kAnswerNo);
    trigger("mSave");
    EXPECT_EQ(onlyBox(), question);
    EXPECT_FALSE(QFile::exists(saved));
    toolkit.expectBox(kAnswerYes);
    save(saved);
    EXPECT_EQ(onlyBox(), question);
    EXPECT_TRUE(QFile::exists(saved));
    QFile::remove(saved);
    save(saved);
    EXPECT_TRUE(toolkit.takeBoxes().isEmpty());
    EXPECT_TRUE(QFile::exists(saved));
}

} // namespace
} // namespace velto::testing
