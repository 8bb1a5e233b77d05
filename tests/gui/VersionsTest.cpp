// clang-format off
#include "WindowFixture.h" // before any Qt header: its core helpers use Qt's keywords as names
#include "VersionsDialog.h"
// clang-format on
#include "Process.h"
#include "Sha256.h"
#include "SystemError.h"
#include "VersionStore.h"

#include <QSpinBox>
#include <QTreeWidget>

namespace velto::testing {
namespace {

class Versions : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        path = folder.filePath("conf.xml");
    }
    // Adds a load of that priority and saves over the file.
    void addLoadAndSave(int priority) {
        add(1, record(1, QStringLiteral("Load %1").arg(priority), priority));
        save(path);
    }
    QString versionsRoot() const {
        return QString::fromStdString(FileName(UserDataFolder() / "velto-configurator/versions"));
    }
    // Opens File > Versions and does what user does in it; the rows it listed, "time|size|summary".
    QStringList inVersions(const std::function<void(QDialog&)>& user = [](QDialog&) {}) {
        QStringList rows;
        toolkit.expectForm([&](QDialog& dialog) {
            auto* list = dialog.findChild<QTreeWidget*>("Lver");
            for (int row = 0; list && row < list->topLevelItemCount(); ++row)
                rows << QString::number(list->topLevelItem(row)->text(0).size()) + '|' +
                            list->topLevelItem(row)->text(1) + '|' + list->topLevelItem(row)->text(2);
            user(dialog);
            return dialog.result() == QDialog::Accepted;
        });
        trigger("mVersions");
        return rows;
    }

    QTemporaryDir folder;
    QString path;
};

// Each save keeps the file it replaces; a version that cannot be kept does not stop the save, and the
// window says so once.
TEST_F(Versions, SaveKeepsWhatItReplacesAndSaysOnceWhenItCannot) {
    addLoadAndSave(1);
    const QByteArray first = ReadAll(path);
    addLoadAndSave(2);
    EXPECT_EQ(inVersions(), QStringList{"19|" + QString::number(first.size()) + " byte|1 carico aggiunto"});
    EXPECT_TRUE(toolkit.takeBoxes().isEmpty());

    // A folder where the record of the file's path goes: no version can be kept.
    const std::filesystem::path record =
        VersionStore(UserVersionsRoot()).folderOf(path.toStdString()) / "path";
    std::filesystem::remove(record);
    std::filesystem::create_directory(record);
    toolkit.expectBox(kAnswerOk);
    addLoadAndSave(3);
    EXPECT_EQ(onlyBox(), (RecordedBox{"Le versioni sostituite dai salvataggi non vengono conservate in " +
                                          Shown(versionsRoot()) + ":\n" +
                                          QString::fromStdString(SystemErrorText(EISDIR)),
                                      "Attenzione", Buttons::Ok, Icon::Exclamation}));
    EXPECT_TRUE(ReadAll(path).contains("Load 3"));
    addLoadAndSave(4);
    EXPECT_TRUE(toolkit.takeBoxes().isEmpty()) << "said once";
    EXPECT_TRUE(ReadAll(path).contains("Load 4"));
    EXPECT_FALSE(window->isWindowModified()) << "saved";
}

// Restore puts the version in the window as one step that undo takes back, the file untouched;
// Compare shows the version chosen against the window's configuration.
TEST_F(Versions, RestoreIsOneStepAndCompareHandsTheVersionOn) {
    addLoadAndSave(1);
    const QByteArray oneLoad = ReadAll(path);
    addLoadAndSave(2);
    addLoadAndSave(3);
    const QByteArray threeLoads = ReadAll(path);

    std::optional<VersionToCompare> compared;
    inVersions([&](QDialog& dialog) {
        QObject::connect(static_cast<VersionsDialog*>(&dialog), &VersionsDialog::compareRequested,
                         [&](const VersionToCompare& version) { compared = version; });
        auto* list = dialog.findChild<QTreeWidget*>("Lver");
        list->setCurrentItem(list->topLevelItem(1));
        QTest::mouseClick(dialog.findChild<QPushButton*>("Ccompare"), Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QPushButton*>("Crestore"), Qt::LeftButton);
    });
    ASSERT_TRUE(compared);
    EXPECT_EQ(compared->sha256.toStdString(), Sha256Hex(oneLoad.toStdString()));
    EXPECT_EQ(compared->tables->LoadTable[1], "Load 1");
    EXPECT_EQ(compared->tables->LoadTable[2], "");
    EXPECT_EQ(compared->name.size(), 19);
    // The window shows the comparison: from that version to the three loads in the window.
    const auto* view = window->findChild<QDialog*>("Fconfronto");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->findChild<QLabel*>("Lsommario")->text(), "2 carichi aggiunti");

    EXPECT_EQ(rows("Fl_gru"), QStringList{"Load 1|1"});
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(find<QAction>("mUndo")->text(), "Annulla ripristino della versione del " + compared->name);
    EXPECT_EQ(ReadAll(path), threeLoads);
    trigger("mUndo");
    EXPECT_EQ(rows("Fl_gru").size(), 3);
    EXPECT_FALSE(window->isWindowModified());
}

// The dialog sets how many versions of each file are kept, Enter there setting it and nothing else;
// the next save keeps no more.
TEST_F(Versions, SetsHowManyAreKept) {
    for (const int priority : {1, 2, 3})
        addLoadAndSave(priority);
    inVersions([](QDialog& dialog) {
        auto* kept = dialog.findChild<QSpinBox*>("Nkeep");
        EXPECT_EQ(kept->value(), 20);
        EXPECT_EQ(dialog.findChild<QLabel*>("Lkeep")->text(), "&Versioni conservate di ogni file:");
        dialog.show(); // shown and active, so that Enter finds the default button as it does for the user
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        kept->setFocus();
        QTest::keyClick(kept, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(kept, "1");
        QTest::keyClick(kept, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << "Enter restored a version";
        QTest::mouseClick(dialog.findChild<QPushButton*>("Cclose"), Qt::LeftButton);
    });
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(VersionStore(UserVersionsRoot()).keptCount(), 1);
    addLoadAndSave(4);
    EXPECT_EQ(inVersions().size(), 1);
}

// A configuration never saved has no versions, and the dialog says so.
TEST_F(Versions, NeverSavedHasNone) {
    inVersions([](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLabel*>("Lnone")->text(),
                  "La configurazione non è mai stata salvata: non ha versioni.");
        EXPECT_FALSE(dialog.findChild<QPushButton*>("Crestore")->isEnabled());
        QTest::mouseClick(dialog.findChild<QPushButton*>("Cclose"), Qt::LeftButton);
    });
}

} // namespace
} // namespace velto::testing
