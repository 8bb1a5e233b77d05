// velto-screenshots SAMPLE FOLDER: opens SAMPLE in the window, in Italian and in English, and saves
// a picture of every tab to FOLDER as screenshot-LANGUAGE-TAB.png, then one of the devices filtered by
// a word as screenshot-LANGUAGE-find.png, the English comparison with an earlier version of the sample
// as screenshot-compare.png, and the Italian report of the sample with project information
// as report.pdf. Fails when opening the sample shows any box. Settings stay in memory, so the user's
// own are never touched.
#include "ConfReader.h"
#include "ConfWriter.h"
#include "Form1.h"
#include "ReportPages.h"
#include "Sha256.h"
#include "WindowTitle.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <cstdio>

namespace {

class SampleToolkit final : public velto::Toolkit {
public:
    SampleToolkit(QString sample, QString language)
        : sample_(std::move(sample)), language_(std::move(language)) {}

    int messageBox(QWidget*, const QString& text, const QString&, velto::Buttons, velto::Icon) override {
        std::fprintf(stderr, "velto-screenshots: the sample gave a notice: %s\n", qPrintable(text));
        ++boxes;
        return velto::kAnswerOk;
    }
    int choose(QWidget*, const QString&, const QString&, const QStringList&) override { return -1; }
    QString fileDialog(const velto::FileDialogRequest&) override { return sample_; }
    bool runDialog(QDialog&) override { return false; }
    QString setting(const QString&, const QString& key, const QString& otherwise) override {
        return key == QLatin1String("language") ? language_ : otherwise;
    }
    void putSetting(const QString&, const QString&, const QString&) override {}
    QString programFolder() override { return {}; }
    QString documentsFolder() override { return {}; }

    int boxes = 0;

private:
    QString sample_;
    QString language_;
};

bool save(QWidget& window, const QString& file) {
    if (window.grab().save(file))
        return true;
    std::fprintf(stderr, "velto-screenshots: cannot write %s\n", qPrintable(file));
    return false;
}

// The sample against an earlier version of it, as File > Compare with… shows them.
bool SaveComparison(velto::Form1& window, const QString& file) {
    velto::ConfigModel earlier = window.document().tables();
    earlier.DeviceTable[12].name = "Luce angolo";
    earlier.DeviceTable[12].typeCode = "1";
    velto::FreeDeviceSlot(earlier.DeviceTable[42]);
    earlier.LoadTable[4] = "Asciugatrice";
    earlier.ProbeTable[11] = "Ufficio";
    earlier.CameraTable[2].address = "4002";
    window.showComparison(earlier, QStringLiteral("villa-2025.xml"),
                          velto::Sha256Hex(velto::WriteConfig(earlier)));
    auto* view = window.findChild<QDialog*>(QStringLiteral("Fconfronto"));
    view->resize(760, 560);
    QApplication::processEvents();
    return save(*view, file);
}

// The sample's report in Italian, for a handover on the day the picture is made.
bool SaveReport(velto::Form1& window, const QString& sample, const QString& file) {
    const QDateTime now = QDateTime::currentDateTime();
    const velto::CalendarDate today{now.date().year(), now.date().month(), now.date().day()};
    const velto::ReportProject project{"Famiglia Bianchi",
                                       "Via dei Colli 12, Firenze",
                                       "Mario Rossi",
                                       "Rossi Impianti Elettrici",
                                       today,
                                       "Chiavi del quadro presso il custode."};
    const velto::ReportSource source{sample.toStdString(),
                                     velto::kCurrentFileVersion,
                                     velto::FingerprintText(window.document().savedFingerprint(), true),
                                     {today, now.time().hour(), now.time().minute()},
                                     project};
    const QString name = QFileInfo(sample).fileName();
    QFile pdf(file);
    if (pdf.open(QIODevice::WriteOnly) &&
        pdf.write(velto::ReportPdf(velto::BuildReport(window.model(), source, true), name,
                                   velto::kWindowTitle)) > 0)
        return true;
    std::fprintf(stderr, "velto-screenshots: cannot write %s\n", qPrintable(file));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: velto-screenshots SAMPLE FOLDER\n");
        return 2;
    }
    const QString sample = QString::fromLocal8Bit(argv[1]);
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    const char* tabNames[] = {"devices", "loads", "probes", "cameras", "scenarios"};
    for (const QString& language : {QStringLiteral("ita"), QStringLiteral("eng")}) {
        SampleToolkit toolkit(sample, language);
        velto::Form1 window(toolkit);
        window.resize(940, 620); // the same pictures on any screen
        window.show();
        window.mOpen_Click();
        if (toolkit.boxes > 0)
            return 1;
        auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("STab"));
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            QApplication::processEvents();
            const QString file =
                folder.filePath(QStringLiteral("screenshot-%1-%2.png").arg(language, tabNames[tab]));
            if (!save(window, file))
                return 1;
        }
        // The devices filtered by a word, as Edit > Find does it.
        tabs->setCurrentIndex(0);
        window.findChild<QLineEdit*>(QStringLiteral("Tfind"))->setText(QStringLiteral("luce"));
        QApplication::processEvents();
        if (!save(window, folder.filePath(QStringLiteral("screenshot-%1-find.png").arg(language))))
            return 1;
        if (language == QLatin1String("eng") &&
            !SaveComparison(window, folder.filePath(QStringLiteral("screenshot-compare.png"))))
            return 1;
        if (language == QLatin1String("ita") &&
            !SaveReport(window, sample, folder.filePath(QStringLiteral("report.pdf"))))
            return 1;
    }
    return 0;
}
