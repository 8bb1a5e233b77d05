#pragma once

#include "Toolkit.h"

namespace velto {

// The toolkit on real Qt dialogs and QSettings (per user, keyed by the executable's name: the registry on
// Windows, INI elsewhere).
class QtToolkit final : public Toolkit {
public:
    int messageBox(QWidget* owner, const QString& text, const QString& title, Buttons buttons,
                   Icon icon) override;
    int choose(QWidget* owner, const QString& text, const QString& title,
               const QStringList& choices) override;
    QString fileDialog(const FileDialogRequest& request) override;
    bool runDialog(QDialog& dialog) override;
    QString setting(const QString& section, const QString& key, const QString& defaultValue) override;
    void putSetting(const QString& section, const QString& key, const QString& value) override;
    void putSettings(const QString& section, const QList<std::pair<QString, QString>>& values) override;
    QString programFolder() override;
    QString documentsFolder() override;
};

} // namespace velto
