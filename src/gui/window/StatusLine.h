#pragma once

#include "LanguageTable.h"

#include <QLabel>

namespace velto {

// The status bar's text: the file opened or saved, or the new-file text, which follows the language.
class StatusLine {
public:
    explicit StatusLine(QLabel* panel) : panel_(panel) {}
    void show(const QString& text) {
        panel_->setText(text);
        newFile_ = false;
    }
    void showNewFile(const UiTexts& texts) {
        panel_->setText(texts[Word::newFileStatus]);
        newFile_ = true;
    }
    void followLanguage(const UiTexts& texts) {
        if (newFile_)
            showNewFile(texts);
    }

private:
    QLabel* panel_;
    bool newFile_ = false;
};

} // namespace velto
