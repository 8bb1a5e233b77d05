// The installation report: exported as PDF or HTML, or sent to a printer.
#include "FileMessages.h"
#include "Form1.h"
#include "ReportDocument.h"
#include "ReportHtml.h"
#include "SafeSave.h"

#include <QAction>
#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>

namespace velto {
namespace {

constexpr TextPair kPrintFailed{"Stampa non riuscita: ", "Printing failed: "};
const QString kPdfFilter = QStringLiteral("PDF");
const QString kHtmlFilter = QStringLiteral("HTML");
const QString kReportFilters = kPdfFilter + QChar(0) + QStringLiteral("*.pdf") + QChar(0) + kHtmlFilter +
                               QChar(0) + QStringLiteral("*.html;*.htm") + QChar(0);

// Lays the report out on the device's pages, numbering them.
void Paginate(const QString& html, QPagedPaintDevice& device) {
    QTextDocument document;
    document.setHtml(html);
    document.print(&device);
}

QByteArray PdfBytes(const QString& html, const QString& title) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(kWindowTitle);
    writer.setPageSize(QPageSize(QPageSize::A4));
    Paginate(html, writer);
    return buffer.data();
}

// The name of the configuration's file, or the name it is first saved under.
QString DocumentName(const QString& currentFilePath) {
    return currentFilePath.isEmpty() ? QStringLiteral("conf.xml") : QFileInfo(currentFilePath).fileName();
}

// True for HTML, false for PDF: the extension typed decides, else the filter chosen, whose extension
// the path then gets.
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

QString Form1::reportHtml() const {
    const ReportSource source{
        currentFile_.toStdString(), FileVersion.toStdString(),
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString()};
    return QString::fromStdString(ReportHtml(BuildReport(model_, source, UiLanguage)));
}

void Form1::mReport_Click() {
    CancelAllEditors();
    const QString name = DocumentName(currentFile_);
    QString filter;
    QString path =
        toolkit_.fileDialog({this, kSaveMode, control<QAction>("mReport")->text().remove(QChar(0x2026)),
                             QFileInfo(name).completeBaseName() + QStringLiteral(".pdf"), kReportFilters,
                             dialogFolder(), QString(), &filter});
    if (path.isEmpty())
        return;
    writeFile(path, [&] {
        return (ChooseHtml(path, filter) ? reportHtml().toUtf8() : PdfBytes(reportHtml(), name))
            .toStdString();
    });
}

void Form1::mPrint_Click() {
    CancelAllEditors();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(DocumentName(currentFile_));
    if (!toolkit_.printDialog(this, printer))
        return;
    Paginate(reportHtml(), printer);
    if (printer.printerState() == QPrinter::Error)
        showBox(ToQString(kPrintFailed.pick(UiLanguage)) + printer.printerName(), kExecutableName,
                Buttons::Ok, Icon::Critical);
}

} // namespace velto
