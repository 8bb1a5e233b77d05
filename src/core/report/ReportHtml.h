#pragma once

#include "ReportDocument.h"

#include <string>

namespace velto {

// Where the heading that identifies the pages goes: once at the top of the body, or left out for the
// program that draws it on every page.
enum class Heading { inBody, onEveryPage };

// The report as one self-contained HTML file (XHTML syntax, inline style, no scripts) that flows on A4
// pages: the heading, the title, the project information, the counts, each table one after the other with its
// heading inside its heading rows (so that a page break repeats both and never leaves the heading alone), and
// the signature block when there are parties to sign. Every character of every text survives; control
// characters that markup cannot carry show as their visible symbols (U+2400 onwards, U+2421 for DEL).
std::string ReportHtml(const ReportDocument& document, Heading heading = Heading::inBody);

// Text as HTML character data or attribute value.
std::string EscapeHtml(const std::string& text);

} // namespace velto
