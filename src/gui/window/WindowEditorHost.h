#pragma once

#include "EditorHost.h"

#include <QString>
#include <functional>

class QWidget;

namespace velto {

class Document;

// The window as its editors see it: the document's tables and history, the words and language in
// force, the message boxes and the last answer given to one.
class WindowEditorHost final : public EditorHost {
public:
    struct Window {
        QWidget* owner;
        Toolkit& toolkit;
        Document& document;
        const UiTexts& texts;
        const bool& UiLanguage;
        std::function<void()> refreshAllViews;
        std::function<void(int tab, const QList<int>& rows)> deleteRecords;
    };
    explicit WindowEditorHost(Window window) : window_(std::move(window)) {}

    ConfigModel& model() override;
    const UiTexts& texts() const override { return window_.texts; }
    bool isItalian() const override { return window_.UiLanguage; }
    int showBox(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
    void RefreshAllViews() override { window_.refreshAllViews(); }
    void markChanged() override;
    void commitChange(const ChangeNote& note) override;
    void rememberAnswer(int answerCode) override { LastAnswer = QString::number(answerCode); }
    void deleteRecords(int tab, const QList<int>& rows) override { window_.deleteRecords(tab, rows); }

    const QString& lastAnswer() const { return LastAnswer; }

private:
    Window window_;
    QString LastAnswer;
};

} // namespace velto
