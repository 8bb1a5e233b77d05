#pragma once

#include "Toolkit.h"

namespace velto::bench {

// A toolkit that asks nothing: every box is answered OK, every dialog cancelled, no setting kept.
class SilentToolkit final : public Toolkit {
public:
    int messageBox(QWidget*, const QString&, const QString&, Buttons, Icon) override {
        ++boxes;
        return kAnswerOk;
    }
    int choose(QWidget*, const QString&, const QString&, const QStringList&) override { return -1; }
    QString fileDialog(const FileDialogRequest&) override { return {}; }
    bool runDialog(QDialog&) override { return false; }
    QString setting(const QString&, const QString&, const QString& defaultValue) override {
        return defaultValue;
    }
    void putSetting(const QString&, const QString&, const QString&) override {}
    QString programFolder() override { return {}; }
    QString documentsFolder() override { return {}; }

    int boxes = 0;
};

} // namespace velto::bench
