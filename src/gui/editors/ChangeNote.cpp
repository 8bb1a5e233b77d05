#include "ChangeNote.h"

#include "LanguageTable.h"
#include "ShownText.h"

#include <array>

namespace velto {
namespace {

constexpr std::array<TextPair, 4> kSteps{{
    {"inserimento", "adding"},
    {"modifica", "changing"},
    {"eliminazione", "deleting"},
    {"denominazione", "naming"},
}};
constexpr std::array<TextPair, 7> kSubjects{{
    {"attuatore", "device"},
    {"carico", "load"},
    {"sonda", "probe"},
    {"camera", "camera"},
    {"scenario", "scenario"},
    {"gruppo", "group"},
    {"aux", "aux"},
}};

QString Named(StepKind kind, Subject subject, int key, const QString& name, bool italian) {
    const auto word = [italian](const TextPair& pair) { return ToQString(pair.pick(italian)); };
    return QStringLiteral("%1 %2 %3 %4%5%6")
        .arg(word(kSteps[std::size_t(kind)]), word(kSubjects[std::size_t(subject)]))
        .arg(key)
        .arg(italian ? QStringLiteral("«") : QStringLiteral("“"), Shortened(name),
             italian ? QStringLiteral("»") : QStringLiteral("”"));
}

} // namespace

ChangeNote NoteOf(StepKind kind, Subject subject, int keyBefore, int keyAfter, const QString& name) {
    const int key = kind == StepKind::Delete ? keyBefore : keyAfter;
    return {Named(kind, subject, key, name, true), Named(kind, subject, key, name, false), subject, keyBefore,
            keyAfter};
}

int TabOf(Subject subject) {
    return subject < Subject::Group ? int(subject) : 0;
}

} // namespace velto
