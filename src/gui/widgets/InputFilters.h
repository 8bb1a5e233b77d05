#pragma once

class QComboBox;
class QLineEdit;
class QString;

namespace velto {

// Keeps a combo box to choices from its list: typed characters pick the item whose text begins with
// all of them ("5", "7" picks "57"; "o" picks "on/off"; "locale I=2" picks that item) and are never
// text of their own.
void ChooseByTyping(QComboBox* combo);

// Holds a text box to digits only and its typing and pasting to at most maxLength of them.
void AcceptDigitsOnly(QLineEdit* box, int maxLength);

// Sets a box's text whole, even beyond the box's typing limit: typing then never makes it longer than it
// was set, and once it fits the limit holds again. A text longer than any box takes by typing shows
// cut short, as laying it out would cost without bound; the box keeps it whole for WholeText.
void SetWholeText(QLineEdit* box, const QString& text);
// The box's text; while it still shows a text SetWholeText cut short, that text whole.
QString WholeText(const QLineEdit* box);

} // namespace velto
