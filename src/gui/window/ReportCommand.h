#pragma once

#include "Toolkit.h"

#include <QString>

namespace velto {

class FileGuard;
struct ConfigModel;
struct ReportDocument;
struct ReportProject;

// What a report describes: the tables, the file they came from (empty when never saved) and its version.
struct ReportSubject {
    const ConfigModel& tables;
    QString file;
    QString version;
    bool italian = true;
};

// The report's questions as the user meets them: the project information (what was given before
// proposed again, the installer's for every file, the rest for its file), then the file to export it to
// or the print preview. Each command answers what came of it.
class ReportCommand {
public:
    enum class Outcome { Cancelled, Done, Failed };

    ReportCommand(Toolkit& toolkit, FileGuard& guard, QWidget* owner);

    // Exports as PDF or HTML: the extension typed decides, whatever the filter, else the filter chosen.
    Outcome exportReport(const ReportSubject& subject, const QString& dialogTitle, const QString& folder);
    Outcome print(const ReportSubject& subject);

private:
    bool askProject(const ReportSubject& subject, ReportProject& project);

    Toolkit& toolkit_;
    FileGuard& guard_;
    QWidget* owner_;
};

} // namespace velto
