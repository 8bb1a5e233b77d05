#include "FindBar.h"

#include "GridView.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// Texts in failure messages as text, not as code units.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace velto::testing {
namespace {

// The find bar over five tabs, each with its grid, the first showing a group's name on hovering column 1.
class FindBarTest : public ::testing::Test {
protected:
    FindBarTest() {
        for (std::size_t tab = 0; tab < grids.size(); ++tab) {
            grids[tab] = new GridView(QStringLiteral("Fl_%1").arg(tab));
            tabs.addTab(grids[tab], QStringList{"Attuatori / Aux", "Carichi", "Sonde termo", "Camera",
                                                "Scenari"}[int(tab)]);
        }
        grids[0]->setup({"nome", "gruppo", "Tipo", "indirizzo"}, {},
                        {{"Lamp", "3", "dimmer", "12"}, {"Fan", "0", "on/off", "13"}});
        grids[0]->setToolTipSource(
            [](int row, int column) { return row == 1 && column == 1 ? "Cucina" : ""; });
        grids[1]->setup({"nome", "priorità"}, {}, {{"Forno cucina", "2"}, {"Washer", "9"}});
        grids[3]->setup({"nome", "indirizzo", "numero", "montante"}, {},
                        {{"Gate", "4100", "5", "Pubblico"}, {"Door", "4000", "1", "Privato"}});
        bar = std::make_unique<FindBar>(&box, &count, &tabs, grids);
    }
    QStringList titles() const {
        QStringList all;
        for (int tab = 0; tab < tabs.count(); ++tab)
            all << tabs.tabText(tab);
        return all;
    }

    QLineEdit box;
    QLabel count;
    QTabWidget tabs;
    std::array<GridView*, 5> grids{};
    std::unique_ptr<FindBar> bar;
};

// A row matches by what it shows and by its group's name; each tab not shown counts its matches in its
// title while the filter holds text, and every title is plain again once it is empty.
TEST_F(FindBarTest, OtherTabsCountTheirMatchesInTheirTitles) {
    QTest::keyClicks(&box, "cucina");
    EXPECT_EQ(grids[0]->shownRowCount(), 1); // Lamp, by its group's name
    EXPECT_EQ(count.text(), "1 di 2");
    EXPECT_EQ(titles(), (QStringList{"Attuatori / Aux", "Carichi (1)", "Sonde termo (0)", "Camera (0)",
                                     "Scenari (0)"}));
    tabs.setCurrentIndex(3);
    box.setText("pubblico"); // the riser as the camera grid shows it
    EXPECT_EQ(count.text(), "1 di 2");
    EXPECT_EQ(titles(), (QStringList{"Attuatori / Aux (0)", "Carichi (0)", "Sonde termo (0)", "Camera",
                                     "Scenari (0)"}));
    tabs.setTabText(1, "Load"); // the window's language switch writes a title of its own
    bar->setItalian(false);
    EXPECT_EQ(titles()[1], "Load (0)");
    box.clear();
    EXPECT_EQ(titles(), (QStringList{"Attuatori / Aux", "Load", "Sonde termo", "Camera", "Scenari"}));
}

} // namespace
} // namespace velto::testing
