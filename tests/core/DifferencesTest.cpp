#include "Differences.h"

#include "ComparisonReport.h"
#include "ConfReader.h"

#include <functional>
#include <gtest/gtest.h>

namespace velto {
namespace {

ConfigModel Sample() {
    ConfigModel model;
    ClearConfiguration(model);
    model.DeviceTable[11] = {"Luce", false, 1, "1d", 0, 1};
    model.LoadTable[3] = "Forno";
    model.CameraTable[1] = {"Ingresso", "4000"};
    model.ScenarioTable[2] = {"Sera", "12"};
    return model;
}

TEST(Differences, EachFieldAsTheGridsShowItInBothLanguages) {
    const struct {
        const char* what;
        std::function<void(ConfigModel& then, ConfigModel& now)> change;
        const char *italian, *english;
    } cases[] = {
        {"nothing", [](ConfigModel&, ConfigModel& now) { now.DeviceTable[11].inUse = 4; },
         "Le configurazioni sono uguali.\n", "The configurations are the same.\n"},
        {"a device's name, group and type",
         [](ConfigModel&, ConfigModel& now) { now.DeviceTable[11] = {"Luce sala", false, 2, "1", 0, 1}; },
         "1 attuatore modificato\n\nAttuatori\n  modificato: indirizzo 11 «Luce sala»\n"
         "    nome: «Luce» → «Luce sala»\n    gruppo: «1» → «2»\n    Tipo: «on/off» → «dimmer»\n",
         "1 device changed\n\nDevice\n  changed: address 11 «Luce sala»\n"
         "    name: «Luce» → «Luce sala»\n    group: «1» → «2»\n    type: «on/off» → «dimmer»\n"},
        {"a device's marks only a file sets",
         [](ConfigModel&, ConfigModel& now) {
             now.DeviceTable[11].pull = true, now.DeviceTable[11].dimmer = 40;
         },
         "1 attuatore modificato\n\nAttuatori\n  modificato: indirizzo 11 «Luce»\n"
         "    pull: «» → «pull»\n    dimmer: «0» → «40»\n",
         "1 device changed\n\nDevice\n  changed: address 11 «Luce»\n"
         "    pull: «» → «pull»\n    dimmer: «0» → «40»\n"},
        {"a camera's riser", [](ConfigModel&, ConfigModel& now) { now.CameraTable[1].address = "4000#2"; },
         "1 telecamera modificata\n\nTelecamere\n  modificata: numero 1 «Ingresso»\n"
         "    montante: «Privato» → «Pubblico»\n",
         "1 camera changed\n\nCameras\n  changed: number 1 «Ingresso»\n    bus: «Private» → «Local rise»\n"},
        {"two risers that show alike, as the file holds them",
         [](ConfigModel& then, ConfigModel& now) {
             then.CameraTable[1].address = "4000#2";
             now.CameraTable[1].address = "4000#3";
         },
         "1 telecamera modificata\n\nTelecamere\n  modificata: numero 1 «Ingresso»\n    montante: «#2» → "
         "«#3»\n",
         "1 camera changed\n\nCameras\n  changed: number 1 «Ingresso»\n    bus: «#2» → «#3»\n"},
        {"a scenario's bus and address",
         [](ConfigModel&, ConfigModel& now) { now.ScenarioTable[2].address = "13#4#2"; },
         "1 scenario modificato\n\nScenari F420\n  modificato: numero 2 «Sera»\n"
         "    indirizzo: «12» → «13»\n    montante: «privato» → «locale I=2»\n",
         "1 scenario changed\n\nF420 scenarios\n  changed: number 2 «Sera»\n"
         "    address: «12» → «13»\n    bus: «Private» → «local I=2»\n"},
        {"records added and removed, by their name",
         [](ConfigModel&, ConfigModel& now) {
             now.LoadTable[3].clear();
             now.ProbeTable[7] = "Cucina";
             now.Mh200ScenarioTable[5] = {"Via", "0099", "0100"};
         },
         "1 carico eliminato, 1 sonda aggiunta, 1 scenario MH200 aggiunto\n\nCarichi\n  eliminato: priorità "
         "3 "
         "«Forno»\n\nSonde\n  aggiunta: zona 7 «Cucina»\n\nScenari MH200\n  aggiunto: numero 5 «Via»\n",
         "1 load removed, 1 probe added, 1 MH200 scenario added\n\nLoad\n  removed: priority 3 «Forno»\n\n"
         "Probe\n  added: zone 7 «Cucina»\n\nMH200 scenarios\n  added: number 5 «Via»\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ConfigModel then = Sample(), now = Sample();
        c.change(then, now);
        EXPECT_EQ(DifferencesText(CompareConfigurations(then, now, true), true), c.italian);
        EXPECT_EQ(DifferencesText(CompareConfigurations(then, now, false), false), c.english);
    }
}

ConfigModel Read(const char* text) {
    ConfigModel model;
    std::string version;
    EXPECT_TRUE(LoadConfigBytes(text, model, version, [](const Notice&) { ADD_FAILURE() << "a notice"; }));
    return model;
}

TEST(Differences, FilesThatDifferOnlyInOrderAndLayoutAreTheSame) {
    const ConfigModel written = Read(R"(<ACTUATOR>
<version number="1.0.4"></version>
<device name="Luce" point="11" group="1" pull="" type="1d"></device>
<device name="Tenda" point="12" group="" pull="" type="2"></device>
<group name="Sala" group="1"></group>
<camera name="Ingresso" number="1" adr="4000" type="2"></camera>
</ACTUATOR>)");
    const ConfigModel reordered = Read(R"(<?xml version="1.0"?>
<ACTUATOR><camera type='2' adr='4000' number='1' name='Ingresso'/>
  <group group="1" name="Sala"/>
  <device type="2" point="12" name="Tenda" group="" pull=""/>
  <device   point="11"  name="Luce" group="1" pull="" type="1d" />
  <version number="1.0.4"/>
</ACTUATOR>)");
    EXPECT_TRUE(CompareConfigurations(written, reordered, false).same());
}

TEST(Differences, ReportNamesBothFilesAndGivesEachChangedFieldItsRow) {
    ConfigModel then = Sample(), now = Sample();
    now.DeviceTable[11] = {"Luce sala", false, 2, "1d", 0, 1};
    now.LoadTable[3].clear();
    const ReportDocument report =
        ComparisonReport(CompareConfigurations(then, now, false), {"old.xml", "ab12"}, {"conf.xml", ""},
                         {{2026, 12, 7}, 9, 5}, false);
    EXPECT_EQ(report.heading, "old.xml → conf.xml");
    const ReportFact before{"Before", "old.xml", "SHA-256: ab12"},
        after{"After", "conf.xml", "describes unsaved changes"};
    EXPECT_EQ(report.project[0][0].detail, before.detail);
    EXPECT_EQ(report.project[0][1].value, after.value);
    EXPECT_EQ(report.project[0][1].detail, after.detail);
    EXPECT_EQ(report.counts.at(0).value, "1 device changed, 1 load removed");
    ASSERT_EQ(report.sections.size(), 2u);
    const std::vector<std::vector<std::string>> devices{
        {"changed", "address 11 «Luce sala»", "name", "Luce", "Luce sala"}, {"", "", "group", "1", "2"}};
    EXPECT_EQ(report.sections[0].rows, devices);
    const std::vector<std::vector<std::string>> loads{{"removed", "priority 3 «Forno»", "", "", ""}};
    EXPECT_EQ(report.sections[1].rows, loads);
}

} // namespace
} // namespace velto
