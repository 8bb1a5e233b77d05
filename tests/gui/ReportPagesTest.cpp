// The report on paper, without a window: every page identified and numbered, tables and the signature
// block kept whole across page ends, read back from the PDF with poppler's pdftotext.
#include "ReportPages.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace velto {
namespace {

// The text of each page of the PDF as pdftotext -layout extracts it.
QStringList PageTexts(const QByteArray& pdf) {
    QTemporaryFile file;
    EXPECT_TRUE(file.open() && file.write(pdf) == pdf.size() && file.flush());
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), file.fileName(), QStringLiteral("-")});
    EXPECT_TRUE(tool.waitForFinished() && tool.exitCode() == 0);
    return QString::fromUtf8(tool.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts);
}

// As many records: devices, then probes when the devices are all taken.
ConfigModel Lamps(int records) {
    ConfigModel model;
    for (int address = 1; address <= std::min(records, kMaxDeviceAddress); ++address)
        model.DeviceTable[address] = {"Lamp", false, 1, "1", 0, std::uint8_t(address)};
    for (int zone = 1; zone <= records - kMaxDeviceAddress; ++zone)
        model.ProbeTable[zone] = "Probe";
    return model;
}

const ReportProject kProject{
    "Anna Bianchi", "Via Roma 1, Città", "Mario Rossi", "", CalendarDate{2026, 12, 7}, ""};

class ReportPages : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "reads the PDFs back with poppler's tools, which are Linux programs";
#endif
    }
    static QStringList Pages(const ConfigModel& model, const ReportProject& project, bool italian) {
        const ReportSource source{"/jobs/villa.xml", "1.0.4", "", {{2026, 12, 7}, 9, 5}, project};
        return PageTexts(ReportPdf(BuildReport(model, source, italian), QStringLiteral("villa.xml"),
                                   QStringLiteral("test")));
    }
};

// Each page opens with the customer, the site and the file, and its number of the whole, in the
// language of the report; a heading too long for its line is shortened before the page number.
TEST_F(ReportPages, EveryPageOpensWithTheHeadingAndItsNumber) {
    // clang-format off
    const struct { ReportProject project; bool italian; int records; QString heading, number; } cases[] = {
        {kProject, true, 190, "Anna Bianchi · Via Roma 1, Città · villa.xml", "pagina %1 di %2"},
        {kProject, false, 120, "Anna Bianchi · Via Roma 1, Città · villa.xml", "page %1 of %2"},
        {{}, false, 1, "villa.xml", "page %1 of %2"},
        {{QString(300, 'C').toStdString(), "Site", "", "", {}, ""}, true, 1, "CCCCCCCCCC…", "pagina %1 di %2"}};
    // clang-format on
    for (const auto& c : cases) {
        const QStringList pages = Pages(Lamps(c.records), c.project, c.italian);
        ASSERT_EQ(pages.size() > 1, c.records > 100) << c.records;
        for (int page = 0; page < pages.size(); ++page) {
            const QString first = pages[page].section('\n', 0, 0).simplified();
            EXPECT_TRUE(first.startsWith(c.heading.left(10)) && first.contains(c.heading) &&
                        first.endsWith(c.number.arg(page + 1).arg(pages.size())))
                << first.toStdString();
        }
    }
}

// Around the end of a page, the signature block stays whole, and a table's heading rows never end a page.
TEST_F(ReportPages, PageEndsKeepHeadingsAndSignaturesWhole) {
    for (int devices = 30; devices <= 50; ++devices) {
        ConfigModel model = Lamps(devices);
        model.LoadTable[1] = "Oven";
        for (const QString& page : Pages(model, kProject, false)) {
            EXPECT_EQ(page.contains(QRegularExpression("Installer +Customer")), page.contains("Signature:"))
                << devices;
            const QStringList lines = page.trimmed().split('\n');
            EXPECT_FALSE(lines.back().simplified() == "priority name" || lines.back().simplified() == "Load")
                << devices;
        }
    }
}

// The notes run across the whole width of the page, under the project information.
TEST_F(ReportPages, NotesSpanThePage) {
    ReportProject project = kProject;
    project.notes = QString("parola ").repeated(60).trimmed().toStdString();
    const QStringList lines = Pages(Lamps(1), project, true).front().split('\n').filter("Note: parola");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_GE(lines[0].count("parola"), 12) << lines[0].toStdString(); // half the width holds 6
}

// A table whose heading is taller than a page shows every row of it on the pages after its heading, none
// covered by the heading repeated there.
TEST_F(ReportPages, AHeadingTallerThanAPageKeepsEveryRow) {
    const ReportSource source{"/jobs/villa.xml", "1.0.4", "", {{2026, 12, 7}, 9, 5}, kProject};
    ReportDocument report = BuildReport(Lamps(40), source, false);
    report.sections.front().heading = QString("Heading line\n").repeated(120).toStdString();
    const QString text =
        PageTexts(ReportPdf(report, QStringLiteral("villa.xml"), QStringLiteral("test"))).join('\n');
    for (int address = 1; address <= 40; ++address)
        EXPECT_TRUE(text.contains(QRegularExpression(QString("\\b%1 +Lamp +dimmer\\b").arg(address))))
            << address;
}

} // namespace
} // namespace velto

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
