#include "CoreTestSupport.h"
#include "FolderTest.h"
#include "VeltoConf.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace velto {
namespace {

namespace fs = std::filesystem;
using Outcome = std::tuple<int, std::string, std::string>; // exit status, standard output, standard error

Outcome Invoke(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int status = RunVeltoConf(arguments, out, err);
    return {status, out.str(), err.str()};
}

// Each test runs in a folder of its own holding these files.
class VeltoConfDiff : public test::FolderTest {
protected:
    VeltoConfDiff() {
        Put("a.xml", test::Doc(R"(<device name="Luce" point="11" group="1" pull="" type="1d"></device>)"
                               R"(<load name="Forno" priority="3"></load>)"));
        Put("reordered.xml", "<ACTUATOR><load priority='3' name='Forno'/>\n  <version number='1.0.4'/>"
                             "<device type='1d' point='11' pull='' group='1' name='Luce'/></ACTUATOR>");
        Put("b.xml", test::Doc(R"(<device name="Luce sala" point="11" group="1" pull="" type="1"></device>)"
                               R"(<probe name="Cucina" number="7"></probe>)"));
        Put("broken.xml", "<ACTUATOR><device>");
    }
};

TEST_F(VeltoConfDiff, SaysWhatChangedAndAnswersAsDiffDoes) {
    const std::string italian =
        "1 attuatore modificato, 1 carico eliminato, 1 sonda aggiunta\n\nAttuatori\n"
        "  modificato: indirizzo 11 «Luce sala»\n    nome: «Luce» → «Luce sala»\n"
        "    Tipo: «on/off» → «dimmer»\n\nCarichi\n  eliminato: priorità 3 «Forno»\n\n"
        "Sonde\n  aggiunta: zona 7 «Cucina»\n";
    // clang-format off
    const struct { std::vector<std::string> arguments; Outcome outcome; } cases[] = {
        {{"diff", "a.xml", "reordered.xml"}, {0, "The configurations are the same.\n", ""}},
        {{"diff", "--lang", "ita", "a.xml", "b.xml"}, {1, italian, ""}},
        {{"diff", "a.xml", "broken.xml"}, {2, "", "broken.xml: Start-end tags mismatch at offset 17\n"}},
        {{"diff", "missing.xml", "a.xml"}, {2, "", "velto-conf: cannot open missing.xml: " + test::Says(ENOENT, 2) + "\n"}},
        {{"diff", "a.xml"}, {2, "", "velto-conf: diff: missing argument (try --help)\n"}},
        {{"diff", "--format", "csv", "a.xml", "b.xml"}, {2, "", "velto-conf: unknown format 'csv' (text or json)\n"}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Invoke(c.arguments), c.outcome) << ::testing::PrintToString(c.arguments);
}

TEST_F(VeltoConfDiff, JsonNamesBothFilesByTheirFingerprint) {
    const auto [status, out, err] = Invoke({"diff", "--format", "json", "a.xml", "b.xml"});
    EXPECT_EQ(status, 1) << err;
    // The digests as sha256sum gives them.
    const nlohmann::json expected = nlohmann::json::parse(R"({
        "from": {"file": "a.xml", "sha256": "e6b49f862e72c10c182f287dd7591fb1b359f9d06619b16a5f112edd8a3ed706"},
        "to": {"file": "b.xml", "sha256": "41c60167b94125ce84842a0eaea8660e710e4debfd0654090c700f00a9a9d650"},
        "same": false,
        "summary": "1 device changed, 1 load removed, 1 probe added",
        "differences": [
          {"table": "devices", "key": 11, "change": "changed", "heading": "Device", "record": "address 11",
           "name": "Luce sala", "fields": [{"column": "name", "was": "Luce", "is": "Luce sala"},
                                            {"column": "type", "was": "on/off", "is": "dimmer"}]},
          {"table": "loads", "key": 3, "change": "removed", "heading": "Load", "record": "priority 3",
           "name": "Forno", "fields": []},
          {"table": "probes", "key": 7, "change": "added", "heading": "Probe", "record": "zone 7",
           "name": "Cucina", "fields": []}]})");
    EXPECT_EQ(nlohmann::json::parse(out), expected);
}

// The digest sha256sum gives of the fixed file, in check's output and under the file's name in the report.
TEST_F(VeltoConfDiff, FingerprintIsTheSha256OfTheFileBytes) {
    const std::string digest = "0916560927cc6d46baa70b16b555af8894763339efb8e6f99283e9779466bed9";
    fs::copy_file(fs::path(VELTO_TEST_DATA_DIR) / "report" / "full.xml", "full.xml");
    const auto [status, out, err] = Invoke({"check", "--fingerprint", "full.xml"});
    EXPECT_TRUE(out.starts_with(digest + "  full.xml\n")) << out;
    const auto [reportStatus, report, reportErr] = Invoke({"report", "full.xml"});
    EXPECT_NE(report.find(">full.xml<br/>SHA-256: " + digest + "</td>"), std::string::npos) << reportErr;
}

} // namespace
} // namespace velto
