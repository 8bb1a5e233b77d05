#include "WindowFixture.h"

#include <QCryptographicHash>
#include <QTreeWidget>

namespace velto::testing {
namespace {

const QByteArray kOther = "<ACTUATOR>\r\n<version number=\"1.0.4\"></version>\r\n"
                          "<device name=\"Luce\" point=\"11\" group=\"1\" pull=\"\" type=\"1d\"></device>\r\n"
                          "<load name=\"Forno\" priority=\"3\"></load>\r\n</ACTUATOR>\r\n";
const QByteArray kMine =
    "<ACTUATOR>\r\n<version number=\"1.0.4\"></version>\r\n"
    "<device name=\"Luce sala\" point=\"11\" group=\"1\" pull=\"\" type=\"1d\"></device>\r\n"
    "<probe name=\"Cucina\" number=\"7\"></probe>\r\n</ACTUATOR>\r\n";

// The digest of the bytes by Qt's own SHA-256, apart from the program's.
QString Digest(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

class Compare : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        trigger("mEng");
        Put(path("other.xml"), kOther);
        Put(path("mine.xml"), kMine);
        Put(path("broken.xml"), "<ACTUATOR><device>");
        open(path("mine.xml"));
    }
    QString path(const QString& name) const { return folder.filePath(name); }
    QList<QDialog*> views() const { return window->findChildren<QDialog*>("Fconfronto"); }
    QString label(QDialog* view, const char* name) const { return view->findChild<QLabel*>(name)->text(); }

    QTemporaryDir folder;
};

TEST_F(Compare, ShowsWhatChangedAndTheRecordOfADifference) {
    toolkit.expectDialog(path("other.xml"));
    trigger("mCompare");
    ASSERT_EQ(views().size(), 1);
    QDialog* view = views().front();
    EXPECT_TRUE(view->isVisible() && !view->isModal());
    EXPECT_EQ(label(view, "Lfile"), "Before: other.xml (SHA-256: " + Digest(kOther) +
                                        ")\nAfter: mine.xml (SHA-256: " + Digest(kMine) + ")");
    EXPECT_EQ(label(view, "Lsommario"), "1 device changed, 1 load removed, 1 probe added");
    auto* tree = view->findChild<QTreeWidget*>("Tdifferenze");
    QStringList shown;
    for (QTreeWidgetItemIterator item(tree); *item; ++item) {
        QStringList cells;
        for (int column = 0; column < 4; ++column)
            cells << (*item)->text(column);
        shown << cells.join('|');
    }
    const QStringList expected{"Device|||",
                               "changed: address 11 «Luce sala»|||",
                               "|name|«Luce»|«Luce sala»",
                               "Load|||",
                               "removed: priority 3 «Forno»|||",
                               "Probe|||",
                               "added: zone 7 «Cucina»|||"};
    EXPECT_EQ(shown, expected);

    // A double click on the probe added shows it in its tab.
    QTreeWidgetItem* probe = tree->topLevelItem(2)->child(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    tree->scrollToItem(probe);
    // A double click, as the system delivers it: the first click, then the second as a double click.
    const QPoint at = tree->visualItemRect(probe).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(find<QTabWidget>("STab")->currentIndex(), 2);
    EXPECT_EQ(grid("Fl_prob")->currentDataRow(), 1);

    QTest::mouseClick(view->findChild<QPushButton*>("Ccopia"), Qt::LeftButton);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(
        "1 device changed, 1 load removed, 1 probe added\n\nDevice\n  changed: address 11 «Luce sala»\n"));
}

// A file that cannot be read gets Open's box and no comparison; changes not saved have no fingerprint.
TEST_F(Compare, UnreadableFileAndUnsavedChanges) {
    toolkit.expectBox(kAnswerOk);
    toolkit.expectDialog(path("broken.xml"));
    trigger("mCompare");
    const QList<RecordedBox> boxes = toolkit.takeBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].icon, Icon::Critical);
    EXPECT_TRUE(views().isEmpty());

    nameSlot("Lgru", "Tngru", 3, "Cucina");
    toolkit.expectDialog(path("mine.xml"));
    trigger("mCompare");
    ASSERT_EQ(views().size(), 1);
    EXPECT_TRUE(label(views().front(), "Lfile").endsWith("After: mine.xml (describes unsaved changes)"));
    EXPECT_EQ(label(views().front(), "Lsommario"), "1 group added");
}

// The report of the file as saved carries its bytes' digest; with changes, it says it describes them.
TEST_F(Compare, ReportCarriesTheSavedFilesFingerprint) {
    const auto report = [&](const QString& name) {
        toolkit.expectForm(Project());
        toolkit.expectDialog(path(name), "HTML");
        trigger("mReport");
        return QString::fromUtf8(ReadAll(path(name)));
    };
    EXPECT_TRUE(report("saved.html").contains("mine.xml<br/>SHA-256: " + Digest(kMine) + "</td>"));
    nameSlot("Lgru", "Tngru", 3, "Cucina");
    EXPECT_TRUE(report("unsaved.html").contains("mine.xml<br/>describes unsaved changes</td>"));
    save(path("mine.xml"));
    EXPECT_TRUE(report("resaved.html").contains("SHA-256: " + Digest(ReadAll(path("mine.xml")))));
}

} // namespace
} // namespace velto::testing
