// The Help menu: the quick guide, opened at the section of the tab shown, and the About box.
#include "Form1.h"
#include "QuickGuide.h"

#include <QDialog>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace velto {

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
    text->setAccessibleName(UiLanguage ? QStringLiteral("Guida rapida") : QStringLiteral("Quick guide"));
    guide_->setWindowTitle(text->accessibleName() + QStringLiteral(" - ") + kApplicationTitle);
    guide_->show();
    guide_->raise();
    guide_->activateWindow();
    text->scrollToAnchor(QStringLiteral("tab%1").arg(STab->currentIndex()));
}

void Form1::mAbout_Click() {
    const QString text =
        UiLanguage
            ? QStringLiteral("Velto-Configurator %1\n\nEditor della configurazione (conf.xml) di un impianto "
                             "domotico.\n\nLicenza MIT (vedere il file LICENSE).\n\nQt %2")
            : QStringLiteral("Velto-Configurator %1\n\nEditor of the configuration (conf.xml) of a "
                             "home-automation installation.\n\nMIT licence (see the LICENSE file).\n\nQt %2");
    showBox(text.arg(QStringLiteral(VELTO_VERSION), QString::fromLatin1(qVersion())),
            UiLanguage ? QStringLiteral("Informazioni su Velto-Configurator")
                       : QStringLiteral("About Velto-Configurator"),
            Buttons::Ok, Icon::Program);
}

} // namespace velto
