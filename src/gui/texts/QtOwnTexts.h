#pragma once

#include <QTranslator>

namespace velto {

// Qt's own texts (the standard buttons of the boxes, the file dialogs and their questions) in the
// interface language, from the translations that come with Qt. English needs none.
class QtOwnTexts {
public:
    ~QtOwnTexts();
    void use(bool italian);

private:
    QTranslator italian_;
};

} // namespace velto
