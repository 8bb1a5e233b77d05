#include "WindowFixture.h"

#include <QAccessible>

namespace velto::testing {
namespace {

class Language : public WindowFixture {
protected:
    // A control's caption: a tab's ("STab(n)") text, an input's hint, else its title or its text.
    QString captionOf(const QString& control) const {
        if (control.startsWith('@')) // the name a screen reader gives it
            return QAccessible::queryAccessibleInterface(find<QWidget>(control.mid(1)))
                ->text(QAccessible::Name);
        if (control.startsWith("STab("))
            return find<QTabWidget>("STab")->tabText(control.mid(5).chopped(1).toInt());
        const QObject* target = find<QObject>(control);
        if (qobject_cast<const QLineEdit*>(target) || qobject_cast<const QComboBox*>(target))
            return static_cast<const QWidget*>(target)->toolTip();
        return target->property(target->property("title").isValid() ? "title" : "text").toString();
    }
};

// A few captions of each kind: menu, tab, frame, labels (own text and shared word), count, button, hints.
// clang-format off
const struct { const char *control, *italian, *english; } kCaptions[] = {
    {"mLang", "&Lingua", "&Language"}, {"STab(0)", "Attuatori / Aux", "Device / Aux"}, {"Frg", "Grouppo", "Group"},
    {"Lb(9)", "lista aux", "aux list"}, {"Lb(16)", "montante", "bus"}, {"Ltot", "0 Attuatori", "0 Device"},
    {"CokS", "Conferma", "Accept"}, {"Czona", "Zona da 1 a 99", "Zone from 1 to 99"}, {"@IbDel", "Elimina gruppo", "Delete group"},
    {"@IdelAux", "Elimina aux", "Delete aux"}, {"@Fl_gru", "Carichi", "Load"}, {"@Fl_cam", "Camera", "Camera"},
    {"@TindW", "indirizzo", "address"}, {"@Tngru", "nome gruppo", "group name"}, {"@Tfind", "Trova:", "Find:"},
};
// clang-format on

// The stored or chosen language names every caption, list, heading and status, and Qt's own texts.
TEST_F(Language, CaptionsAndListsInBothLanguages) {
    for (const char* step : {"(none)", "eng", "ITA", "", "ita", "mEng", "mIta", "mEng", "mIta"}) {
        SCOPED_TRACE(step);
        const QString command = step;
        if (command.startsWith("m")) {
            trigger(command);
        } else {
            toolkit.settings.clear();
            if (command != "(none)")
                toolkit.settings.insert("option/language", command);
            startWindow();
            combo("Cmont")->setCurrentIndex(1); // a choice stays through every switch
        }
        const bool italian = command == "mIta" || command == "ita" || command == "(none)";
        EXPECT_EQ(toolkit.settings.value("option/language"), italian ? "ita" : "eng");
        for (const auto& c : kCaptions)
            EXPECT_EQ(captionOf(c.control), italian ? c.italian : c.english) << c.control;
        EXPECT_EQ(
            items("Cmont") << combo("Cmont")->currentText() << grid("Fl_dev")->horizontalHeaderItem(0)->text()
                           << items("Cbus").mid(8),
            (italian ? QStringList{"Privato", "Pubblico", "Pubblico", "nome", "locale I=8", "locale I=9"}
                     : QStringList{"Private", "Local rise", "Local rise", "name", "local I=8", "local I=9"}));
        EXPECT_EQ(find<QLabel>("StBarPanel")->text(), italian ? "Nuovo file" : "New file");
        EXPECT_TRUE(find<QAction>(italian ? "mIta" : "mEng")->isChecked());
        EXPECT_FALSE(find<QAction>(italian ? "mEng" : "mIta")->isChecked());
        for (QWidget* control : window->findChildren<QWidget*>()) { // all a screen reader can reach is named
            if (control->focusPolicy() != Qt::NoFocus && !control->focusProxy() && !control->isHidden()) {
                EXPECT_NE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name), "")
                    << control->metaObject()->className() << ' ' << control->objectName().toStdString();
            }
        }
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), italian ? "&Sì" : "&Yes");
    }
}

} // namespace
} // namespace velto::testing
