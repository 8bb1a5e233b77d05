#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

class QLabel;

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
    QLabel* whyLabel = nullptr; // beside Cancel and Confirm: what stands in the way of storing
    Outline* browseFrame = nullptr;
    Outline* editFrame = nullptr;
};

} // namespace velto
