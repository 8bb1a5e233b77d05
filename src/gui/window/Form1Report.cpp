// The installation report: exported as PDF or HTML, or sent to a printer.
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

} // namespace

QString Form1::reportHtml() const {
    const ReportSource source{
        QFile::encodeName(currentFilePath_).toStdString(), FileVersion.toStdString(),
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString()};
    return QString::fromStdString(ReportHtml(BuildReport(model_, source, UiLanguage)));
}

void Form1::mReport_Click() {
    CancelAllEditors();
    const QFileInfo current(currentFilePath_.isEmpty() ? QStringLiteral("conf.xml") : currentFilePath_);
    const QString folder = currentFilePath_.isEmpty() ? executableFolder() : current.absolutePath();
    QString filter;
    FileDialogRequest request{this,
                              kSaveMode,
                              control<QAction>("mReport")->text().remove(QChar(0x2026)),
                              current.completeBaseName() + QStringLiteral(".pdf"),
                              kReportFilters,
                              folder,
                              QString(),
                              &filter};
    QString path = toolkit_.fileDialog(request);
    if (path.isEmpty())
        return;

    // The extension typed decides the format; without one, the filter chosen does.
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool html = suffix == QStringLiteral("html") || suffix == QStringLiteral("htm") ||
                      (suffix != QStringLiteral("pdf") && filter == kHtmlFilter);
    if (suffix != QStringLiteral("pdf") && suffix != QStringLiteral("html") &&
        suffix != QStringLiteral("htm"))
        path += html ? QStringLiteral(".html") : QStringLiteral(".pdf");

    const QString content = reportHtml();
    const QByteArray bytes = html ? content.toUtf8() : PdfBytes(content, current.fileName());
    std::string error;
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), bytes.toStdString(), error))
        showBox(QString::fromLocal8Bit(error), kExecutableName, Buttons::Ok, Icon::Critical);
}

void Form1::mPrint_Click() {
    CancelAllEditors();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(currentFilePath_.isEmpty() ? QStringLiteral("conf.xml")
                                                  : QFileInfo(currentFilePath_).fileName());
    if (!toolkit_.printDialog(this, printer))
        return;
    Paginate(reportHtml(), printer);
    if (printer.printerState() == QPrinter::Error)
        showBox(ToQString(kPrintFailed.pick(UiLanguage)) + printer.printerName(), kExecutableName,
                Buttons::Ok, Icon::Critical);
}

} // namespace velto
