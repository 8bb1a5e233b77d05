// The Help menu: the quick guide, opened at the section of the tab shown, and the About box.
#include "Form1.h"
#include "QuickGuide.h"
#include "WindowTexts.h"

#include <QDialog>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace velto {
namespace {

constexpr TextPair kGuideTitle{"Guida rapida", "Quick guide"};
constexpr TextPair kAboutTitle{"Informazioni su Velto-Configurator", "About Velto-Configurator"};
constexpr TextPair kAbout{"Velto-Configurator %1\n\nEditor della configurazione (conf.xml) di un impianto "
                          "domotico.\n\nLicenza MIT (vedere il file LICENSE).\n\nQt %2",
                          "Velto-Configurator %1\n\nEditor of the configuration (conf.xml) of a "
                          "home-automation installation.\n\nMIT licence (see the LICENSE file).\n\nQt %2"};

} // namespace

void Form1::mGuide_Click() {
    if (guide_ == nullptr) {
        guide_ = new QDialog(this);
        guide_->setObjectName(QStringLiteral("QuickGuide"));
        auto* text = new QTextBrowser(guide_);
        text->setObjectName(QStringLiteral("TGuide"));
        (new QVBoxLayout(guide_))->addWidget(text);
        guide_->resize(QSize(560, 460).boundedTo(size()));
    }
    auto* text = guide_->findChild<QTextBrowser*>();
    text->setHtml(QuickGuideHtml(UiLanguage));
    text->setAccessibleName(Pick(kGuideTitle, UiLanguage));
    guide_->setWindowTitle(text->accessibleName() + QStringLiteral(" - ") + kApplicationTitle);
    guide_->show();
    guide_->raise();
    guide_->activateWindow();
    text->scrollToAnchor(QStringLiteral("tab%1").arg(controls_.STab->currentIndex()));
}

void Form1::mAbout_Click() {
    editorHost_->showBox(
        Pick(kAbout, UiLanguage).arg(QStringLiteral(VELTO_VERSION), QString::fromLatin1(qVersion())),
        Pick(kAboutTitle, UiLanguage), Buttons::Ok, Icon::Program);
}

} // namespace velto
