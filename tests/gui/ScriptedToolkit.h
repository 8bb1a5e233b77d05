#pragma once

#include "Toolkit.h"

#include <QCoreApplication>
#include <QMap>
#include <QQueue>
#include <QStringList>

namespace velto::testing {

struct RecordedBox {
    QString text;
    QString title;
    Buttons buttons;
    Icon icon;
};

// The toolkit of the tests: records every message box and answers from a queue; settings live in
// memory; file dialogs answer from a queue of paths. A box or a dialog nobody scripted, or an answer
// nobody used, fails the test.
class ScriptedToolkit final : public Toolkit {
public:
    ~ScriptedToolkit() override;

    void expectBox(int answer) { answers_.enqueue(answer); }
    void expectDialog(const QString& path) { paths_.enqueue(path); }

    int messageBox(QWidget* owner, const QString& text, const QString& title, Buttons buttons,
                   Icon icon) override;
    QString fileDialog(const FileDialogRequest& request) override;
    QString setting(const QString& section, const QString& key, const QString& defaultValue) override;
    void putSetting(const QString& section, const QString& key, const QString& value) override;
    QString programFolder() override { return programDir; }
    QString documentsFolder() override { return documentsDir; }

    // Every box shown so far, oldest first; takeBoxes empties the record.
    QList<RecordedBox> takeBoxes();
    const QList<FileDialogRequest>& dialogs() const { return dialogs_; }
    bool allAnswersUsed() const { return answers_.isEmpty() && paths_.isEmpty(); }

    QMap<QString, QString> settings;
    QString programDir = QCoreApplication::applicationDirPath();
    QString documentsDir = QStringLiteral("/home/user/Documents");

private:
    QQueue<int> answers_;
    QQueue<QString> paths_;
    QList<RecordedBox> boxes_;
    QList<FileDialogRequest> dialogs_;
};

} // namespace velto::testing
