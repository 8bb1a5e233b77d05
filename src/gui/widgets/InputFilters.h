#pragma once

class QComboBox;
class QLineEdit;

namespace velto {

// Keeps a combo box to choices from its list: typed characters are discarded (the arrow keys still
// move through the list).
void DiscardTyping(QComboBox* combo);

// Holds a text box to at most maxLength digits, whether typed or pasted.
void AcceptDigitsOnly(QLineEdit* box, int maxLength);

} // namespace velto
