// The installation report: the project it belongs to, exported as PDF or HTML, or printed from its
// preview.
#include "FileGuard.h"
#include "FileLocations.h"
#include "FileMessages.h"
#include "Form1.h"
#include "ProjectDialog.h"
#include "ReportHtml.h"
#include "SafeSave.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>
#include <exception>

namespace velto {
namespace {

constexpr TextPair kPrintFailed{"Stampa non riuscita: ", "Printing failed: "};
const QString kPdfFilter = QStringLiteral("PDF");
const QString kHtmlFilter = QStringLiteral("HTML");
const QString kReportFilters = kPdfFilter + QChar(0) + QStringLiteral("*.pdf") + QChar(0) + kHtmlFilter +
                               QChar(0) + QStringLiteral("*.html;*.htm") + QChar(0);
const QPageSize kA4(QPageSize::A4);
const QMarginsF kMargins(15, 12, 15, 10); // millimetres; the page numbers sit inside the bottom one

// The installer is the same from one report to the next; the customer, the site and the notes belong
// to one file, whose settings are named after its path.
const QString kInstallerSection = QStringLiteral("report");
QString FileSection(const QString& path) {
    const QByteArray id =
        QCryptographicHash::hash(QFileInfo(path).absoluteFilePath().toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("report-") + QString::fromLatin1(id.toHex().left(16));
}

void SetUpPages(QPagedPaintDevice& device) {
    device.setPageSize(kA4);
    device.setPageMargins(kMargins, QPageLayout::Millimeter);
}

// The top and the bottom of what must not be split of a table: its heading rows with the first line
// of the row under them, or a first row without heading rows above it (the signature block) whole.
std::pair<qreal, qreal> KeptTogether(const QTextTable& table) {
    const QAbstractTextDocumentLayout& layout = *table.document()->documentLayout();
    const auto rect = [&](int row, int column, bool first) {
        const QTextTableCell cell = table.cellAt(row, column);
        return layout.blockBoundingRect(
            (first ? cell.firstCursorPosition() : cell.lastCursorPosition()).block());
    };
    const int headings = table.format().headerRowCount();
    const qreal top = rect(0, 0, true).top();
    if (headings > 0 && headings < table.rows()) {
        const QTextBlock under = table.cellAt(headings, 0).firstCursorPosition().block();
        return {top, rect(headings, 0, true).top() + under.layout()->lineAt(0).rect().bottom()};
    }
    qreal bottom = top;
    for (int column = 0; column < table.columns(); ++column)
        bottom = std::max(bottom, rect(0, column, false).bottom());
    return {top, bottom};
}

// Moves to the next page each table whose heading rows would end a page, or whose first row, without
// heading rows above it, would be split, when the next page holds that part whole.
void KeepHeadingsWithTheirRows(QTextDocument& document) {
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        document.pageCount(); // lays out what the last move changed
        const qreal height = document.pageSize().height();
        const auto [top, bottom] = KeptTogether(*table);
        if (int(top / height) == int(bottom / height) || bottom - top > height)
            continue;
        QTextTableFormat format = table->format();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        table->setFormat(format);
    }
}

// Lays the report out on the device's pages at the sizes its style gives on paper, breaking pages
// between rows, and numbers the pages at their foot.
void PaintReport(const QString& html, QPagedPaintDevice& device) {
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device);
    document.setDocumentMargin(0);
    document.setHtml(html);
    QPainter painter(&device);
    const QFont numberFont(QStringLiteral("sans-serif"), 9);
    const qreal footer = QFontMetricsF(numberFont, &device).height() * 2;
    const QSizeF page(device.width(), device.height() - footer);
    document.setPageSize(page);
    KeepHeadingsWithTheirRows(document);
    const int pages = document.pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0)
            device.newPage();
        const QRectF shown(QPointF(0, index * page.height()), page);
        painter.save();
        painter.translate(0, -shown.top());
        document.drawContents(&painter, shown);
        painter.restore();
        painter.setFont(numberFont);
        painter.drawText(QRectF(0, page.height(), page.width(), footer), Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("%1/%2").arg(index + 1).arg(pages));
    }
}

QByteArray PdfBytes(const QString& html, const QString& title) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(kWindowTitle);
    SetUpPages(writer);
    PaintReport(html, writer);
    return buffer.data();
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
                          QDate::currentDate().toString(Qt::ISODate).toStdString(), stored(file, "notes")});
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
    store(file, "notes", project.notes);
    return true;
}

QString Form1::reportHtml(const ReportProject& project) const {
    const ReportSource source{
        currentFilePath().toStdString(), document_->file().version.toStdString(),
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString(), project};
    return QString::fromStdString(ReportHtml(BuildReport(document_->tables(), source, UiLanguage)));
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
        const QString text = reportHtml(project);
        return (html ? text.toUtf8() : PdfBytes(text, name)).toStdString();
    });
}

void Form1::mPrint_Click() {
    CancelAllEditors();
    ReportProject project;
    if (!askProject(project))
        return;
    QPrinter printer(QPrinter::HighResolution);
    SetUpPages(printer);
    printer.setDocName(ProposedName(currentFilePath()));
    const QString html = reportHtml(project);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("Fanteprima"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&html](QPrinter* target) { PaintReport(html, *target); });
    if (toolkit_.runDialog(preview) && printer.printerState() == QPrinter::Error)
        showBox(ToQString(kPrintFailed.pick(UiLanguage)) + printer.printerName(), kExecutableName,
                Buttons::Ok, Icon::Critical);
}

} // namespace velto
