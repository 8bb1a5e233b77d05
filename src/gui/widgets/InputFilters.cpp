#include "InputFilters.h"

#include "ShownText.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <algorithm>

namespace velto {
namespace {

// The most a text box takes by typing, as Qt has it; SetWholeText shows no more.
constexpr qsizetype kMostTypedCharacters = 32767;
// The property under which a box keeps the whole of a text it shows cut short.
constexpr const char* kWholeText = "veltoWholeText";

// Typed characters choose from the list and never become text of their own: each picks the first
// item that begins with all that was typed so far (ignoring case), however slowly, so that "locale I=2"
// picks that item and not "locale I=1". A character that would make a beginning no item has starts a
// new one, and so do a key that is not a character and leaving the list.
class ChoiceByTyping : public QObject {
public:
    explicit ChoiceByTyping(QComboBox* combo) : QObject(combo), combo_(combo) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut)
            typed_.clear();
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.isEmpty() || !text.at(0).isPrint()) {
            typed_.clear();
            return QObject::eventFilter(watched, event);
        }
        for (const QString& beginning : {typed_ + text, text}) {
            const int index = combo_->findText(beginning, Qt::MatchStartsWith);
            if (index >= 0) {
                typed_ = beginning;
                combo_->setCurrentIndex(index);
                return true;
            }
        }
        typed_.clear();
        return true;
    }

private:
    QComboBox* combo_;
    QString typed_;
};

} // namespace

void ChooseByTyping(QComboBox* combo) {
    combo->installEventFilter(new ChoiceByTyping(combo));
}

void AcceptDigitsOnly(QLineEdit* box, int maxLength) {
    box->setMaxLength(maxLength);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    // SetWholeText lifts the limit for a longer text; it holds again once the text fits.
    QObject::connect(box, &QLineEdit::textChanged, box, [box, maxLength](const QString& text) {
        if (box->maxLength() > maxLength && text.size() <= maxLength)
            box->setMaxLength(maxLength);
    });
}

void SetWholeText(QLineEdit* box, const QString& text) {
    const QString shown = Shortened(text, kMostTypedCharacters);
    box->setProperty(kWholeText, shown.size() < text.size() ? QVariant(text) : QVariant());
    box->setMaxLength(std::max(box->maxLength(), int(shown.size())));
    box->setText(shown);
}

QString WholeText(const QLineEdit* box) {
    const QVariant whole = box->property(kWholeText);
    return whole.isValid() && box->text() == Shortened(whole.toString(), kMostTypedCharacters)
               ? whole.toString()
               : box->text();
}

} // namespace velto
