#pragma once

#include "ReportDocument.h"

#include <string>

namespace velto {

// The report as one self-contained HTML file (XHTML syntax, inline style, no scripts) laid out for
// A4 pages: the facts and the first section, then each section on a page of its own, table headings
// repeated on every page. Every
// character of every text survives; control characters that markup cannot carry show as their
// visible symbols (U+2400 onwards).
std::string ReportHtml(const ReportDocument& document);

// Text as HTML character data or attribute value.
std::string EscapeHtml(const std::string& text);

} // namespace velto
