#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

class QDialog;
class QWidget;

namespace velto {

// Everything modal or per-user the program asks of its surroundings: message boxes, the file dialogs,
// the settings store and the folders the dialogs may start in. The program runs on the Qt implementation;
// tests script every answer.
// YesNoDefaultNo: Yes and No, No taking Enter, for a question whose Yes cannot be undone.
// Choices: the program's own answers, then Cancel (see Toolkit::choose).
enum class Buttons { Ok, YesNo, YesNoCancel, YesNoDefaultNo, Choices };
// Program: the owner window's own icon (the About box).
enum class Icon { None, Exclamation, Question, Critical, Program };

// Answer codes as the program stores and tests them.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// The file dialog's two kinds; the values are the mode numbers ShowFileDialog takes.
enum class FileDialogMode { Save = 0, Open = 1 };

// The arguments of ShowFileDialog. The filter is pairs of description and pattern, each followed
// by a NUL character.
struct FileDialogRequest {
    QWidget* owner = nullptr;
    FileDialogMode mode = FileDialogMode::Open;
    QString title;
    QString fileName;
    QString filter;
    QString initialFolder;
    QString defaultExtension;
    // When set, receives the description of the filter the user left chosen.
    QString* chosenFilter = nullptr;
};

class Toolkit {
public:
    virtual ~Toolkit() = default;
    virtual int messageBox(QWidget* owner, const QString& text, const QString& title, Buttons buttons,
                           Icon icon) = 0;
    // A question with the program's own answers, then Cancel: the index of the answer chosen, the first
    // taking Enter, or -1 for Cancel and Escape.
    virtual int choose(QWidget* owner, const QString& text, const QString& title,
                       const QStringList& choices) = 0;
    // The full path chosen, or empty text when the user cancels.
    virtual QString fileDialog(const FileDialogRequest& request) = 0;
    // Shows a dialog of the program's own, or of Qt's such as the print preview, until the user closes
    // it; true when the user accepted it.
    virtual bool runDialog(QDialog& dialog) = 0;
    virtual QString setting(const QString& section, const QString& key, const QString& defaultValue) = 0;
    virtual void putSetting(const QString& section, const QString& key, const QString& value) = 0;
    // Several keys of one section at once: a store that writes itself to disk does so once for them all.
    virtual void putSettings(const QString& section, const QList<std::pair<QString, QString>>& values) {
        for (const auto& [key, value] : values)
            putSetting(section, key, value);
    }
    // The folder the program runs from, and the user's documents folder.
    virtual QString programFolder() = 0;
    virtual QString documentsFolder() = 0;
};

// The program's executable name: it titles the questions and keys the settings.
inline const QString kExecutableName = QStringLiteral("velto-configurator");

} // namespace velto
