#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

namespace velto {

class GridView;
class Outline;

// The controls that play each role of the editing pattern on one tab.
struct EditorRoles {
    int tab = 0;
    GridView* grid = nullptr;
    int keyColumn = 0;
    QWidget* panel = nullptr; // holds New, Modify and Delete
    QPushButton* newButton = nullptr;
    QPushButton* modifyButton = nullptr;
    QPushButton* deleteButton = nullptr;
    std::vector<QWidget*> fields; // text boxes and combo boxes, the name box first
    QLineEdit* nameBox = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* confirmButton = nullptr;
    Outline* browseFrame = nullptr;
    Outline* editFrame = nullptr;
};

} // namespace velto
