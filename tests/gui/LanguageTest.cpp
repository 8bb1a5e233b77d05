#include "WindowFixture.h"

#include <QHeaderView>
#include <QTemporaryDir>

namespace velto::testing {
namespace {

class Language : public WindowFixture {
protected:
    // The caption of a menu, command, tab ("STab(n)"), button, label or frame: its title or its text;
    // of an input: its hint.
    QString captionOf(const QString& control) const {
        if (control.startsWith("STab("))
            return find<QTabWidget>("STab")->tabText(control.mid(5).chopped(1).toInt());
        const QObject* target = find<QObject>(control);
        if (qobject_cast<const QLineEdit*>(target) || qobject_cast<const QComboBox*>(target))
            return static_cast<const QWidget*>(target)->toolTip();
        return target->property(target->property("title").isValid() ? "title" : "text").toString();
    }
    QStringList headings(const QString& gridName) const {
        QStringList result;
        for (int column = 0; column < grid(gridName)->columnCount(); ++column)
            result << grid(gridName)->horizontalHeaderItem(column)->text();
        return result;
    }
};

TEST_F(Language, StartUpFollowsTheStoredSetting) {
    struct Case {
        const char* stored; // nullptr: no setting yet
        bool italian;
    };
    for (const Case& c : {Case{nullptr, true}, {"ita", true}, {"eng", false}, {"ITA", false}, {"", false}}) {
        SCOPED_TRACE(c.stored ? c.stored : "(none)");
        toolkit.settings.clear();
        if (c.stored)
            toolkit.settings.insert("option/language", c.stored);
        startWindow();
        EXPECT_EQ(window->isItalian(), c.italian);
        EXPECT_EQ(toolkit.settings.value("option/language"), c.italian ? "ita" : "eng");
        EXPECT_EQ(caption("Ltot"), c.italian ? "0 Attuatori" : "0 Device");
    }
}

struct Caption {
    const char *control, *italian, *english;
};

// clang-format off
const Caption kCaptions[] = {
    {"mFile", "&File", "&File"},
    {"mNew", "Nuovo", "New"},
    {"mOpen", "Apri", "Open"},
    {"mSave", "Salva", "Save"},
    {"mReport", "Esporta rapporto…", "Export report…"},
    {"mPrint", "Stampa…", "Print…"},
    {"mRecent", "File recenti", "Recent files"},
    {"mExit", "Esci", "Exit"},
    {"mLang", "&Lingua", "&Language"},
    {"mIta", "Italiano", "Italian"},
    {"mEng", "Inglese", "English"},
    {"STab(0)", "Attuatori / Aux", "Device / Aux"},
    {"STab(1)", "Carichi", "Load"},
    {"STab(2)", "Sonde termo", "Thermo probe"},
    {"STab(3)", "Camera", "Camera"},
    {"STab(4)", "Scenari", "Scenario"},
    {"Frg", "Grouppo", "Group"},
    {"Fraux", "Aux", "Aux"},
    {"LtotW", "0 Camera", "0 Camera"},
    {"Lb(0)", "nome attuatore", "device name"},
    {"Lb(1)", "gruppo", "group"},
    {"Lb(2)", "Tipo", "type"},
    {"Lb(3)", "indirizzo", "address"},
    {"Lb(4)", "lista gruppi", "group list"},
    {"Lb(5)", "nome gruppo", "group name"},
    {"Lb(6)", "priorità", "priority"},
    {"Lb(7)", "nome carico", "load name"},
    {"Lb(8)", "nome aux", "aux name"},
    {"Lb(9)", "lista aux", "aux list"},
    {"Lb(10)", "nome sonda", "probe name"},
    {"Lb(11)", "zona", "zone"},
    {"Lb(12)", "numero", "number"},
    {"Lb(13)", "nome camera", "camera name"},
    {"Lb(14)", "indirizzo", "address"},
    {"Lb(15)", "montante", "bus"},
    {"Lb(16)", "montante", "bus"},
    {"Lb(17)", "indirizzo", "address"},
    {"Lb(18)", "nome scenario", "scenario name"},
    {"Lb(19)", "numero", "number"},
    {"Tind", "Indirizzo da 1 a 99, non multiplo di 10", "Address from 1 to 99, not a multiple of 10"},
    {"TindW", "Indirizzo da 4000 a 5000", "Address from 4000 to 5000"},
    {"TindS", "Indirizzo da 0 a 98; per un bus locale scegliere anche il bus", "Address from 0 to 98; for a local bus, choose the bus too"},
    {"Czona", "Zona da 1 a 99", "Zone from 1 to 99"},
    {"Cpriori", "Priorità da 1 a 16", "Priority from 1 to 16"},
};
// clang-format on

// Also the hints, the new-file status, and Qt's own buttons and dialog questions.
TEST_F(Language, EveryCaptionAndListInBothLanguages) {
    for (const char* command : {"mEng", "mIta", "mEng", "mIta"}) {
        SCOPED_TRACE(command);
        trigger(command);
        const bool italian = QString(command) == "mIta";
        EXPECT_EQ(window->isItalian(), italian);
        EXPECT_EQ(toolkit.settings.value("option/language"), italian ? "ita" : "eng");
        for (const Caption& c : kCaptions)
            EXPECT_EQ(captionOf(c.control), italian ? c.italian : c.english) << c.control;
        for (const TabControls& t : Tabs()) {
            QStringList captions;
            for (const char* button :
                 {t.newButton, t.modifyButton, t.deleteButton, t.cancelButton, t.confirmButton})
                captions << captionOf(button);
            EXPECT_EQ(captions.join(','), italian ? "Nuovo,Modifica,Elimina,Cancella,Conferma"
                                                  : "New,Modify,Delete,Cancel,Accept");
        }
        QStringList buses{italian ? "privato" : "Private"};
        for (int bus = 1; bus <= 9; ++bus)
            buses << (italian ? "locale I=" : "local I=") + QString::number(bus);
        EXPECT_EQ(items("Cbus"), buses);
        EXPECT_EQ(items("Cmont"),
                  (italian ? QStringList{"Privato", "Pubblico"} : QStringList{"Private", "Local rise"}));
        EXPECT_EQ(items("Ctipo"), (QStringList{"dimmer", "autom.", "on/off"}));
        EXPECT_EQ(window->statusText(), italian ? "Nuovo file" : "New file");
        const auto qt = [](const char* context, const char* text) {
            return QCoreApplication::translate(context, text);
        };
        EXPECT_EQ(qt("QPlatformTheme", "&Yes") + qt("QPlatformTheme", "Cancel"),
                  italian ? "&SìAnnulla" : "&YesCancel");
        const char* replace = "%1 already exists.\nDo you want to replace it?";
        EXPECT_EQ(qt("QFileDialog", replace) == replace, !italian);
    }
    // A path in the status bar stays as it is.
    QTemporaryDir folder;
    toolkit.expectDialog(folder.filePath("conf.xml"));
    trigger("mSave");
    trigger("mEng");
    EXPECT_EQ(window->statusText(), folder.filePath("conf.xml"));
}

// The counts keep their numbers, two digits included, and the chosen riser and bus stay chosen.
TEST_F(Language, CountsAndChoicesSurviveASwitch) {
    for (const int address : {11, 12, 13, 14, 15, 16, 17})
        model().DeviceTable[address] = {"Device", false, 0, "1", 0, 1};
    for (int priority = 1; priority <= 12; ++priority)
        model().LoadTable[priority] = "Load";
    model().ProbeTable[7] = "Hall";
    model().CameraTable[2] = {"Gate", "4100"};
    model().CameraTable[3] = {"Door", "4200"};
    window->RefreshAllViews();
    const QStringList italian{"7 Attuatori", "12 Carichi", "1 Sonde", "2 Camera", "0 Scenari"};
    const QStringList english{"7 Device", "12 Load", "1 Probe", "2 Camera", "0 Scenario"};
    for (const char* command : {"mEng", "mIta"}) {
        trigger(command);
        for (int tab = 0; tab < 5; ++tab)
            EXPECT_EQ(caption(Tabs()[tab].count), (QString(command) == "mIta" ? italian : english)[tab]);
    }

    clickTab(3);
    click("CnewW");
    choose("Cmont", 1);
    trigger("mEng");
    EXPECT_EQ(combo("Cmont")->currentText(), "Local rise");
    trigger("mIta");
    EXPECT_EQ(combo("Cmont")->currentText(), "Pubblico");

    clickTab(4);
    click("CNews");
    enter(4, {"Evening", "2", "3", "12"});
    trigger("mEng");
    EXPECT_EQ(combo("Cbus")->currentText(), "local I=3");
    click("CokS");
    EXPECT_EQ(model().ScenarioTable[3].address, "12#4#3");
}

TEST_F(Language, HeadingsChangeButShownRowsWaitForTheNextRefresh) {
    FillModel(model());
    window->RefreshAllViews();
    QStringList shownRows;
    for (const TabControls& c : Tabs())
        shownRows << rows(c.grid);
    trigger("mEng");
    QStringList afterSwitch;
    for (const TabControls& c : Tabs())
        afterSwitch << rows(c.grid);
    EXPECT_EQ(afterSwitch, shownRows);
    EXPECT_EQ(headings("Fl_cam"), (QStringList{"name", "address", "number", "bus"}));

    window->RefreshAllViews();
    EXPECT_EQ(rows("Fl_cam"), (QStringList{"Door|4000|1|Private", "Gate|4100|5|Local rise"}));
    trigger("mIta");
    EXPECT_EQ(headings("Fl_cam"), (QStringList{"nome", "indirizzo", "numero", "montante"}));
    EXPECT_EQ(rows("Fl_cam"), (QStringList{"Door|4000|1|Private", "Gate|4100|5|Local rise"}));
}

} // namespace
} // namespace velto::testing
