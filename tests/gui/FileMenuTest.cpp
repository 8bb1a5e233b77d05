// The File menu's Save and Open as the user meets them: the dialogs, the file written, the boxes,
// failed saves, and configurations that go out to a file and come back.
#include "ConfReader.h"
#include "RecordEditor.h"
#include "WindowFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <system_error>
#include <unistd.h>

namespace velto::testing {
namespace {

const QString kItalianPrompt =
    QStringLiteral("La configurazione corrente non è stata salvata\r\nVuoi salvare il progetto corrente?");

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A conf.xml of the given lines (version line included), each ended with CR LF.
QByteArray Conf(const QList<QByteArray>& lines) {
    QByteArray bytes = "<ACTUATOR>\r\n";
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes + "</ACTUATOR>\r\n";
}

const QByteArray kVersion = R"(<version number="1.0.4"></version>)";

QString SystemMessage(int error) {
    return QString::fromStdString(std::generic_category().message(error));
}

// Every entry of a folder, hidden ones included.
QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// Holds the size a process may give a file, and ignores the signal that would end it past that size.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

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

    // Keys type plain ASCII; tabs and accented or other letters come by the clipboard.
    void enter(const QString& boxName, const QString& text) {
        const bool typeable = std::all_of(text.begin(), text.end(),
                                          [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; });
        if (typeable)
            type(boxName, text);
        else
            paste(boxName, text);
    }
    void nameSlot(const QString& listName, const QString& boxName, int number, const QString& name) {
        clickItem(listName, number - 1);
        enter(boxName, name);
        pressEnter(boxName);
    }
    void addDeviceNamed(const QString& name, int typeIndex, const QString& address, int group) {
        clickTab(0);
        click("Cnew");
        enter("Tname", name);
        choose("Cgru", group);
        choose("Ctipo", typeIndex);
        type("Tind", address);
        click("Cok");
    }
    void addNamed(int tab, const QString& name, int key) {
        const TabControls& c = Tabs()[tab];
        clickTab(tab);
        click(c.newButton);
        enter(c.fields[0], name);
        choose(c.fields[1], key - 1);
        click(c.confirmButton);
    }
    // riserOrBus: the index in Cmont or Cbus.
    void addAddressed(int tab, const QString& name, int number, int riserOrBus, const QString& address) {
        const TabControls& c = Tabs()[tab];
        clickTab(tab);
        click(c.newButton);
        enter(c.fields[0], name);
        const QStringList fields =
            tab == 3 ? QStringList{"Cnum", "Cmont", "TindW"} : QStringList{"CnumS", "Cbus", "TindS"};
        choose(fields[0], number - 1);
        choose(fields[1], riserOrBus);
        type(fields[2], address);
        click(c.confirmButton);
    }

    // Both commands ask alike, in the program's own folder; only the mode differs.
    void expectLastRequest(int mode) const {
        const FileDialogRequest& request = toolkit.dialogs().back();
        EXPECT_EQ(request.owner, window.get());
        EXPECT_EQ(request.mode, mode);
        EXPECT_EQ(request.title, "File xml");
        EXPECT_EQ(request.fileName, "conf.xml");
        EXPECT_EQ(request.filter, QStringLiteral("xml file") + QChar(0) + "*.xml" + QChar(0));
        EXPECT_EQ(request.initialFolder, QCoreApplication::applicationDirPath());
        EXPECT_EQ(request.defaultExtension, "");
    }

    // What the window shows of the configuration: every grid and the group and auxiliary lists.
    QStringList shown() const {
        QStringList all;
        for (const TabControls& c : Tabs())
            all << QString(c.grid) + ": " + rows(c.grid).join(" / ");
        all << "Lgru: " + items("Lgru").join(',') << "Laux: " + items("Laux").join(',')
            << "Cgru: " + items("Cgru").join(',');
        return all;
    }

    QTemporaryDir folder;
};

using FileMenuSave = FileMenu;

TEST_F(FileMenuSave, WritesTheWorkedExampleAndTheSameBytesEachTime) {
    nameSlot("Lgru", "Tngru", 2, "Ground floor");
    addDevice("Lamp", 0, "5", 1);
    nameSlot("Laux", "TnameA", 1, "Intercom");
    addNamed(1, "Oven", 1);
    addNamed(2, "Living room", 3);
    addAddressed(3, "Entrance", 1, 0, "4001");
    addAddressed(4, "Night", 2, 0, "12");
    ASSERT_TRUE(window->dirty());

    save(path("conf.xml"));
    const QList<QByteArray> lines{"<ACTUATOR>",
                                  R"(<version number="1.0.4"></version>)",
                                  R"(<device name="Lamp" point="05" group="2" pull="" type="1"></device>)",
                                  "",
                                  R"(<group name="Ground floor" group="2"></group>)",
                                  "",
                                  R"(<load name="Oven" priority="1"></load>)",
                                  "",
                                  R"(<aux name="Intercom" number="1"></aux>)",
                                  "",
                                  R"(<probe name="Living room" number="3"></probe>)",
                                  "",
                                  R"(<camera name="Entrance" number="1" adr="4001" type="1"></camera>)",
                                  "",
                                  R"(<scf420 name="Night" number="2" adr="12"></scf420>)",
                                  "</ACTUATOR>"};
    EXPECT_EQ(ReadBytes(path("conf.xml")), lines.join("\r\n") + "\r\n");
    EXPECT_EQ(window->statusText(), path("conf.xml"));
    EXPECT_FALSE(window->dirty());
    EXPECT_EQ(Entries(folder.path()), QStringList{"conf.xml"});

    expectLastRequest(kSaveMode);

    // Saving again, over the same file and to another one, writes the same bytes.
    save(path("conf.xml"));
    save(path("again.xml"));
    EXPECT_EQ(ReadBytes(path("again.xml")), lines.join("\r\n") + "\r\n");
    EXPECT_EQ(ReadBytes(path("conf.xml")), lines.join("\r\n") + "\r\n");
    EXPECT_EQ(window->statusText(), path("again.xml"));
}

TEST_F(FileMenuSave, CancellingTheDialogChangesNothing) {
    addDevice("Lamp", 0, "12");
    save("");
    EXPECT_EQ(toolkit.dialogs().size(), 1);
    EXPECT_TRUE(Entries(folder.path()).isEmpty());
    EXPECT_TRUE(window->dirty());
    EXPECT_EQ(window->statusText(), "Nuovo file");
}

// Unconfirmed input in any editor is dropped: the file holds the records as they were.
TEST_F(FileMenuSave, AnEditInProgressIsCancelledAndNotWritten) {
    addDevice("Lamp", 0, "12");
    addNamed(1, "Oven", 4);
    addAddressed(3, "Gate", 2, 1, "4100");
    save(path("before.xml"));
    const QByteArray before = ReadBytes(path("before.xml"));
    const QStringList grids = shown();

    for (const int tab : {0, 1, 3}) {
        for (const bool modifying : {true, false}) {
            const TabControls& c = Tabs()[tab];
            SCOPED_TRACE(std::string(c.grid) + (modifying ? " modifying" : " adding"));
            clickTab(tab);
            if (modifying) {
                selectRow(c.grid, 1);
                click(c.modifyButton);
                box(c.fields[0])->clear();
            } else {
                click(c.newButton);
            }
            type(c.fields[0], "Changed");
            save(path("during.xml"));
            EXPECT_EQ(window->editor(tab).mode(), EditMode::Browsing);
            EXPECT_EQ(box(c.fields[0])->text(), "");
            EXPECT_EQ(ReadBytes(path("during.xml")), before);
            EXPECT_EQ(shown(), grids);
        }
    }
}

// A save that fails shows the system's reason and leaves the old file, the flag and the status as
// they were, with no temporary file left behind.
class FileMenuFailedSave : public FileMenu {
protected:
    // A saved configuration, then one more change not yet saved.
    void SetUp() override {
        FileMenu::SetUp();
        addDevice("Lamp", 0, "12");
        save(path("first.xml"));
        addDevice("Fan", 2, "15");
    }

    void expectFailure(const QString& target, int error, const std::function<void()>& saveCommand) {
        const QString targetFolder = QFileInfo(target).path();
        const QStringList entriesBefore = Entries(targetFolder);
        const bool oldFile = QFileInfo(target).isFile();
        const QByteArray oldBytes = oldFile ? ReadBytes(target) : QByteArray();
        toolkit.expectDialog(target);
        toolkit.expectBox(kAnswerOk);
        saveCommand();

        const RecordedBox failure = onlyBox();
        EXPECT_EQ(failure.text, SystemMessage(error));
        EXPECT_EQ(failure.title, "velto-configurator");
        EXPECT_EQ(failure.buttons, Buttons::Ok);
        EXPECT_EQ(failure.icon, Icon::Critical);
        EXPECT_TRUE(window->dirty());
        EXPECT_EQ(window->statusText(), path("first.xml"));
        EXPECT_EQ(Entries(targetFolder), entriesBefore);
        if (oldFile) {
            EXPECT_EQ(ReadBytes(target), oldBytes);
        }
        EXPECT_EQ(rows("Fl_dev"), (QStringList{"Lamp|0|dimmer|12", "Fan|0|on/off|15"}));
    }
};

TEST_F(FileMenuFailedSave, TargetIsAFolder) {
    ASSERT_TRUE(QDir(folder.path()).mkdir("conf.xml"));
    expectFailure(path("conf.xml"), EISDIR, [this] { trigger("mSave"); });
    EXPECT_TRUE(QFileInfo(path("conf.xml")).isDir());
    EXPECT_TRUE(Entries(path("conf.xml")).isEmpty());
}

TEST_F(FileMenuFailedSave, FolderDoesNotExist) {
    expectFailure(path("missing/conf.xml"), ENOENT, [this] { trigger("mSave"); });
    EXPECT_FALSE(QFileInfo::exists(path("missing")));
}

TEST_F(FileMenuFailedSave, FileSystemFull) {
    WriteBytes(path("conf.xml"), Conf({kVersion, R"(<load name="Old" priority="1"></load>)"}));
    expectFailure(path("conf.xml"), EFBIG, [this] {
        const FileSizeLimit limit(32);
        trigger("mSave");
    });
}

TEST_F(FileMenuFailedSave, ReadOnlyFolder) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders";
    WriteBytes(path("conf.xml"), Conf({kVersion}));
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    expectFailure(path("conf.xml"), EACCES, [this] { trigger("mSave"); });
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

using FileMenuOpen = FileMenu;

TEST_F(FileMenuOpen, CancellingTheDialogKeepsTheConfigurationAndEndsTheEdit) {
    addDevice("Lamp", 0, "12");
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
    EXPECT_EQ(model().DeviceTable[12].name, "Lamp");
    EXPECT_EQ(window->statusText(), path("conf.xml"));
    EXPECT_FALSE(window->dirty());
}

TEST_F(FileMenuOpen, UnsavedChangesAreAskedAboutFirst) {
    WriteBytes(path("other.xml"),
               Conf({kVersion, R"(<device name="Other" point="07" group="" type="2"></device>)"}));
    for (const int answer : {kAnswerYes, kAnswerCancel, kAnswerNo}) {
        SCOPED_TRACE(answer);
        startWindow();
        addDevice("Lamp", 0, "12");
        toolkit.expectBox(answer);
        if (answer == kAnswerYes)
            toolkit.expectDialog(path("saved.xml")); // the Save that Yes runs
        if (answer == kAnswerNo)
            toolkit.expectDialog(path("other.xml"));
        const qsizetype dialogsBefore = toolkit.dialogs().size();
        trigger("mOpen");

        const RecordedBox question = onlyBox();
        EXPECT_EQ(question.text, kItalianPrompt);
        EXPECT_EQ(question.buttons, Buttons::YesNoCancel);
        EXPECT_EQ(question.icon, Icon::Question);
        EXPECT_EQ(toolkit.dialogs().size() - dialogsBefore, answer == kAnswerCancel ? 0 : 1);
        if (answer == kAnswerNo) {
            EXPECT_EQ(rows("Fl_dev"), QStringList{"Other|0|autom.|7"});
            EXPECT_EQ(window->statusText(), path("other.xml") + " (V.1.0.4)");
        } else {
            // Open does not go ahead, even after a successful save.
            EXPECT_EQ(rows("Fl_dev"), QStringList{"Lamp|0|dimmer|12"});
        }
        if (answer == kAnswerYes) {
            EXPECT_EQ(toolkit.dialogs().back().mode, kSaveMode);
            EXPECT_TRUE(ReadBytes(path("saved.xml")).contains(R"(name="Lamp" point="12")"));
            EXPECT_EQ(window->statusText(), path("saved.xml"));
        }
        EXPECT_EQ(window->dirty(), answer == kAnswerCancel);
        QFile::remove(path("saved.xml"));
    }
}

TEST_F(FileMenuOpen, StatusShowsThePathAndTheFileVersion) {
    struct Case {
        QByteArray versionLine; // "" for none
        const char* shownVersion;
        bool oldVersionBox;
    };
    const Case cases[] = {{kVersion, "(V.1.0.4)", false},
                          {"", "(V.)", true},
                          {R"(<version number="1.0.3"></version>)", "(V.1.0.3)", true},
                          {"<version></version>", "(V.)", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shownVersion);
        QList<QByteArray> lines{R"(<load name="Oven" priority="2"></load>)"};
        if (!c.versionLine.isEmpty())
            lines.prepend(c.versionLine);
        WriteBytes(path("conf.xml"), Conf(lines));
        if (c.oldVersionBox)
            toolkit.expectBox(kAnswerOk);
        open(path("conf.xml"));

        const QList<RecordedBox> boxes = toolkit.takeBoxes();
        ASSERT_EQ(boxes.size(), c.oldVersionBox ? 1 : 0);
        if (c.oldVersionBox) {
            EXPECT_EQ(boxes[0].text, "Versione obsoleta del file Xml");
            EXPECT_EQ(boxes[0].title, "Velto-Configurator");
            EXPECT_EQ(boxes[0].buttons, Buttons::Ok);
            EXPECT_EQ(boxes[0].icon, Icon::None);
        }
        EXPECT_EQ(window->statusText(), path("conf.xml") + " " + c.shownVersion);
        EXPECT_EQ(rows("Fl_gru"), QStringList{"Oven|2"});
        EXPECT_FALSE(window->dirty());
    }
}

TEST_F(FileMenuOpen, NoticesAreShownInOrderInTheLanguageInForce) {
    WriteBytes(path("conf.xml"), Conf({R"(<device name="Lamp" point="12" group="" type="1"></device>)",
                                       R"(<device name="Again" point="12" group="" type="1"></device>)",
                                       R"(<group name="Lights" group="10"></group>)",
                                       R"(<probe name="Hall" number="5"></probe>)",
                                       R"(<probe name="Hall too" number="5"></probe>)"}));
    struct Case {
        const char* language;
        QStringList texts;
    };
    const Case cases[] = {{"mIta",
                           {"Versione obsoleta del file Xml", "Attuatore 12 duplicato",
                            "Gruppo non valido: 10 - Lights", "Sonda 5 temperatura duplicata"}},
                          {"mEng",
                           {"Old version of file Xml", "Actuator 12 duplicate", "Invalid group: 10 - Lights",
                            "Probe 5 duplicate"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        trigger(c.language);
        for (int i = 0; i < c.texts.size(); ++i)
            toolkit.expectBox(kAnswerOk);
        open(path("conf.xml"));
        QStringList texts;
        for (const RecordedBox& notice : toolkit.takeBoxes()) {
            texts << notice.text;
            EXPECT_EQ(notice.title, "Velto-Configurator");
            EXPECT_EQ(notice.buttons, Buttons::Ok);
            EXPECT_EQ(notice.icon, Icon::None);
        }
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(rows("Fl_dev"), QStringList{"Lamp|0|dimmer|12"});
        EXPECT_EQ(rows("Fl_prob"), QStringList{"Hall|5"});
        EXPECT_EQ(items("Lgru").join(','), "1 ,2 ,3 ,4 ,5 ,6 ,7 ,8 ,9 ");
    }
}

TEST_F(FileMenuOpen, AStopKeepsWhatCameBeforeIt) {
    WriteBytes(
        path("conf.xml"),
        Conf({kVersion, R"(<device name="Lamp" point="12" group="3" type="1"></device>)",
              R"(<group name="Kitchen" group="3"></group>)", R"(<group name="Broken" group="-1"></group>)",
              R"(<load name="Oven" priority="2"></load>)"}));
    trigger("mEng");
    toolkit.expectBox(kAnswerOk);
    open(path("conf.xml"));
    const RecordedBox stop = onlyBox();
    EXPECT_EQ(stop.text, "Invalid parameters in the file conf.xml");
    EXPECT_EQ(stop.title, "Error");
    EXPECT_EQ(stop.buttons, Buttons::Ok);
    EXPECT_EQ(stop.icon, Icon::Critical);
    EXPECT_EQ(rows("Fl_dev"), QStringList{"Lamp|3|dimmer|12"});
    EXPECT_EQ(items("Lgru")[2], "3 Kitchen");
    EXPECT_TRUE(emptyGrid("Fl_gru"));
    EXPECT_EQ(window->statusText(), path("conf.xml") + " (V.1.0.4)");
    EXPECT_FALSE(window->dirty());
}

TEST_F(FileMenuOpen, AFileThatIsNotXmlLeavesEverythingEmpty) {
    const QByteArray notXml = "<ACTUATOR>\r\n<device name=\"Lamp\" point=\"12\"\r\n";
    WriteBytes(path("conf.xml"), notXml);
    std::string reason;
    ConfigModel scratch;
    std::string version;
    LoadConfigBytes(notXml.toStdString(), scratch, version, [&](const Notice& n) { reason = n.reason; });
    ASSERT_FALSE(reason.empty());

    FillModel(model());
    window->RefreshAllViews();
    addDevice("Fan", 2, "15");
    toolkit.expectBox(kAnswerNo);
    toolkit.expectBox(kAnswerOk);
    toolkit.expectDialog(path("conf.xml"));
    trigger("mOpen");

    const QList<RecordedBox> boxes = toolkit.takeBoxes();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[1].text, QString::fromStdString(reason));
    EXPECT_EQ(boxes[1].title, "velto-configurator");
    EXPECT_EQ(boxes[1].buttons, Buttons::Ok);
    EXPECT_EQ(boxes[1].icon, Icon::Critical);
    for (const TabControls& c : Tabs())
        EXPECT_TRUE(emptyGrid(c.grid)) << c.grid;
    EXPECT_EQ(items("Lgru").join(','), "1 ,2 ,3 ,4 ,5 ,6 ,7 ,8 ,9 ");
    EXPECT_EQ(model().DeviceTable[37].name, "");
    EXPECT_EQ(window->statusText(), path("conf.xml") + " (V.)");
    EXPECT_FALSE(window->dirty());
}

// A device beyond the grid's addresses is cleared with the rest when the next file is opened.
TEST_F(FileMenuOpen, OpeningTheSameFileTwiceFindsNoDuplicate) {
    WriteBytes(path("conf.xml"),
               Conf({kVersion, R"(<device name="Far" point="150" group="" type="2"></device>)",
                     R"(<device name="Lamp" point="12" group="" type="1"></device>)"}));
    for (int time = 1; time <= 2; ++time) {
        SCOPED_TRACE(time);
        open(path("conf.xml"));
        EXPECT_TRUE(toolkit.takeBoxes().isEmpty());
        EXPECT_EQ(model().DeviceTable[150].name, "Far");
        EXPECT_EQ(model().DeviceTable[12].inUse, 2);
        EXPECT_EQ(rows("Fl_dev"), QStringList{"Lamp|0|dimmer|12"});
    }
}

TEST_F(FileMenuOpen, AWindows1252FileReadsWithItsAccents) {
    WriteBytes(path("conf.xml"),
               Conf({kVersion, "<device name=\"Caf\xe9\" point=\"03\" group=\"\" type=\"1d\"></device>",
                     "<probe name=\"Citt\xe0 \x80 &amp; co\" number=\"4\"></probe>"}));
    open(path("conf.xml"));
    EXPECT_TRUE(toolkit.takeBoxes().isEmpty());
    EXPECT_EQ(rows("Fl_dev"), QStringList{"Café|0|on/off|3"});
    EXPECT_EQ(rows("Fl_prob"), QStringList{"Città € & co|4"});
}

using FileMenuRoundTrip = FileMenu;

// Whatever the user can enter comes back from the file as it was entered.
TEST_F(FileMenuRoundTrip, EveryTabComesBackFromTheFile) {
    nameSlot("Lgru", "Tngru", 3, "Caffè \"Bar\"");
    nameSlot("Lgru", "Tngru", 9, "<Attic>");
    nameSlot("Laux", "TnameA", 2, "Bell & Gong");
    addDeviceNamed("Lamp \"big\" & <bright>", 0, "12", 2);
    addDeviceNamed("Tab\there", 2, "3", -1);
    addDeviceNamed("Città €", 1, "99", 8);
    addNamed(1, "Forno à l'ancienne", 16);
    addNamed(1, "Ωmega", 1);
    addNamed(2, "Soggiorno\t\"sud\"", 99);
    addAddressed(3, "Cancello", 5, 1, "4100"); // on the local riser
    addAddressed(3, "Porta & co", 12, 0, "4000");
    addAddressed(4, "Notte <tutta>", 7, 3, "4"); // on local bus 3
    addAddressed(4, "Giorno", 16, 0, "98");
    ASSERT_EQ(model().CameraTable[5].address, "4100#2");
    ASSERT_EQ(model().ScenarioTable[7].address, "4#4#3");
    ASSERT_EQ(model().DeviceTable[3].name, "Tab\there");
    const QStringList before = shown();
    const auto tables = std::make_unique<ConfigModel>(model());

    save(path("conf.xml"));
    trigger("mNew");
    ASSERT_TRUE(emptyGrid("Fl_dev"));
    open(path("conf.xml"));
    EXPECT_TRUE(toolkit.takeBoxes().isEmpty());
    EXPECT_EQ(shown(), before);
    EXPECT_TRUE(shown().join('\n').contains("Cancello|4100|5|Pubblico"));

    const ConfigModel& after = model();
    for (int slot = 0; slot < kDeviceSlots; ++slot) {
        const DeviceRecord& x = tables->DeviceTable[slot];
        const DeviceRecord& y = after.DeviceTable[slot];
        EXPECT_TRUE(x.name == y.name && x.group == y.group && x.typeCode == y.typeCode &&
                    x.inUse == y.inUse && x.pull == y.pull && x.dimmer == y.dimmer)
            << "device " << slot << ": \"" << x.name << "\" became \"" << y.name << '"';
    }
    EXPECT_EQ(after.GroupTable, tables->GroupTable);
    EXPECT_EQ(after.AuxTable, tables->AuxTable);
    EXPECT_EQ(after.LoadTable, tables->LoadTable);
    EXPECT_EQ(after.ProbeTable, tables->ProbeTable);
    for (int number = 0; number <= kMaxCamera; ++number) {
        EXPECT_EQ(after.CameraTable[number].name, tables->CameraTable[number].name) << number;
        EXPECT_EQ(after.CameraTable[number].address, tables->CameraTable[number].address) << number;
    }
    for (int number = 0; number <= kMaxScenario; ++number) {
        EXPECT_EQ(after.ScenarioTable[number].name, tables->ScenarioTable[number].name) << number;
        EXPECT_EQ(after.ScenarioTable[number].address, tables->ScenarioTable[number].address) << number;
    }

    // The riser and the bus read back load into their editors.
    clickTab(3);
    selectRow("Fl_cam", 1);
    click("CmodW");
    EXPECT_EQ(box("TnameW")->text(), "Cancello");
    EXPECT_EQ(combo("Cmont")->currentIndex(), 1);
    EXPECT_EQ(box("TindW")->text(), "4100");
    click("CannW");
    clickTab(4);
    selectRow("Fl_sce", 1);
    click("CModS");
    EXPECT_EQ(box("TnameS")->text(), "Notte <tutta>");
    EXPECT_EQ(combo("Cbus")->currentIndex(), 3);
    EXPECT_EQ(box("TindS")->text(), "4");
    click("CannS");
    EXPECT_FALSE(window->dirty());
}

} // namespace
} // namespace velto::testing
