// The installation report's commands: the project it belongs to, exported as PDF or HTML, or printed from
// its preview.
#include "ReportCommand.h"

#include "ConfigModel.h"
#include "FileGuard.h"
#include "FileLocations.h"
#include "LanguageTable.h"
#include "ProjectDialog.h"
#include "ReportHtml.h"
#include "ReportPages.h"
#include "WindowTitle.h"
#include "Words.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace velto {
namespace {

constexpr TextPair kPrintFailed{"Stampa non riuscita: ", "Printing failed: "};
const QString kPdfFilter = QStringLiteral("PDF");
const QString kHtmlFilter = QStringLiteral("HTML");
const QString kHtmlFilters = kHtmlFilter + QChar(0) + QStringLiteral("*.html;*.htm") + QChar(0);
const QString kReportFilters = kPdfFilter + QChar(0) + QStringLiteral("*.pdf") + QChar(0) + kHtmlFilters;

// The installer is the same from one report to the next; the customer, the site, the date and the notes
// belong to one file, whose settings are named after its path.
const QString kInstallerSection = QStringLiteral("report");
QString FileSection(const QString& path) {
    const QByteArray id =
        QCryptographicHash::hash(QFileInfo(path).absoluteFilePath().toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("report-") + QString::fromLatin1(id.toHex().left(16));
}

// True for HTML, false for PDF: the extension typed decides, whatever the filter, else the filter
// chosen, whose extension the path then gets.
bool ChooseHtml(QString& path, const QString& filter) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("pdf"))
        return false;
    if (suffix == QStringLiteral("html") || suffix == QStringLiteral("htm"))
        return true;
    const bool html = filter == kHtmlFilter;
    path += html ? QStringLiteral(".html") : QStringLiteral(".pdf");
    return html;
}

ReportDocument Report(const ReportSubject& subject, const ReportProject& project) {
    const ReportSource source{subject.file.toStdString(), subject.version.toStdString(),
                              FingerprintText(subject.fingerprint, subject.italian), LocalTimeNow(), project};
    return BuildReport(subject.tables, source, subject.italian);
}

} // namespace

DateAndTime LocalTimeNow() {
    const QDateTime now = QDateTime::currentDateTime();
    return {
        {now.date().year(), now.date().month(), now.date().day()}, now.time().hour(), now.time().minute()};
}

ReportCommand::ReportCommand(Toolkit& toolkit, FileGuard& guard, QWidget* owner)
    : toolkit_(toolkit), guard_(guard), owner_(owner) {}

bool ReportCommand::askProject(const ReportSubject& subject, ReportProject& project) {
    const QString file = subject.file.isEmpty() ? QString() : FileSection(subject.file);
    const auto stored = [&](const QString& section, const char* key) {
        return section.isEmpty() ? std::string()
                                 : toolkit_.setting(section, QString::fromLatin1(key), {}).toStdString();
    };
    ProjectDialog dialog(owner_, subject.italian,
                         {stored(file, "customer"), stored(file, "site"),
                          stored(kInstallerSection, "installer"), stored(kInstallerSection, "company"),
                          ParseDate(stored(file, "date")), FittingNotes(stored(file, "notes"))});
    if (!toolkit_.runDialog(dialog))
        return false;
    project = dialog.project();
    const auto store = [&](const QString& section, const char* key, const std::string& value) {
        if (!section.isEmpty())
            toolkit_.putSetting(section, QString::fromLatin1(key), QString::fromStdString(value));
    };
    store(kInstallerSection, "installer", project.installer);
    store(kInstallerSection, "company", project.company);
    store(file, "customer", project.customer);
    store(file, "site", project.site);
    store(file, "date", project.date ? IsoDate(*project.date) : std::string());
    store(file, "notes", project.notes);
    return true;
}

ReportCommand::Outcome ReportCommand::exportReport(const ReportSubject& subject, const QString& dialogTitle,
                                                   const QString& folder) {
    ReportProject project;
    if (!askProject(subject, project))
        return Outcome::Cancelled;
    const QString name = ProposedName(subject.file);
    QString filter;
    const QString chosen = toolkit_.fileDialog({owner_, FileDialogMode::Save, dialogTitle,
                                                QFileInfo(name).completeBaseName() + QStringLiteral(".pdf"),
                                                kReportFilters, folder, QString(), &filter});
    if (chosen.isEmpty())
        return Outcome::Cancelled;
    QString path = chosen;
    const bool html = ChooseHtml(path, filter);
    if (!guard_.mayReplaceNamed(chosen, path))
        return Outcome::Cancelled;
    const bool written = guard_.write(path, [&] {
        const ReportDocument document = Report(subject, project);
        return html ? ReportHtml(document) : ReportPdf(document, name, kWindowTitle).toStdString();
    });
    return written ? Outcome::Done : Outcome::Failed;
}

ReportCommand::Outcome ReportCommand::saveHtml(const ReportDocument& document, const QString& dialogTitle,
                                               const QString& name, const QString& folder) {
    const QString chosen = toolkit_.fileDialog(
        {owner_, FileDialogMode::Save, dialogTitle, name, kHtmlFilters, folder, QStringLiteral("html")});
    if (chosen.isEmpty())
        return Outcome::Cancelled;
    QString path = chosen;
    if (!ChooseHtml(path, kHtmlFilter)) // a name typed as PDF gets the extension of what it holds
        path += QStringLiteral(".html");
    if (!guard_.mayReplaceNamed(chosen, path))
        return Outcome::Cancelled;
    return guard_.write(path, [&] { return ReportHtml(document); }) ? Outcome::Done : Outcome::Failed;
}

ReportCommand::Outcome ReportCommand::print(const ReportSubject& subject) {
    ReportProject project;
    if (!askProject(subject, project))
        return Outcome::Cancelled;
    return printDocument(Report(subject, project), ProposedName(subject.file), subject.italian);
}

ReportCommand::Outcome ReportCommand::printDocument(const ReportDocument& document, const QString& name,
                                                    bool italian) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpReportPages(printer);
    printer.setDocName(name);
    QPrintPreviewDialog preview(&printer, owner_);
    preview.setObjectName(QStringLiteral("Fanteprima"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&document](QPrinter* target) { PaintReport(document, *target); });
    if (!toolkit_.runDialog(preview))
        return Outcome::Cancelled;
    if (printer.printerState() != QPrinter::Error)
        return Outcome::Done;
    toolkit_.messageBox(owner_, ToQString(kPrintFailed.pick(italian)) + printer.printerName(),
                        kExecutableName, Buttons::Ok, Icon::Critical);
    return Outcome::Failed;
}

} // namespace velto
