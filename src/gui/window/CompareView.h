#pragma once

#include "ComparisonReport.h"
#include "Differences.h"
#include "Words.h"

#include <QDialog>
#include <functional>

class QTreeWidget;
class QTreeWidgetItem;

namespace velto {

class ReportCommand;

// The differences between two configurations, table by table: each record added, removed or changed,
// and under a changed one each field before and after. It stays open beside the window; Copy puts the
// list on the clipboard as text, Print and Save as HTML give it with both files and their fingerprints,
// and a double click on a difference asks for its record to be shown.
class CompareView final : public QDialog {
    Q_OBJECT
public:
    struct Comparison {
        Differences differences;
        ComparedFile then, now;
        bool italian = true;
    };

    // folder: where Save as HTML starts.
    CompareView(QWidget* owner, ReportCommand& report, Comparison comparison, QString folder);

signals:
    void recordChosen(const velto::RecordChange& change);

private:
    void fillTree();
    void copy();
    void print();
    void saveHtml();
    ReportDocument document() const;
    QString text(const TextPair& pair) const;

    ReportCommand& report_;
    Comparison comparison_;
    QString folder_;
    QTreeWidget* Tdifferenze = nullptr;
};

} // namespace velto
