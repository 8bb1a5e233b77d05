// The installation report: the project it belongs to, exported as PDF or HTML, or printed from its
// preview.
#include "FileGuard.h"
#include "FileLocations.h"
#include "FileMessages.h"
#include "Form1.h"
#include "ProjectDialog.h"
#include "ReportHtml.h"
#include "ReportPages.h"
#include "SafeSave.h"

#include <QAction>
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
const QString kReportFilters = kPdfFilter + QChar(0) + QStringLiteral("*.pdf") + QChar(0) + kHtmlFilter +
                               QChar(0) + QStringLiteral("*.html;*.htm") + QChar(0);

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

} // namespace

bool Form1::askProject(ReportProject& project) {
    const QString file = currentFilePath().isEmpty() ? QString() : FileSection(currentFilePath());
    const auto stored = [&](const QString& section, const char* key) {
        return section.isEmpty() ? std::string()
                                 : toolkit_.setting(section, QString::fromLatin1(key), {}).toStdString();
    };
    ProjectDialog dialog(this, UiLanguage,
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

ReportDocument Form1::report(const ReportProject& project) const {
    const QDateTime now = QDateTime::currentDateTime();
    const DateAndTime producedAt{
        {now.date().year(), now.date().month(), now.date().day()}, now.time().hour(), now.time().minute()};
    const ReportSource source{
        currentFilePath().toStdString(), document_->file().version.toStdString(), {}, producedAt, project};
    return BuildReport(document_->tables(), source, UiLanguage);
}

void Form1::mReport_Click() {
    CancelAllEditors();
    ReportProject project;
    if (!askProject(project))
        return;
    const QString name = ProposedName(currentFilePath());
    QString filter;
    const QString chosen =
        toolkit_.fileDialog({this, kSaveMode, control<QAction>("mReport")->text().remove(QChar(0x2026)),
                             QFileInfo(name).completeBaseName() + QStringLiteral(".pdf"), kReportFilters,
                             dialogFolder(), QString(), &filter});
    if (chosen.isEmpty())
        return;
    QString path = chosen;
    const bool html = ChooseHtml(path, filter);
    if (!fileGuard_->mayReplaceNamed(chosen, path))
        return;
    fileGuard_->write(path, [&] {
        const ReportDocument document = report(project);
        return html ? ReportHtml(document) : ReportPdf(document, name, kWindowTitle).toStdString();
    });
}

void Form1::mPrint_Click() {
    CancelAllEditors();
    ReportProject project;
    if (!askProject(project))
        return;
    QPrinter printer(QPrinter::HighResolution);
    SetUpReportPages(printer);
    printer.setDocName(ProposedName(currentFilePath()));
    const ReportDocument document = report(project);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("Fanteprima"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&document](QPrinter* target) { PaintReport(document, *target); });
    if (toolkit_.runDialog(preview) && printer.printerState() == QPrinter::Error)
        showBox(ToQString(kPrintFailed.pick(UiLanguage)) + printer.printerName(), kExecutableName,
                Buttons::Ok, Icon::Critical);
}

} // namespace velto
