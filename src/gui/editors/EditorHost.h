#pragma once

#include "ConfigModel.h"
#include "LanguageTable.h"
#include "Toolkit.h"

namespace velto {

// What an editor needs of the window it lives in.
class EditorHost {
public:
    virtual ~EditorHost() = default;
    virtual ConfigModel& model() = 0;
    virtual const UiTexts& texts() const = 0;
    virtual bool isItalian() const = 0;
    // A modal message box owned by the window; its answer code.
    virtual int showBox(const QString& text, const QString& title, Buttons buttons, Icon icon) = 0;
    virtual void RefreshAllViews() = 0;
    virtual void markChanged() = 0;
    virtual void rememberAnswer(int answerCode) = 0;
};

} // namespace velto
