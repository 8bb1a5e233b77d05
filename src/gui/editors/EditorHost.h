#pragma once

#include "ChangeNote.h"
#include "ConfigModel.h"
#include "LanguageTable.h"
#include "Toolkit.h"

#include <QList>

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
    // Marks the configuration changed without changing a table.
    virtual void markChanged() = 0;
    // Called once a committed change is in the tables and shown: it becomes one step of the history.
    virtual void commitChange(const ChangeNote& note) = 0;
    virtual void rememberAnswer(int answerCode) = 0;
    // Deletes the records of a tab's grid rows, more than one, after one question.
    virtual void deleteRecords(int tab, const QList<int>& rows) = 0;
};

} // namespace velto
