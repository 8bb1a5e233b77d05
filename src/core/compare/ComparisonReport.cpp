#include "ComparisonReport.h"

#include "CompareTexts.h"
#include "ReportTexts.h"
#include "TextEncoding.h"

namespace velto {

using namespace compare;

ReportDocument ComparisonReport(const Differences& differences, const ComparedFile& then,
                                const ComparedFile& now, const DateAndTime& producedAt, bool italian) {
    const auto text = [italian](TextPair pair) { return std::string(pair.pick(italian)); };
    const auto file = [&](TextPair label, const ComparedFile& compared) {
        return ReportFact{text(label), ShortenedText(compared.name),
                          FingerprintText(compared.fingerprint, italian)};
    };
    ReportDocument document;
    document.language = italian ? "it" : "en";
    document.title = text(kTitle);
    document.heading = ShortenedText(then.name) + " \u2192 " + ShortenedText(now.name);
    document.pageLabel = text(report::kPage);
    document.ofLabel = text(report::kOf);
    document.project[0] = {file(kBefore, then), file(kAfter, now)};
    document.project[1][0] = {text(report::kProducedAt), DateAndTimeText(producedAt, italian), {}};
    document.counts = {{text(kDifferences), differences.same() ? text(kSame) : differences.summary, {}}};
    for (const RecordDifference& record : differences.records) {
        if (document.sections.empty() || document.sections.back().heading != record.heading)
            document.sections.push_back(
                {record.heading,
                 {},
                 {text(kChange), text(kRecord), text(kField), text(kBefore), text(kAfter)},
                 {}});
        std::vector<std::vector<std::string>>& rows = document.sections.back().rows;
        rows.push_back({ChangeWord(record.change.table, record.change.kind, italian),
                        record.keyText + " \u00ab" + ShortenedText(record.name) + "\u00bb", "", "", ""});
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            if (i > 0)
                rows.push_back({"", "", "", "", ""});
            rows.back()[2] = record.fields[i].column;
            rows.back()[3] = ShortenedText(record.fields[i].was);
            rows.back()[4] = ShortenedText(record.fields[i].is);
        }
    }
    return document;
}

} // namespace velto
