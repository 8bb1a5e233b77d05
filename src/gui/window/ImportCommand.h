#pragma once

#include "ConfigModel.h"
#include "ExportTables.h"
#include "Toolkit.h"

#include <QString>
#include <memory>
#include <optional>
#include <string>

namespace velto {

// File > Import CSV table, from the file's text to the tables it gives: the table the heading row
// fits, how the file's rows meet the records the table holds (update, add only, replace), the refused
// rows, and the preview of what really changes. Every question goes through the toolkit.
class ImportCommand {
public:
    struct Result {
        TableId table;
        std::unique_ptr<ConfigModel> tables; // the tables after the import
    };

    ImportCommand(Toolkit& toolkit, QWidget* owner, bool italian)
        : toolkit_(toolkit), owner_(owner), italian_(italian) {}

    // The import of csv, read from path, into model, once every question is answered; none when the
    // user cancels, a row is refused, or nothing would change.
    std::optional<Result> run(const ConfigModel& model, const std::string& csv, const QString& path);

private:
    int ask(const QString& text, Buttons buttons, Icon icon);
    void warn(const QString& text);

    Toolkit& toolkit_;
    QWidget* owner_;
    bool italian_;
};

} // namespace velto
