#include "InputFilters.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <algorithm>

namespace velto {
namespace {

class TypingDiscarder : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->text().isEmpty() && key->text().at(0).isPrint())
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void DiscardTyping(QComboBox* combo) {
    combo->installEventFilter(new TypingDiscarder(combo));
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
    box->setMaxLength(std::max(box->maxLength(), int(text.size())));
    box->setText(text);
}

} // namespace velto
