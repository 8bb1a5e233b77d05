#pragma once

#include "ReportDate.h"
#include "Toolkit.h"

#include <QString>
#include <string>

namespace velto {

class FileGuard;
struct ConfigModel;
struct ReportDocument;
struct ReportProject;

// What a report describes: the tables, the file they came from (empty when never saved), its version,
// and the SHA-256 of its bytes when the tables are as it holds them (empty for unsaved changes).
struct ReportSubject {
    const ConfigModel& tables;
    QString file;
    QString version;
    bool italian = true;
    std::string fingerprint;
};

// The local time now, to the minute, as a report names when it was made.
DateAndTime LocalTimeNow();

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

    // Any document laid out as a report (a comparison): shown in the print preview, whose Print prints it,
    // or written as HTML to the file chosen, named after name at first.
    Outcome printDocument(const ReportDocument& document, const QString& name, bool italian);
    Outcome saveHtml(const ReportDocument& document, const QString& dialogTitle, const QString& name,
                     const QString& folder);

private:
    bool askProject(const ReportSubject& subject, ReportProject& project);

    Toolkit& toolkit_;
    FileGuard& guard_;
    QWidget* owner_;
};

} // namespace velto
