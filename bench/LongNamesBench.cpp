// A file whose names run to tens of megabytes, opened in the window and shown, against reading it into
// the tables alone as velto-conf does. The benchmark's main runs each in a child process of its own,
// which reports its time and its memory.
#include "ChildReport.h"
#include "ConfReader.h"
#include "Form1.h"
#include "GridView.h"
#include "HostileFile.h"
#include "SilentToolkit.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <fstream>

namespace velto::bench {
namespace {

std::string LongName(std::size_t megabytes) {
    const std::string word = "Sala da pranzo ";
    std::string name;
    name.reserve(megabytes << 20);
    while (name.size() + word.size() <= megabytes << 20)
        name += word;
    return name;
}

void ReportTimeAndMemory(double started) {
    ReportFigure("seconds", MonotonicSeconds() - started);
    ReportFigure("peak-kb", double(PeakResidentKilobytes()));
}

} // namespace

void WriteLongNamesFile(const std::string& path) {
    const std::string device = LongName(50), other = LongName(4); // within the 64 MB a file may have
    std::ofstream(path, std::ios::binary)
        << "<ACTUATOR>\r\n<version number=\"1.0.4\"></version>\r\n"
        << "<device name=\"" << device << "\" point=\"05\" group=\"2\" pull=\"\" type=\"1\"></device>\r\n"
        << "<group name=\"" << other << "\" group=\"2\"></group>\r\n"
        << "<load name=\"" << other << "\" priority=\"1\"></load>\r\n"
        << "<aux name=\"" << other << "\" number=\"1\"></aux>\r\n</ACTUATOR>\r\n";
}

bool ReadLongNames(const std::string& path) {
    const double started = MonotonicSeconds();
    auto model = std::make_unique<ConfigModel>();
    std::string version;
    LoadConfigFile(path, *model, version, [](const Notice&) {});
    ReportTimeAndMemory(started);
    return model->DeviceTable[5].name.size() > 1'000'000;
}

// What a user does first with such a file: opens it, sees it, modifies the device, chooses the group and
// the auxiliary, and looks for a word.
bool OpenLongNamesInWindow(const std::string& path) {
    SilentToolkit toolkit;
    Form1 window(toolkit);
    window.show();
    QApplication::processEvents();
    const double started = MonotonicSeconds();
    window.openFile(QString::fromStdString(path));
    window.grab();
    window.Cmod_Click();
    window.findChild<QListWidget*>("Lgru")->setCurrentRow(1);
    window.findChild<QListWidget*>("Laux")->setCurrentRow(0);
    window.grab();
    window.Cann_Click();
    window.findChild<QLineEdit*>("Tfind")->setText(QStringLiteral("pranzo"));
    window.grab();
    ReportTimeAndMemory(started);
    return toolkit.boxes == 0 && window.findChild<GridView*>("Fl_dev")->shownRowCount() == 1;
}

} // namespace velto::bench
