// Undo and redo through the Edit menu, and the recovery file that keeps unsaved work across a crash.
#include "ConfWriter.h"
#include "Process.h"
#include "RecoveryFile.h"
#include "WindowFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

namespace velto::testing {
namespace {

class History : public WindowFixture {
protected:
    QString menu(const char* action) const { return find<QAction>(action)->text(); }
    bool can(const char* action) const { return find<QAction>(action)->isEnabled(); }
    // The name in the selected row of a tab's grid, or the selected item of a list.
    QString selected(int tab, const QString& list) const {
        if (list.isEmpty())
            return grid(Tabs()[tab].grid)->cell(grid(Tabs()[tab].grid)->currentDataRow(), 0);
        const auto* items = find<QListWidget>(list);
        return items->currentRow() < 0 ? "none" : items->currentItem()->text();
    }
};

// Each kind of step on each tab and list: undo and redo show the tables as they were, where they changed.
TEST_F(History, EveryStepUndoesAndRedoes) {
    struct Step {
        QString name, list;
        int tab;
        std::function<void()> act;
        QStringList selected; // after undo and after redo; "" where the record is gone
    };
    // clang-format off
    QList<Step> steps{
        {"denominazione gruppo 4 «Garage»", "Lgru", 0, [&] { nameSlot("Lgru", "Tngru", 4, "Garage"); }, {"4 ", "4 Garage"}},
        {"eliminazione gruppo 3 «Kitchen»", "Lgru", 0, [&] { clickItem("Lgru", 2), clickImage("IbDel"); }, {"3 Kitchen", "3 "}},
        {"denominazione aux 5 «Pump»", "Laux", 0, [&] { nameSlot("Laux", "TnameA", 5, "Pump"); }, {"5 ", "5 Pump"}},
        {"eliminazione aux 2 «Bell»", "Laux", 0, [&] { clickItem("Laux", 1), box("TnameA")->clear(), pressEnter("TnameA"); }, {"2 Bell", "2 "}},
    };
    const struct { const char* noun; int key; const char* name; } last[] = {
        {"attuatore", 37, "Blind"}, {"carico", 9, "Oven"}, {"sonda", 40, "Hall"}, {"camera", 5, "Gate"}, {"scenario", 3, "Evening"}};
    for (int tab = 0; tab < 5; ++tab) { // each tab adds a record, modifies and deletes the one on its last row
        const TabControls& c = Tabs()[tab];
        const QString noun = last[tab].noun, name = last[tab].name, key = c.fields[c.sample.indexOf("#") + 1];
        const auto onLastRow = [=, this](const char* button, bool modify) {
            clickTab(tab), selectRow(c.grid, grid(c.grid)->dataRowCount());
            if (!modify) toolkit.expectBox(kAnswerYes);
            click(button);
            if (modify) set(key, isList(key) ? "7" : "8"), click(c.confirmButton);
            toolkit.takeBoxes();
        };
        steps << Step{"inserimento " + noun + " 7 «Fan»", "", tab, [=, this] { add(tab, record(tab, "Fan", 7)); }, {"", "Fan"}}
              << Step{"modifica " + noun + " 8 «" + name + "»", "", tab, [=] { onLastRow(c.modifyButton, true); }, {name, name}}
              << Step{QString("eliminazione %1 %2 «%3»").arg(noun).arg(last[tab].key).arg(name), "", tab, [=] { onLastRow(c.deleteButton, false); }, {name, ""}};
    }
    // clang-format on
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name.toStdString());
        startWindow();
        auto filled = std::make_unique<ConfigModel>();
        FillModel(*filled);
        window->document().putInPlace(std::move(filled), {}, Document::Arrival::AsSaved);
        window->RefreshAllViews();
        const QStringList before = shown();
        s.act();
        window->RefreshAllViews(); // a freed slot's item as a refresh writes it
        const QStringList after = shown();
        EXPECT_NE(after, before);
        EXPECT_EQ(menu("mUndo"), "Annulla " + s.name);
        click(Tabs()[s.tab].newButton); // an edit in progress
        for (const bool undo : {true, false}) {
            trigger(undo ? "mUndo" : "mRedo");
            EXPECT_EQ(shown(), undo ? before : after);
            EXPECT_EQ(window->document().isModified(),
                      !undo); // undone back to the state the history started from
            EXPECT_EQ(find<QTabWidget>("STab")->currentIndex(), s.tab);
            EXPECT_EQ(window->editor(s.tab).mode(), EditMode::Browsing);
            EXPECT_EQ(menu(undo ? "mRedo" : "mUndo"), (undo ? "Ripeti " : "Annulla ") + s.name);
            EXPECT_FALSE(can(undo ? "mUndo" : "mRedo"));
            EXPECT_TRUE(s.selected[!undo].isEmpty() || selected(s.tab, s.list) == s.selected[!undo])
                << selected(s.tab, s.list).toStdString();
            clickTab((s.tab + 1) % 5); // the redo comes back
        }
    }
}

// The menu names the step in the language in force; Save keeps the history, New and Open begin a new one.
TEST_F(History, MenuSaveNewAndOpen) {
    const QList<QAction*> edit = find<QMenu>("mEdit")->actions();
    EXPECT_EQ(edit.value(0)->objectName() + edit.value(1)->objectName(), "mUndomRedo");
    EXPECT_EQ(
        find<QAction>("mUndo")->shortcuts() + find<QAction>("mRedo")->shortcuts(),
        (QList<QKeySequence>{QKeySequence("Ctrl+Z"), QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    clickItem("Lgru", 2); // marks the configuration changed, and is no step
    EXPECT_EQ((QList<QVariant>{menu("mUndo"), can("mUndo"), menu("mRedo"), can("mRedo"),
                               window->document().isModified()}),
              (QList<QVariant>{"Annulla", false, "Ripeti", false, true}));
    add(0, {"Fan & Co", "", "0", "12"});
    trigger("mEng");
    EXPECT_EQ(menu("mUndo"), "Undo adding device 12 “Fan && Co”");
    QTemporaryDir folder;
    save(folder.filePath("conf.xml"));
    trigger("mUndo");
    EXPECT_EQ(QList<QVariant>({menu("mRedo"), window->document().isModified()}),
              QList<QVariant>({"Redo adding device 12 “Fan && Co”", true}));
    trigger("mRedo"); // back at the saved state: New asks nothing
    trigger("mNew");
    EXPECT_FALSE(can("mUndo") || can("mRedo"));
    add(1, {"Oven", "1"});
    toolkit.expectBox(kAnswerNo);
    open(folder.filePath("conf.xml"));
    EXPECT_FALSE(can("mUndo") || can("mRedo"));
}

// A process that has ended: its number is free. This test program, asked to run no test, ends at once.
long EndedProcess() {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=-*"});
    EXPECT_TRUE(child.waitForStarted());
    const long id = child.processId();
    EXPECT_TRUE(child.waitForFinished());
    return id;
}

class Recovery : public WindowFixture {
protected:
    void SetUp() override {
        qputenv(velto::kStateFolderVariable, state.path().toLocal8Bit());
        WindowFixture::SetUp();
    }
    void TearDown() override { qputenv(velto::kStateFolderVariable, stateHome); }
    QDir folderOfFiles() const { return QDir(state.filePath("velto-configurator")); }
    // A leftover's files, as a process numbered pid that began at start (in ms) writes them.
    QString file(long pid, const char* extension, long long start = 1) const {
        return folderOfFiles()
            .filePath(QString(extension) == "xml" ? "%1-%2.1.xml" : "%1-%2.path")
            .arg(pid)
            .arg(start);
    }
    // This window's own file with the extension, "none" when there is none; of its configurations the
    // one of the latest write, without the line that seals it.
    QByteArray own(const char* extension) const {
        QStringList files =
            folderOfFiles().entryList({QString("%1-*.%2").arg(CurrentProcessId()).arg(extension)});
        files.removeIf(
            [](const QString& name) { return name.startsWith(QString("%1-1.").arg(CurrentProcessId())); });
        QMap<int, QByteArray> byWrite{{-1, "none"}};
        for (const QString& name : files) {
            const QByteArray bytes = ReadAll(folderOfFiles().filePath(name));
            const qsizetype seal = bytes.lastIndexOf("<!-- write ");
            byWrite[seal < 0 ? 0 : bytes.mid(seal + 11).split(' ')[0].toInt()] =
                seal < 0 ? bytes : bytes.first(seal);
        }
        return byWrite.last();
    }

    const QByteArray stateHome = qgetenv(velto::kStateFolderVariable);
    QTemporaryDir state, folder;
};

// Every step, undo and redo is written, beside the edited file's path; Save, New, Open and Exit remove it.
TEST_F(Recovery, FollowsTheWorkUntilItIsSavedOrDropped) {
    const QString conf = folder.filePath("conf.xml");
    int priority = 0;
    for (const QString command : {"mSave", "mNew", "mOpen", "mExit"}) {
        SCOPED_TRACE(command.toStdString());
        const std::string edited = window->windowTitle().startsWith("conf.xml") ? conf.toStdString() : "";
        for (const char* step : {"CokC", "mUndo", "mRedo"}) {
            QString(step) == "CokC" ? add(1, {"Oven", QString::number(priority++)}) : trigger(step);
            EXPECT_EQ(own("xml").toStdString() + '|' + own("path").toStdString(),
                      WriteConfig(model()) + '|' + edited);
        }
        if (command != "mSave")
            toolkit.expectBox(kAnswerNo);
        if (command == "mSave" || command == "mOpen")
            toolkit.expectDialog(conf);
        trigger(command);
        toolkit.takeBoxes();
        EXPECT_EQ(own("xml") + own("path"), "nonenone");
    }
    qputenv(velto::kStateFolderVariable, conf.toLocal8Bit()); // a file: the folder cannot be made
#ifdef _WIN32
    constexpr int kThroughAFile = ENOENT;
#else
    constexpr int kThroughAFile = ENOTDIR;
#endif
    startWindow();
    toolkit.expectBox(kAnswerOk);
    add(1, {"Oven", "1"});
    add(1, {"Washer", "2"}); // warned once
    EXPECT_EQ(onlyBox(),
              (RecordedBox{"Il file di recupero non si può scrivere in " +
                               Shown(conf + "/velto-configurator") + ": " + SystemText(kThroughAFile) +
                               "\r\nSe il programma si interrompe, le modifiche non salvate andranno "
                               "perse.",
                           "Attenzione", Buttons::Ok, Icon::Exclamation}));
}

// At start-up each leftover of a process no longer running is offered, newest first; Yes loads it as
// unsaved changes of its file, No removes it; an unreadable one is removed with a warning.
TEST_F(Recovery, LeftoversAreOfferedNewestFirst) {
    ASSERT_TRUE(folderOfFiles().mkpath("."));
    const QDateTime now = QDateTime::currentDateTime();
    const auto age = [&](const QString& path, int minutesAgo) {
        QFile conf(path);
        ASSERT_TRUE(conf.open(QIODevice::Append));
        conf.setFileTime(now.addSecs(-60 * minutesAgo), QFileDevice::FileModificationTime);
    };
    const auto leave = [&](long pid, const std::string& xml, const QString& edited, int minutesAgo,
                           long long start = 1) {
        Put(file(pid, "xml", start), QByteArray::fromStdString(xml), now.addSecs(-60 * minutesAgo));
        Put(file(pid, "path", start), QFile::encodeName(edited));
    };
    const auto casa = std::make_unique<ConfigModel>();
    casa->DeviceTable[12] = {"Lamp", false, 3, "1", 0, 1};
    const QString casaPath = folder.filePath("casa.xml");
    // The oldest has this process's number, as an earlier process may have had.
    QProcess waiting;
    StartWaiting(waiting);
    const long oldest = CurrentProcessId(), newer = EndedProcess(), broken = EndedProcess(),
               running = waiting.processId();
    // Its last write reached the disk only in part ("Desk" is "Dusk" there): the one before is offered.
    RecoveryFile cut(folderOfFiles().path().toStdString(), oldest, 1);
    std::string error;
    for (const char* name : {"Lamp", "Desk"})
        casa->DeviceTable[12].name = name, cut.write(*casa, casaPath.toStdString(), error);
    QFile torn(folderOfFiles().filePath(QString("%1-1.2.xml").arg(oldest)));
    ASSERT_TRUE(torn.open(QIODevice::ReadWrite));
    const QByteArray written = torn.readAll();
    torn.seek(0);
    torn.write(QByteArray(written).replace("Desk", "Dusk"));
    torn.close();
    age(file(oldest, "xml"), 30);
    casa->DeviceTable[12].name = "Lamp";
    leave(newer, WriteConfig(ConfigModel{}), "", 20);
    leave(broken, "<ACTUATOR>\r\n<load></lod>\r\n</ACTUATOR>\r\n", "", 10);
    const long long runningStart = ProcessStartTime(running);
    leave(running, "<ACTUATOR/>", "", 0, runningStart);
    for (const int answer : {kAnswerOk, kAnswerNo, kAnswerYes})
        toolkit.expectBox(answer);
    EXPECT_TRUE(window->offerRecovery());
    const auto question = [&](const QString& what, int minutesAgo) {
        return RecordedBox{"Il programma non si è chiuso normalmente: ci sono modifiche non salvate di " +
                               what + ", del " + now.addSecs(-60 * minutesAgo).toString("dd/MM/yyyy HH:mm") +
                               ".\r\nVuoi recuperarle?",
                           "velto-configurator", Buttons::YesNo, Icon::Question};
    };
    EXPECT_EQ(toolkit.takeBoxes(),
              (QList<RecordedBox>{
                  {"Il file di recupero " + Shown(file(broken, "xml")) +
                       " non si può leggere ed è stato eliminato.\r\n" +
                       QString("%1-1.1.xml, riga 2, colonna 9: Start-end tags mismatch").arg(broken),
                   "Attenzione", Buttons::Ok, Icon::Exclamation},
                  question("una nuova configurazione", 20),
                  question("«" + Shown(casaPath) + "»", 30)}));
    EXPECT_EQ(rows("Fl_dev"), QStringList{"Lamp|3|dimmer|12"});
    EXPECT_EQ(title(), "casa.xml[*] - Velto-Configurator V.1.0*");
    EXPECT_EQ(folderOfFiles().entryList({QString("%1-1.*").arg(oldest)}).join(' '), "");
    EXPECT_EQ(own("xml").toStdString() + own("path").toStdString(),
              WriteConfig(*casa) + casaPath.toStdString());
    EXPECT_EQ(ReadAll(file(running, "xml", runningStart)), "<ACTUATOR/>"); // its process still runs
    save("");
    EXPECT_EQ(toolkit.dialogs().back().fileName + ' ' + toolkit.dialogs().back().initialFolder,
              "casa.xml " + folder.path());

    toolkit.expectBox(kAnswerNo);
    trigger("mExit");
    toolkit.takeBoxes();
    toolkit.settings.insert("option/language", "eng");
    leave(EndedProcess(), WriteConfig(*casa), casaPath, 5);
    startWindow();
    toolkit.expectBox(kAnswerNo);
    EXPECT_FALSE(window->offerRecovery());
    EXPECT_EQ(onlyBox().text, "The program did not end normally: there are unsaved changes to “" +
                                  Shown(casaPath) + "”, from " +
                                  now.addSecs(-300).toString("yyyy-MM-dd HH:mm") +
                                  ".\r\nDo you want to recover them?");
    EXPECT_EQ(folderOfFiles().entryList(QDir::Files).join(' '),
              QString("%1-%2.1.xml %1-%2.path").arg(running).arg(runningStart));
}

// Work taken back is kept until it is saved: a change and its undo leave the mark, and Exit asks. The file
// it belongs to is as on disk now, so Save writes it without asking about another program. Leftovers
// that cannot be read are removed with one warning for them all.
TEST_F(Recovery, TakenWorkIsKeptUntilSaved) {
    ASSERT_TRUE(folderOfFiles().mkpath("."));
    const QString casa = folder.filePath("casa.xml");
    Put(casa, QByteArray::fromStdString(WriteConfig(ConfigModel{})));
    auto lamp = std::make_unique<ConfigModel>();
    lamp->DeviceTable[12] = {"Lamp", false, 3, "1", 0, 1};
    const long taken = EndedProcess();
    Put(file(taken, "xml"), QByteArray::fromStdString(WriteConfig(*lamp)));
    Put(file(taken, "path"), QFile::encodeName(casa));
    for (const long broken : {EndedProcess(), EndedProcess()})
        Put(file(broken, "xml"), "<ACTUATOR>");
    toolkit.expectBox(kAnswerOk);
    toolkit.expectBox(kAnswerYes);
    ASSERT_TRUE(window->offerRecovery());
    const QList<RecordedBox> boxes = toolkit.takeBoxes();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_TRUE(boxes[0].text.startsWith("2 file di recupero non si possono leggere e sono stati eliminati."))
        << boxes[0].text.toStdString();
    add(1, {"Oven", "1"});
    trigger("mUndo");
    EXPECT_EQ(title(), "casa.xml[*] - Velto-Configurator V.1.0*");
    toolkit.expectBox(kAnswerCancel);
    trigger("mExit");
    EXPECT_EQ(onlyBox().buttons, Buttons::YesNoCancel);
    save(casa);
    EXPECT_EQ(ReadAll(casa).toStdString(), WriteConfig(*lamp));
    EXPECT_EQ(title(), "casa.xml[*] - Velto-Configurator V.1.0");
}

// A leftover's path is shown with its control characters escaped, whatever its file holds.
TEST_F(Recovery, ThePathIsShownEscaped) {
    ASSERT_TRUE(folderOfFiles().mkpath("."));
    const long pid = EndedProcess();
    Put(file(pid, "xml"), QByteArray::fromStdString(WriteConfig(ConfigModel{})));
    Put(file(pid, "path"), "/tmp/a\r\nb\x1b[2J.xml");
    toolkit.expectBox(kAnswerNo);
    EXPECT_FALSE(window->offerRecovery());
    EXPECT_TRUE(onlyBox().text.contains("«" + Shown("/tmp/a") + "\\x0d\\x0ab\\x1b[2J.xml»"));
}

} // namespace
} // namespace velto::testing
