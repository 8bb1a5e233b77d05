#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

class QComboBox;

namespace velto {

// A field the change of many records may set: its control's name, its label and its values.
struct BulkField {
    const char* name;
    QString label;
    QStringList items;
};

// Edit > Change selected: one list per field, each first offering to leave the field as every record
// has it.
class BulkDialog final : public QDialog {
public:
    BulkDialog(QWidget* owner, const QString& title, const QString& unchanged,
               const std::vector<BulkField>& fields);
    // The value chosen in each field, as an index into its items; -1 where the field stays.
    std::vector<int> choices() const;

private:
    std::vector<QComboBox*> lists_;
};

} // namespace velto
