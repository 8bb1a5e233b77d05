#include "WindowFixture.h"

#include <QGraphicsView>
#include <QGroupBox>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QScrollBar>

namespace velto::testing {
namespace {

using Scale = WindowFixture;

// The control's caption shows whole: it has at least the room its text asks for.
void ExpectCaptionFits(const QWidget& control) {
    const QSize needed = control.minimumSizeHint();
    EXPECT_TRUE(control.width() >= needed.width() && control.height() >= needed.height())
        << control.objectName().toStdString() << " is " << control.width() << " x " << control.height()
        << ", its caption needs " << needed.width() << " x " << needed.height();
}

// At every scale the tests run at (1x and 2x here, 144 and 192 dots per inch under Wine, which
// VELTO_TEST_DPI names): with the sample configuration open, no caption, tab, heading or grid cell is
// cut in either language, and the report's print preview lies on the screen with its page's whole width.
TEST_F(Scale, TheSampleShowsWhole) {
    if (const QByteArray dpi = qgetenv("VELTO_TEST_DPI"); !dpi.isEmpty()) {
        ASSERT_EQ(window->devicePixelRatioF(), dpi.toDouble() / 96); // the scale is the one asked for
    }
    open(QStringLiteral(VELTO_TEST_DATA_DIR "/../../examples/villa.xml"));
    ASSERT_EQ(toolkit.takeBoxes(), QList<RecordedBox>{});
    auto* tabs = find<QTabWidget>("STab");
    for (const char* language : {"mIta", "mEng"}) {
        trigger(language);
        for (int tab = 0; tab < tabs->count(); ++tab) {
            clickTab(tab);
            SCOPED_TRACE(std::string(language) + ' ' + Tabs()[tab].grid);
            EXPECT_GE(tabs->tabBar()->tabRect(tab).width(),
                      tabs->tabBar()->fontMetrics().horizontalAdvance(tabs->tabText(tab)));
            ExpectTextsFit(*grid(Tabs()[tab].grid));
            for (const QWidget* control : tabs->currentWidget()->findChildren<QWidget*>())
                if (control->isVisible() &&
                    (qobject_cast<const QLabel*>(control) || qobject_cast<const QAbstractButton*>(control) ||
                     qobject_cast<const QGroupBox*>(control)))
                    ExpectCaptionFits(*control);
        }
    }

    toolkit.expectForm(Project());
    toolkit.expectForm([](QDialog& preview) {
        preview.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&preview));
        EXPECT_TRUE(preview.screen()->availableGeometry().contains(preview.frameGeometry()))
            << "the preview, at " << preview.frameGeometry().width() << " x "
            << preview.frameGeometry().height() << ", does not fit on the screen";
        const auto* page = preview.findChild<QPrintPreviewWidget*>()->findChild<QGraphicsView*>();
        EXPECT_EQ(page->horizontalScrollBar()->maximum(), 0);
        return false;
    });
    trigger("mPrint");
}

} // namespace
} // namespace velto::testing
