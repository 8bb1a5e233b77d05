#include "LanguageTable.h"

namespace velto {

namespace {

const Caption kCaptionTable[] = {
    {"mNew", {"Nuovo", "New"}},
    {"mOpen", {"Apri", "Open"}},
    {"mImport", {"Importa tabella CSV…", "Import CSV table…"}},
    {"mExportCsv", {"Esporta tabella CSV…", "Export CSV table…"}},
    {"mSave", {"Salva", "Save"}},
    {"mVersions", {"Versioni…", "Versions…"}},
    {"mReport", {"Esporta rapporto…", "Export report…"}},
    {"mPrint", {"Stampa…", "Print…"}},
    {"mCompare", {"Confronta con…", "Compare with…"}},
    {"mRecent", {"File recenti", "Recent files"}},
    {"mExit", {"Esci", "Exit"}},
    {"mEdit", {"&Modifica", "&Edit"}},
    {"mLang", {"&Lingua", "&Language"}},
    {"mIta", {"Italiano", "Italian"}},
    {"mEng", {"Inglese", "English"}},
    {"STab", {"Attuatori / Aux", "Device / Aux"}, Word::Count, 0},
    {"STab", {"Carichi", "Load"}, Word::Count, 1},
    {"STab", {"Sonde termo", "Thermo probe"}, Word::Count, 2},
    {"STab", {"Scenari", "Scenario"}, Word::Count, 4},
    {"Cnew", {"Nuovo", "New"}},
    {"CnewC", {"Nuovo", "New"}},
    {"CnewP", {"Nuovo", "New"}},
    {"CnewW", {"Nuovo", "New"}},
    {"CNews", {"Nuovo", "New"}},
    {"Cmod", {"Modifica", "Modify"}},
    {"CmodC", {"Modifica", "Modify"}},
    {"CmodP", {"Modifica", "Modify"}},
    {"CmodW", {"Modifica", "Modify"}},
    {"CModS", {"Modifica", "Modify"}},
    {"Cdel", {"Elimina", "Delete"}},
    {"CdelC", {"Elimina", "Delete"}},
    {"CdelP", {"Elimina", "Delete"}},
    {"CdelW", {"Elimina", "Delete"}},
    {"CDelS", {"Elimina", "Delete"}},
    {"Cann", {"Cancella", "Cancel"}},
    {"CannC", {"Cancella", "Cancel"}},
    {"CAnnP", {"Cancella", "Cancel"}},
    {"CannW", {"Cancella", "Cancel"}},
    {"CannS", {"Cancella", "Cancel"}},
    {"Cok", {"Conferma", "Accept"}},
    {"CokC", {"Conferma", "Accept"}},
    {"CokP", {"Conferma", "Accept"}},
    {"CokW", {"Conferma", "Accept"}},
    {"CokS", {"Conferma", "Accept"}},
    {"Frg", {"Grouppo", "Group"}},
    {"Lb(0)", {"nome attuatore", "device name"}},
    {"Lb(1)", {}, Word::groupWord},
    {"Lb(2)", {}, Word::typeWord},
    {"Lb(3)", {}, Word::addressWord},
    {"Lb(4)", {"lista gruppi", "group list"}},
    {"Lb(5)", {"nome gruppo", "group name"}},
    {"Lb(6)", {}, Word::priorityWord},
    {"Lb(7)", {"nome carico", "load name"}},
    {"Lb(8)", {"nome aux", "aux name"}},
    {"Lb(9)", {"lista aux", "aux list"}},
    {"Lb(10)", {"nome sonda", "probe name"}},
    {"Lb(11)", {}, Word::zoneWord},
    {"Lb(12)", {}, Word::numberWord},
    {"Lb(13)", {"nome camera", "camera name"}},
    {"Lb(14)", {}, Word::addressWord},
    {"Lb(15)", {}, Word::busWord},
    {"Lb(16)", {}, Word::busWord},
    {"Lb(17)", {}, Word::addressWord},
    {"Lb(18)", {"nome scenario", "scenario name"}},
    {"Lb(19)", {}, Word::numberWord},
    {"mCut", {"Taglia", "Cut"}},
    {"mCopy", {"Copia", "Copy"}},
    {"mPaste", {"Incolla", "Paste"}},
    {"mDuplicate", {"Duplica", "Duplicate"}},
    {"mSelectAll", {"Seleziona tutto", "Select all"}},
    {"mBulk", {"Modifica selezionati…", "Change selected…"}},
    {"mFind", {"Trova", "Find"}},
    {"Lfind", {"Trova:", "Find:"}},
    {"IbDel", {"Elimina gruppo", "Delete group"}},
    {"IdelAux", {"Elimina aux", "Delete aux"}},
    {"mHelp", {"&?", "&Help"}},
    {"mGuide", {"Guida rapida", "Quick guide"}},
    {"mAbout", {"Informazioni su Velto-Configurator", "About Velto-Configurator"}},
};

} // namespace

const std::span<const Caption> kCaptions{kCaptionTable};

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void UiTexts::load(bool italian) {
    for (std::size_t i = 0; i < values_.size(); ++i)
        values_[i] = ToQString(kWords[i].pick(italian));
}

} // namespace velto
