#include "QtToolkit.h"

#include "ShowFileDialog.h"

#include <QCoreApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>

namespace velto {
namespace {

// Each system's own per-user store: the registry on Windows, an INI file elsewhere.
#ifdef Q_OS_WIN
constexpr QSettings::Format kSettingsFormat = QSettings::NativeFormat;
#else
constexpr QSettings::Format kSettingsFormat = QSettings::IniFormat;
#endif

QSettings UserSettings() {
    return QSettings(kSettingsFormat, QSettings::UserScope, kExecutableName, kExecutableName);
}

QMessageBox::Icon ToQtIcon(Icon icon) {
    switch (icon) {
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
    case Icon::Program:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::YesNo:
    case Buttons::YesNoDefaultNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::Choices:
        return QMessageBox::Cancel;
    case Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

int ToAnswerCode(int qtButton) {
    switch (qtButton) {
    case QMessageBox::Yes:
        return kAnswerYes;
    case QMessageBox::No:
        return kAnswerNo;
    case QMessageBox::Cancel:
        return kAnswerCancel;
    default:
        return kAnswerOk;
    }
}

} // namespace

int QtToolkit::messageBox(QWidget* owner, const QString& text, const QString& title, Buttons buttons,
                          Icon icon) {
    QMessageBox box(ToQtIcon(icon), title, text, ToQtButtons(buttons), owner);
    if (buttons == Buttons::YesNoCancel)
        box.setEscapeButton(QMessageBox::Cancel);
    if (buttons == Buttons::YesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    if (icon == Icon::Program && owner != nullptr)
        box.setIconPixmap(owner->windowIcon().pixmap(64));
    return ToAnswerCode(box.exec());
}

int QtToolkit::choose(QWidget* owner, const QString& text, const QString& title, const QStringList& choices) {
    QMessageBox box(QMessageBox::Question, title, text, ToQtButtons(Buttons::Choices), owner);
    QList<QAbstractButton*> buttons;
    for (const QString& choice : choices)
        buttons << box.addButton(choice, QMessageBox::AcceptRole);
    if (!buttons.isEmpty())
        box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return int(buttons.indexOf(box.clickedButton()));
}

QString QtToolkit::fileDialog(const FileDialogRequest& request) {
    return ShowFileDialog(request.owner, int(request.mode), request.title, request.fileName, request.filter,
                          request.initialFolder, request.defaultExtension, request.chosenFilter);
}

bool QtToolkit::runDialog(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

QString QtToolkit::setting(const QString& section, const QString& key, const QString& defaultValue) {
    return UserSettings().value(section + '/' + key, defaultValue).toString();
}

void QtToolkit::putSetting(const QString& section, const QString& key, const QString& value) {
    UserSettings().setValue(section + '/' + key, value);
}

void QtToolkit::putSettings(const QString& section, const QList<std::pair<QString, QString>>& values) {
    QSettings settings = UserSettings();
    settings.beginGroup(section);
    for (const auto& [key, value] : values)
        settings.setValue(key, value);
}

QString QtToolkit::programFolder() {
    return QCoreApplication::applicationDirPath();
}

QString QtToolkit::documentsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace velto
