#include "WindowFixture.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>

namespace velto::testing {
namespace {

class Language : public WindowFixture {
protected:
    // The caption of a menu, command, tab ("STab(n)"), button, label or frame.
    QString captionOf(const QString& control) const {
        if (control.startsWith("STab("))
            return find<QTabWidget>("STab")->tabText(control.mid(5).chopped(1).toInt());
        QObject* target = window->findChild<QObject*>(control);
        if (auto* command = qobject_cast<QAction*>(target))
            return command->text();
        if (auto* menu = qobject_cast<QMenu*>(target))
            return menu->title();
        if (auto* pressable = qobject_cast<QAbstractButton*>(target))
            return pressable->text();
        if (auto* label = qobject_cast<QLabel*>(target))
            return label->text();
        if (auto* frame = qobject_cast<QGroupBox*>(target))
            return frame->title();
        ADD_FAILURE() << "no captioned control " << control.toStdString();
        return {};
    }
    QStringList headings(const QString& gridName) const {
        QStringList result;
        GridView* target = grid(gridName);
        for (int column = 0; column < target->columnCount(); ++column)
            result << target->horizontalHeaderItem(column)->text();
        return result;
    }
};

QStringList BusItems(const QString& privateBus, const QString& localBus) {
    QStringList items{privateBus};
    for (int bus = 1; bus <= 9; ++bus)
        items << localBus + QString::number(bus);
    return items;
}

struct Caption {
    const char* control;
    const char* italian;
    const char* english;
};

const Caption kCaptions[] = {
    {"mFile", "File", "File"},
    {"mNew", "Nuovo", "New"},
    {"mOpen", "Apri", "Open"},
    {"mSave", "Salva", "Save"},
    {"mExit", "Esci", "Exit"},
    {"mLang", "Lingua", "Language"},
    {"mIta", "Italiano", "Italian"},
    {"mEng", "Inglese", "English"},
    {"STab(0)", "Attuatori / Aux", "Device / Aux"},
    {"STab(1)", "Carichi", "Load"},
    {"STab(2)", "Sonde termo", "Thermo probe"},
    {"STab(3)", "Camera", "Camera"},
    {"STab(4)", "Scenari", "Scenario"},
    {"Cnew", "Nuovo", "New"},
    {"CnewC", "Nuovo", "New"},
    {"CnewP", "Nuovo", "New"},
    {"CnewW", "Nuovo", "New"},
    {"CNews", "Nuovo", "New"},
    {"Cmod", "Modifica", "Modify"},
    {"CmodC", "Modifica", "Modify"},
    {"CmodP", "Modifica", "Modify"},
    {"CmodW", "Modifica", "Modify"},
    {"CModS", "Modifica", "Modify"},
    {"Cdel", "Elimina", "Delete"},
    {"CdelC", "Elimina", "Delete"},
    {"CdelP", "Elimina", "Delete"},
    {"CdelW", "Elimina", "Delete"},
    {"CDelS", "Elimina", "Delete"},
    {"Cann", "Cancella", "Cancel"},
    {"CannC", "Cancella", "Cancel"},
    {"CAnnP", "Cancella", "Cancel"},
    {"CannW", "Cancella", "Cancel"},
    {"CannS", "Cancella", "Cancel"},
    {"Cok", "Conferma", "Accept"},
    {"CokC", "Conferma", "Accept"},
    {"CokP", "Conferma", "Accept"},
    {"CokW", "Conferma", "Accept"},
    {"CokS", "Conferma", "Accept"},
    {"Frg", "Grouppo", "Group"},
    {"Fraux", "Aux", "Aux"},
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
    {"LtotW", "0 Camera", "0 Camera"},
};

TEST_F(Language, EveryCaptionInBothLanguages) {
    for (const char* command : {"mEng", "mIta", "mEng", "mIta"}) {
        trigger(command);
        const bool italian = QString(command) == "mIta";
        SCOPED_TRACE(command);
        EXPECT_EQ(window->isItalian(), italian);
        EXPECT_EQ(toolkit.settings.value("option/language"), italian ? "ita" : "eng");
        for (const Caption& c : kCaptions)
            EXPECT_EQ(captionOf(c.control), italian ? c.italian : c.english) << c.control;
        EXPECT_EQ(items("Ctipo"), (QStringList{"dimmer", "autom.", "on/off"}));
        EXPECT_EQ(items("Cbus"),
                  italian ? BusItems("privato", "locale I=") : BusItems("Private", "local I="));
        EXPECT_EQ(items("Cmont"),
                  (italian ? QStringList{"Privato", "Pubblico"} : QStringList{"Private", "Local rise"}));
    }
}

TEST_F(Language, CountLabelsKeepTheirNumbers) {
    for (const int address : {11, 12, 13, 14, 15, 16, 17})
        model().DeviceTable[address] = {"Device", false, 0, "1", 0, 1};
    for (int priority = 1; priority <= 12; ++priority)
        model().LoadTable[priority] = "Load";
    model().ProbeTable[7] = "Hall";
    model().CameraTable[2] = {"Gate", "4100"};
    model().CameraTable[3] = {"Door", "4200"};
    window->RefreshAllViews();

    trigger("mEng");
    EXPECT_EQ(caption("Ltot"), "7 Device");
    EXPECT_EQ(caption("Ltotg"), "12 Load");
    EXPECT_EQ(caption("LtotP"), "1 Probe");
    EXPECT_EQ(caption("LtotW"), "2 Camera");
    EXPECT_EQ(caption("LtotS"), "0 Scenario");
    trigger("mIta");
    EXPECT_EQ(caption("Ltot"), "7 Attuatori");
    EXPECT_EQ(caption("Ltotg"), "12 Carichi");
    EXPECT_EQ(caption("LtotP"), "1 Sonde");
    EXPECT_EQ(caption("LtotW"), "2 Camera");
    EXPECT_EQ(caption("LtotS"), "0 Scenari");
}

TEST_F(Language, HeadingsChangeButShownRowsWaitForTheNextRefresh) {
    FillModel(model());
    window->RefreshAllViews();
    QStringList shownRows;
    for (const TabControls& c : Tabs())
        shownRows << rows(c.grid);
    ASSERT_EQ(rows("Fl_cam"), (QStringList{"Door|4000|1|Privato", "Gate|4100|5|Pubblico"}));

    struct Headings {
        const char* grid;
        QStringList italian;
        QStringList english;
    };
    const Headings expected[] = {
        {"Fl_dev", {"nome", "gruppo", "Tipo", "indirizzo"}, {"name", "group", "type", "address"}},
        {"Fl_gru", {"nome", "priorità"}, {"name", "priority"}},
        {"Fl_prob", {"nome", "zona"}, {"name", "zone"}},
        {"Fl_cam", {"nome", "indirizzo", "numero", "montante"}, {"name", "address", "number", "bus"}},
        {"Fl_sce", {"nome", "indirizzo", "numero"}, {"name", "address", "number"}},
    };
    trigger("mEng");
    QStringList afterSwitch;
    for (const Headings& h : expected) {
        EXPECT_EQ(headings(h.grid), h.english) << h.grid;
        afterSwitch << rows(h.grid);
    }
    EXPECT_EQ(afterSwitch, shownRows);

    window->RefreshAllViews();
    EXPECT_EQ(rows("Fl_cam"), (QStringList{"Door|4000|1|Private", "Gate|4100|5|Local rise"}));
    trigger("mIta");
    for (const Headings& h : expected)
        EXPECT_EQ(headings(h.grid), h.italian) << h.grid;
    EXPECT_EQ(rows("Fl_cam"), (QStringList{"Door|4000|1|Private", "Gate|4100|5|Local rise"}));
}

// The riser and bus chosen in an open editor stay chosen, now named in the other language.
TEST_F(Language, ChosenRiserAndBusSurviveASwitch) {
    clickTab(3);
    click("CnewW");
    choose("Cmont", 1);
    trigger("mEng");
    EXPECT_EQ(combo("Cmont")->currentText(), "Local rise");
    trigger("mIta");
    EXPECT_EQ(combo("Cmont")->currentText(), "Pubblico");

    clickTab(4);
    click("CNews");
    type("TnameS", "Evening");
    choose("CnumS", 2);
    choose("Cbus", 3);
    type("TindS", "12");
    ASSERT_TRUE(enabled("CokS"));
    trigger("mEng");
    EXPECT_EQ(combo("Cbus")->currentText(), "local I=3");
    EXPECT_TRUE(enabled("CokS"));
    click("CokS");
    EXPECT_EQ(model().ScenarioTable[3].address, "12#4#3");
}

} // namespace
} // namespace velto::testing
