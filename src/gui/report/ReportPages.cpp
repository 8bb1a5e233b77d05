#include "ReportPages.h"

#include "ReportHtml.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>

namespace velto {
namespace {

const QMarginsF kMargins(15, 10, 15, 12); // millimetres; the running heading sits inside the top one

QString Text(const std::string& text) {
    return QString::fromStdString(text);
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
// heading rows above it, would be split, when the next page holds that part whole. Heading rows taller
// than a page are not repeated on the pages after: they would cover the rows there.
void KeepHeadingsWithTheirRows(QTextDocument& document) {
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        document.pageCount(); // lays out what the last change changed
        const qreal height = document.pageSize().height();
        const auto [top, bottom] = KeptTogether(*table);
        if (int(top / height) == int(bottom / height))
            continue;
        QTextTableFormat format = table->format();
        if (bottom - top > height)
            format.setHeaderRowCount(0);
        else
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        table->setFormat(format);
    }
}

// The report's heading at the left of the band above the page's content, cut short with an ellipsis
// when it would reach the page number at the right, and a rule under both.
void PaintHeading(QPainter& painter, const ReportDocument& report, const QRectF& band, int page, int pages) {
    const QString number = Text(PageNumberText(report, page, pages));
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal gap = metrics.averageCharWidth() * 4;
    const qreal room = std::max<qreal>(0, band.width() - metrics.horizontalAdvance(number) - gap);
    const QRectF line(band.left(), band.top(), band.width(), metrics.height());
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(Text(report.heading), Qt::ElideRight, room));
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, number);
    const qreal rule = line.bottom() + metrics.descent();
    painter.drawLine(QPointF(band.left(), rule), QPointF(band.right(), rule));
}

} // namespace

void SetUpReportPages(QPagedPaintDevice& device) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageMargins(kMargins, QPageLayout::Millimeter);
}

void PaintReport(const ReportDocument& report, QPagedPaintDevice& device) {
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device);
    document.setDocumentMargin(0);
    document.setHtml(Text(ReportHtml(report, Heading::onEveryPage)));
    QPainter painter(&device);
    painter.setFont(QFont(QStringLiteral("sans-serif"), 9));
    const qreal band = QFontMetricsF(painter.font(), &device).height() * 2;
    const QSizeF page(device.width(), device.height() - band);
    document.setPageSize(page);
    KeepHeadingsWithTheirRows(document);
    const int pages = document.pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0)
            device.newPage();
        PaintHeading(painter, report, QRectF(0, 0, page.width(), band), index + 1, pages);
        const QRectF shown(QPointF(0, index * page.height()), page);
        painter.save();
        painter.translate(0, band - shown.top());
        document.drawContents(&painter, shown);
        painter.restore();
    }
}

QByteArray ReportPdf(const ReportDocument& report, const QString& title, const QString& creator) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(creator);
    SetUpReportPages(writer);
    PaintReport(report, writer);
    return buffer.data();
}

} // namespace velto
