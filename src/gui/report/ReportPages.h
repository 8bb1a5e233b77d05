#pragma once

#include "ReportDocument.h"

#include <QByteArray>
#include <QString>

class QPagedPaintDevice;

namespace velto {

// A4 with the report's margins.
void SetUpReportPages(QPagedPaintDevice& device);

// Lays the report out on the device's pages at the sizes its style gives on paper, breaking pages
// between rows and keeping each table's heading rows with a row under them; every page opens with the
// report's heading (customer, site, file) and its number ("page 2 of 3").
void PaintReport(const ReportDocument& report, QPagedPaintDevice& device);

// The report as the bytes of an A4 PDF with the given title and creator.
QByteArray ReportPdf(const ReportDocument& report, const QString& title, const QString& creator);

} // namespace velto
