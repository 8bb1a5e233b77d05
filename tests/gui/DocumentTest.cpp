// The document without a window: its history over the tables and the recovery file that follows it.
#include "Document.h"

#include "ConfWriter.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace velto {
namespace {

// A change to the last slot of each table is a step, undone and redone whole, and reaches the recovery
// file.
TEST(Document, TheLastSlotOfEveryTableIsAStep) {
    const std::pair<const char*, std::function<void(ConfigModel&)>> changes[] = {
        {"Group", [](ConfigModel& m) { m.GroupTable[kMaxGroup] = "Group"; }},
        {"Bell", [](ConfigModel& m) { m.AuxTable[kMaxAux] = "Bell"; }},
        {"Oven", [](ConfigModel& m) { m.LoadTable[kMaxLoad] = "Oven"; }},
        {"Hall", [](ConfigModel& m) { m.ProbeTable[kMaxProbe] = "Hall"; }},
        {"Gate",
         [](ConfigModel& m) {
             m.CameraTable[kMaxCamera] = {"Gate", "4000"};
         }},
        {"Evening",
         [](ConfigModel& m) {
             m.ScenarioTable[kMaxScenario] = {"Evening", "12"};
         }},
    };
    QTemporaryDir folder;
    Document document(RecoveryFile(folder.path().toStdString(), 1, 2));
    // Four writes a change (its commit, undo, redo, undo): the commit's always goes to the first file.
    const QString recovery = folder.filePath("1-2.1.xml");
    const std::string empty = WriteConfig(ConfigModel{});
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        change(document.tables());
        document.commit({QString("it %1").arg(name), QString("en %1").arg(name)});
        const std::string changed = WriteConfig(document.tables());
        EXPECT_NE(changed, empty);
        QFile written(recovery);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_TRUE(written.readAll().contains(name));
        EXPECT_EQ(document.history().undoName(false), QString("en %1").arg(name));
        document.undo();
        EXPECT_EQ(WriteConfig(document.tables()), empty);
        EXPECT_EQ(document.history().redoName(true), QString("it %1").arg(name));
        document.redo();
        EXPECT_EQ(WriteConfig(document.tables()), changed);
        document.undo();
    }
}

// Modified: away from the saved state, or marked; a kept mark survives undo and redo, the passing one
// of an edit that changed nothing does not; saving and putting a configuration in place clear both.
TEST(Document, ModifiedHasOneAnswer) {
    QTemporaryDir folder;
    Document document(RecoveryFile(folder.path().toStdString(), 1, 2));
    QSignalSpy signalled(&document, &Document::modifiedChanged);
    const auto change = [&](const char* name) {
        document.tables().LoadTable[1] = name;
        document.commit({});
    };
    change("Oven");
    document.savedAs(folder.filePath("conf.xml"), {});
    document.markPassing();
    EXPECT_TRUE(document.isModified());
    change("Washer");
    document.undo();
    EXPECT_FALSE(document.isModified());
    document.markModified();
    document.redo();
    document.undo();
    EXPECT_TRUE(document.isModified());
    document.savedAs(folder.filePath("conf.xml"), {});
    EXPECT_FALSE(document.isModified());
    document.putInPlace(std::make_unique<ConfigModel>(), {}, Document::Arrival::Recovered);
    EXPECT_TRUE(document.isModified());
    change("Fan");
    document.undo();
    EXPECT_TRUE(document.isModified());
    document.putInPlace(std::make_unique<ConfigModel>(), {}, Document::Arrival::AsSaved);
    EXPECT_FALSE(document.isModified());
    QList<bool> changes;
    for (const QList<QVariant>& arguments : signalled)
        changes << arguments.front().toBool();
    EXPECT_EQ(changes, QList<bool>({true, false, true, false, true, false, true, false}));
}

// 500 steps are kept: undoing them all from the state put in place does not reach it, which stays
// modified.
TEST(Document, KeepsTheLast500Steps) {
    QTemporaryDir folder;
    Document document(RecoveryFile(folder.path().toStdString(), 1, 2));
    for (int i = 1; i <= 501; ++i) {
        document.tables().AuxTable[1] = std::to_string(i);
        document.commit({});
    }
    for (int i = 0; i < 500; ++i)
        document.undo();
    EXPECT_EQ(QList<QVariant>({document.history().canUndo(),
                               QString::fromStdString(document.tables().AuxTable[1]), document.isModified()}),
              QList<QVariant>({false, "1", true}));
}

} // namespace
} // namespace velto
