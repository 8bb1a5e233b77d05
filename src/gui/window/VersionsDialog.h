#pragma once

#include "ConfigModel.h"
#include "Toolkit.h"
#include "VersionStore.h"

#include <QDialog>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace velto {

// A kept version as a comparison takes it: its configuration, a name for it (its time), and the
// SHA-256 of its bytes.
struct VersionToCompare {
    std::shared_ptr<const ConfigModel> tables;
    QString name;
    QString sha256;
};

// File > Versions: the current file's kept versions, newest first (time, size, what the save that
// replaced each changed), in the language in force. Restore accepts the dialog with the version chosen
// read; Compare hands the version chosen on and leaves the dialog open. A configuration never saved,
// or a file without versions, has the dialog say so. The dialog also sets how many versions of each
// file are kept.
class VersionsDialog final : public QDialog {
    Q_OBJECT
public:
    VersionsDialog(Toolkit& toolkit, QWidget* owner, const QString& path, bool italian);

    // After Restore: the version's configuration and its undo step's name in both languages.
    struct Restored {
        std::unique_ptr<ConfigModel> tables;
        QString italian, english;
    };
    std::optional<Restored>& restored() { return restored_; }

signals:
    void compareRequested(const VersionToCompare& version);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The configuration of the version chosen; none when none is, or, after a box that says why, when
    // it cannot be read.
    std::unique_ptr<ConfigModel> readChosen(std::string& bytes);
    void restore();
    void compare();
    void setKeptCount(int count);

    Toolkit& toolkit_;
    VersionStore store_;
    std::string path_;
    bool italian_;
    std::vector<KeptVersion> versions_;
    QTreeWidget* list_;
    QSpinBox* keptCount_;
    std::optional<Restored> restored_;
};

} // namespace velto
