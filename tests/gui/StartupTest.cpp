#include "WindowFixture.h"

#include <QStatusBar>
#include <QTabWidget>

namespace velto::testing {
namespace {

class Startup : public WindowFixture {
protected:
    void SetUp() override {} // each case stores its setting before the window starts
};

TEST_F(Startup, StoredLanguageChoosesTheInterface) {
    struct Case {
        const char* stored; // nullptr: no setting yet
        bool italian;
    };
    const Case cases[] = {{nullptr, true}, {"ita", true}, {"eng", false}, {"ITA", false}, {"", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(none)");
        toolkit.settings.clear();
        if (c.stored)
            toolkit.settings.insert("option/language", c.stored);
        startWindow();
        EXPECT_EQ(window->isItalian(), c.italian);
        EXPECT_EQ(toolkit.settings.value("option/language"), c.italian ? "ita" : "eng");
        EXPECT_EQ(action("mNew")->text(), c.italian ? "Nuovo" : "New");
        EXPECT_EQ(window->statusText(), c.italian ? "Nuovo file" : "New file");
        EXPECT_EQ(caption("Ltot"), c.italian ? "0 Attuatori" : "0 Device");
        EXPECT_EQ(caption("LtotW"), "0 Camera");
        EXPECT_EQ(find<QTabWidget>("STab")->tabText(3), "Camera");
    }
}

} // namespace
} // namespace velto::testing
