// velto-screenshots SAMPLE FOLDER: opens SAMPLE in the window, in Italian and in English, and saves
// a picture of every tab to FOLDER as screenshot-LANGUAGE-TAB.png. Fails when opening the sample
// shows any box. Settings stay in memory, so the user's own are never touched.
#include "Form1.h"

#include <QApplication>
#include <QDir>
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
            if (!window.grab().save(file)) {
                std::fprintf(stderr, "velto-screenshots: cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    }
    return 0;
}
