// The window's small objects, without the window: recent files, placement, the title, the group tip,
// the settings store, the report's questions, the names of the steps, the leftover backup offered.
#include "WindowFixture.h"
// After the fixture, whose core helpers name a variable as Qt names a keyword.
#include "ChangeNote.h"
#include "FileGuard.h"
#include "GridRows.h"
#include "Placement.h"
#include "Process.h"
#include "QtToolkit.h"
#include "RecentFiles.h"
#include "ReportCommand.h"
#include "WindowTitle.h"

#include <QSettings>

namespace velto::testing {
namespace {

// Keys stored together land in their section, as keys stored one by one do.
TEST(QtToolkit, StoresSettingsInTheirSection) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the registry holds the settings there, and has no folder to isolate them in";
#endif
    const QTemporaryDir home;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
    QtToolkit toolkit;
    toolkit.putSettings("placement", {{"geometry", "1 2 3 4"}, {"maximised", "1"}});
    toolkit.putSetting("option", "language", "eng");
    EXPECT_EQ(toolkit.setting("placement", "geometry", ""), "1 2 3 4");
    EXPECT_EQ(toolkit.setting("placement", "maximised", ""), "1");
    EXPECT_EQ(toolkit.setting("option", "language", ""), "eng");
    EXPECT_EQ(toolkit.setting("option", "geometry", "none"), "none");
}

// The report's export answers what came of it: nothing is asked after a cancelled question, a file that
// cannot be written says why, and the extension typed wins over the filter chosen.
TEST(ReportCommand, AnswersWhatCameOfTheExport) {
    ScriptedToolkit toolkit;
    FileGuard guard(toolkit, nullptr, [] { return false; });
    ReportCommand command(toolkit, guard, nullptr);
    ConfigModel tables;
    FillModel(tables);
    const ReportSubject subject{tables, "site.xml", "1.0.4", false, {}};
    const QTemporaryDir folder;
    using Outcome = ReportCommand::Outcome;

    toolkit.expectForm(Project({}, "CannR"));
    EXPECT_EQ(command.exportReport(subject, "Export report", folder.path()), Outcome::Cancelled);
    EXPECT_TRUE(toolkit.dialogs().isEmpty());

    toolkit.expectForm(Project({{"Tcliente", "Anna Bianchi"}}));
    toolkit.expectDialog(folder.filePath("missing/report"), "PDF");
    toolkit.expectBox(kAnswerOk);
    EXPECT_EQ(command.exportReport(subject, "Export report", folder.path()), Outcome::Failed);
    EXPECT_EQ(toolkit.takeBoxes().value(0).icon, Icon::Critical);

    toolkit.expectForm(Project());
    toolkit.expectDialog(folder.filePath("report.html"), "PDF");
    EXPECT_EQ(command.exportReport(subject, "Export report", folder.path()), Outcome::Done);
    EXPECT_TRUE(ReadAll(folder.filePath("report.html")).contains("Anna Bianchi"));
}

// Each window's recent files are merged into what another window stored meanwhile.
TEST(RecentFiles, TwoWindowsMerge) {
    ScriptedToolkit toolkit;
    RecentFiles first(toolkit), second(toolkit);
    first.add("a.xml");
    second.add("b.xml");
    first.add("c.xml");
    second.remove("a.xml");
    EXPECT_EQ(RecentFiles(toolkit).paths(), QStringList({"c.xml", "b.xml"}));
}

// A window opens aside of each other window still open; entries of ended processes, or of a process
// that took over the number, and text that names no process, count for nothing.
TEST(Placement, ASecondWindowOpensAside) {
    QProcess running;
    StartWaiting(running);
    const long pid = running.processId();
    const QString other = QString("%1-%2").arg(pid).arg(ProcessStartTime(pid));
    const QString stored = QString("%1 %2-%3 0-1 junk %4")
                               .arg(other)
                               .arg(pid)
                               .arg(ProcessStartTime(pid) - 60000)
                               .arg(OwnEntry());
    EXPECT_EQ(StillOpen(stored), QStringList({other, OwnEntry()}));
    EXPECT_EQ(Cascaded(QRect(10, 20, 300, 200), 2, 25), QRect(60, 70, 300, 200));
    running.close();
}

// The window fits the screen less its frame, moved as little as needed; the first time it is centred.
TEST(Placement, FittedToTheScreen) {
    const QRect screen(0, 0, 1600, 1000);
    const QMargins frame(2, 30, 2, 2);
    // clang-format off
    const struct { QString stored; QRect expected; } cases[] = {
        {"", QRect(330, 190, 940, 620)},
        {"100 50 600 470", QRect(100, 50, 600, 470)},
        {"1500 -40 600 470", QRect(998, 30, 600, 470)},
        {"-300 900 4000 3000", QRect(2, 30, 1596, 968)},
        {"1 2 3", QRect(330, 190, 940, 620)},
        {"1 2 0 5", QRect(330, 190, 940, 620)},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(FitWithin(StoredRect(c.stored), screen, frame), c.expected) << c.stored.toStdString();
        EXPECT_EQ(StoredText(c.expected), QString("%1 %2 %3 %4")
                                              .arg(c.expected.x())
                                              .arg(c.expected.y())
                                              .arg(c.expected.width())
                                              .arg(c.expected.height()));
    }
}

// Of two backups unfinished saves left, the newer is offered, by its name and time, and Yes puts back
// that one; the other stays for the next Open.
TEST(FileGuard, OffersTheNewerOfTwoBackups) {
    for (const char* newer : {"1", "2"}) {
        SCOPED_TRACE(newer);
        QTemporaryDir folder;
        const QString file = folder.filePath("conf.xml"),
                      backup = folder.filePath(".conf.xml.velto-backup-%1-0");
        const QString older = newer == QString("1") ? "2" : "1";
        Put(file, "<ACTUATOR>\r\n<dev");
        Put(backup.arg(newer), "<ACTUATOR>\r\n<!-- newer -->\r\n</ACTUATOR>\r\n",
            QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
        Put(backup.arg(older), "<ACTUATOR>\r\n<!-- older -->\r\n</ACTUATOR>\r\n",
            QDateTime(QDate(2026, 1, 1), QTime(3, 4, 5)));
        ScriptedToolkit toolkit;
        FileGuard guard(toolkit, nullptr, [] { return false; });
        toolkit.expectBox(kAnswerYes);
        EXPECT_TRUE(guard.offerLeftoverBackup(file));
        EXPECT_TRUE(toolkit.takeBoxes().front().text.contains("contents are in " + Shown(backup.arg(newer)) +
                                                              ", of 2026-01-02 03:04:05."));
        EXPECT_EQ(ReadAll(file), "<ACTUATOR>\r\n<!-- newer -->\r\n</ACTUATOR>\r\n");
        EXPECT_EQ(QFile::exists(backup.arg(newer)), false);
        EXPECT_EQ(QFile::exists(backup.arg(older)), true);
    }
}

TEST(WindowTitle, NamesTheFileAndItsMark) {
    EXPECT_EQ(WindowTitle("", false, true), "Velto-Configurator V.1.0");
    EXPECT_EQ(WindowTitle("", true, true), "Senza nome[*] - Velto-Configurator V.1.0");
    EXPECT_EQ(WindowTitle("", true, false), "Untitled[*] - Velto-Configurator V.1.0");
    EXPECT_EQ(WindowTitle("/a/b[*].xml", false, false), "b[*][*].xml[*] - Velto-Configurator V.1.0");
}

// The device grid's group column shows the group's name, for the last device address too.
TEST(GridRows, DeviceGroupTip) {
    ConfigModel model;
    model.GroupTable[kMaxGroup] = "Garden";
    model.DeviceTable[kMaxDeviceAddress].group = kMaxGroup;
    model.DeviceTable[5].group = 2;
    EXPECT_EQ(DeviceGroupTip(model, "99"), "Garden");
    EXPECT_EQ(DeviceGroupTip(model, "5"), "");
    EXPECT_EQ(DeviceGroupTip(model, "100"), "");
    model.GroupTable[2] = std::string(1'000'000, 'x');
    EXPECT_EQ(DeviceGroupTip(model, "5"), QString(256, 'x') + QChar(0x2026));
}

// The Edit menu names a step by its record's name shortened as the grids show it.
TEST(ChangeNote, NamesTheRecordShortened) {
    const ChangeNote note = NoteOf(StepKind::Delete, Subject::Load, 3, 0, QString(1'000'000, 'x'));
    EXPECT_EQ(note.english, "deleting load 3 “" + QString(256, 'x') + QChar(0x2026) + "”");
}

} // namespace
} // namespace velto::testing
