#pragma once

#include "EditorRoles.h"
#include "ExportTables.h"
#include "LanguageTable.h"

#include <QHash>
#include <QObject>
#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QTabWidget;

namespace velto {

class Form1;
class GridView;

inline constexpr int kTabCount = 5;
// The table each tab shows.
inline constexpr TableId kTabTables[kTabCount] = {TableId::Devices, TableId::Loads, TableId::Probes,
                                                  TableId::Cameras, TableId::Scenarios};

// The window's controls, each named as the program names it, and the ones its parts use most.
struct WindowControls {
    // A named control or action.
    template <typename T> T* get(const char* name) const {
        return qobject_cast<T*>(named.value(QString::fromLatin1(name)));
    }
    // Writes a caption of the language tables to its control.
    void setCaption(const Caption& caption, const QString& text) const;

    QHash<QString, QObject*> named;
    QTabWidget* STab = nullptr;
    QMenu* mRecent = nullptr;
    QLabel* statusPanel = nullptr;
    std::array<QLabel*, kTabCount> countLabels{};
    std::array<GridView*, kTabCount> grids{};
    std::array<std::unique_ptr<EditorRoles>, kTabCount> roles;
    QListWidget* Lgru = nullptr;
    QListWidget* Laux = nullptr;
    QComboBox* Cgru = nullptr;
    QComboBox* Cbus = nullptr;
    QComboBox* Cmont = nullptr;
};

// Builds the menus, each command connected to its handler on the window, the tabs with their grids,
// fields and buttons, the find row and the status bar; the fixed lists filled, nothing chosen.
void BuildWindow(Form1& window, WindowControls& controls);

} // namespace velto
