#pragma once

#include "Toolkit.h"

#include <QCoreApplication>
#include <QMap>
#include <QQueue>
#include <QStringList>
#include <functional>
#include <utility>

namespace velto::testing {

struct RecordedBox {
    QString text, title;
    Buttons buttons;
    Icon icon;
    QStringList choices = {}; // the answers of a question with Buttons::Choices
    bool operator==(const RecordedBox&) const = default;
};

// The tests' toolkit: boxes and dialogs answer from queues and are recorded, settings live in memory.
// A box or a dialog nobody scripted, or an answer nobody used, fails the test.
class ScriptedToolkit final : public Toolkit {
public:
    ~ScriptedToolkit() override;

    void expectBox(int answer) { answers_.enqueue(answer); }
    // The path a file dialog answers, and the filter it leaves chosen.
    void expectDialog(const QString& path, const QString& filter = {}) { paths_.enqueue({path, filter}); }
    // What the user does in the next dialog the program runs; answers whether the user accepted it.
    void expectForm(std::function<bool(QDialog&)> user) { forms_.enqueue(std::move(user)); }
    // The next dialog is the print preview: it prints to this PDF file, or closes when the path is empty.
    // pages receives the number of pages the preview showed.
    void expectPreview(const QString& pdfPath, int* pages = nullptr);

    int messageBox(QWidget*, const QString& text, const QString& title, Buttons, Icon) override;
    // Answered from the box answers: the index of the choice, or -1 for Cancel.
    int choose(QWidget*, const QString& text, const QString& title, const QStringList& choices) override;
    QString fileDialog(const FileDialogRequest& request) override;
    bool runDialog(QDialog& dialog) override;
    QString setting(const QString& section, const QString& key, const QString& defaultValue) override {
        return settings.value(section + '/' + key, defaultValue);
    }
    void putSetting(const QString& section, const QString& key, const QString& value) override {
        settings.insert(section + '/' + key, value);
    }
    QString programFolder() override { return programDir; }
    QString documentsFolder() override { return documentsDir; }

    // Every box shown so far, oldest first; takeBoxes empties the record.
    QList<RecordedBox> takeBoxes() { return std::exchange(boxes_, {}); }
    const QList<FileDialogRequest>& dialogs() const { return dialogs_; }

    QMap<QString, QString> settings;
    QString programDir = QCoreApplication::applicationDirPath();
    QString documentsDir = QStringLiteral("/home/user/Documents");

private:
    QQueue<int> answers_;
    QQueue<std::pair<QString, QString>> paths_;
    QQueue<std::function<bool(QDialog&)>> forms_;
    QList<RecordedBox> boxes_;
    QList<FileDialogRequest> dialogs_;
};

} // namespace velto::testing
