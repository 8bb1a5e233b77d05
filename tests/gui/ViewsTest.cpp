#include "WindowFixture.h"

namespace velto::testing {
namespace {

using Views = WindowFixture;

QStringList Numbered(const QStringList& names) {
    QStringList result;
    for (int n = 1; n <= names.size(); ++n)
        result << QString::number(n) + ' ' + names[n - 1];
    return result;
}

TEST_F(Views, EmptyConfigurationShowsBlankGridsAndZeroCounts) {
    // Before any refresh the lists hold the bare numbers.
    const QStringList bare{"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    EXPECT_EQ(items("Lgru"), bare);
    EXPECT_EQ(items("Laux"), bare);
    EXPECT_EQ(items("Cgru"), bare);

    for (const bool refreshed : {false, true}) {
        SCOPED_TRACE(refreshed ? "after a refresh" : "at start-up");
        if (refreshed)
            window->RefreshAllViews();
        for (int tab = 0; tab < 5; ++tab) {
            const TabControls& c = Tabs()[tab];
            clickTab(tab);
            EXPECT_TRUE(emptyGrid(c.grid)) << c.grid;
            selectRow(c.grid, 1); // the blank row selects nothing
            EXPECT_FALSE(enabled(c.modifyButton)) << c.grid;
            EXPECT_FALSE(enabled(c.deleteButton)) << c.grid;
        }
        EXPECT_EQ(caption("Ltot"), "0 Attuatori");
        EXPECT_EQ(caption("Ltotg"), "0 Carichi");
        EXPECT_EQ(caption("LtotP"), "0 Sonde");
        EXPECT_EQ(caption("LtotW"), "0 Camera");
        EXPECT_EQ(caption("LtotS"), "0 Scenari");
    }
    EXPECT_EQ(items("Lgru"), Numbered(QStringList(9, "")));
    EXPECT_EQ(items("Laux"), Numbered(QStringList(9, "")));
    EXPECT_EQ(items("Cgru"), bare);
}

TEST_F(Views, RefreshListsEveryRecordInKeyOrder) {
    FillModel(model());
    model().DeviceTable[0] = {"Slot zero", false, 0, "1", 0, 9};
    model().DeviceTable[150] = {"Beyond", false, 0, "1", 0, 9};
    model().CameraTable[0] = {"Slot zero", "4500"};
    window->RefreshAllViews();

    EXPECT_EQ(rows("Fl_dev"), (QStringList{"Lamp|3|on/off|12", "Blind|0|autom.|37"}));
    EXPECT_EQ(rows("Fl_gru"), (QStringList{"Washer|2", "Oven|9"}));
    EXPECT_EQ(rows("Fl_prob"), QStringList{"Hall|40"});
    EXPECT_EQ(rows("Fl_cam"), (QStringList{"Door|4000|1|Privato", "Gate|4100|5|Pubblico"}));
    EXPECT_EQ(rows("Fl_sce"), QStringList{"Evening|12#4#2|3"});
    EXPECT_EQ(caption("Ltot"), "2 Attuatori");
    EXPECT_EQ(caption("Ltotg"), "2 Carichi");
    EXPECT_EQ(caption("LtotP"), "1 Sonde");
    EXPECT_EQ(caption("LtotW"), "2 Camera");
    EXPECT_EQ(caption("LtotS"), "1 Scenari");
    for (const TabControls& c : Tabs()) {
        EXPECT_TRUE(enabled(c.modifyButton)) << c.grid;
        EXPECT_TRUE(enabled(c.deleteButton)) << c.grid;
    }

    EXPECT_EQ(items("Lgru"), Numbered({"", "", "Kitchen", "", "", "", "", "", ""}));
    EXPECT_EQ(items("Laux"), Numbered({"", "Bell", "", "", "", "", "", "", ""}));
    EXPECT_EQ(items("Cgru"), (QStringList{"1", "2", "3 Kitchen", "4", "5", "6", "7", "8", "9"}));

    // Showing the riser leaves the stored address as it was, however often it is shown.
    window->RefreshAllViews();
    window->RefreshAllViews();
    EXPECT_EQ(rows("Fl_cam"), (QStringList{"Door|4000|1|Privato", "Gate|4100|5|Pubblico"}));
    EXPECT_EQ(model().CameraTable[5].address, "4100#2");
}

TEST_F(Views, SelectingARowEnablesModifyAndDeleteOnlyOnRecords) {
    model().LoadTable[4] = "Oven";
    window->RefreshAllViews();
    clickTab(1);
    EXPECT_TRUE(enabled("CmodC"));
    grid("Fl_gru")->clearSelection();
    grid("Fl_gru")->setCurrentCell(-1, -1);
    EXPECT_FALSE(enabled("CmodC"));
    EXPECT_FALSE(enabled("CdelC"));
    selectRow("Fl_gru", 1);
    EXPECT_TRUE(enabled("CmodC"));
    EXPECT_TRUE(enabled("CdelC"));
}

} // namespace
} // namespace velto::testing
