#pragma once

#include "Words.h"

// The report's own texts; the column words and the words of the views come from Words.h.
namespace velto::report {

inline constexpr TextPair kTitle{"Rapporto di installazione", "Installation report"};
inline constexpr TextPair kCustomer{"Cliente", "Customer"};
inline constexpr TextPair kSite{"Indirizzo dell'impianto", "Site address"};
inline constexpr TextPair kInstaller{"Installatore", "Installer"};
inline constexpr TextPair kCompany{"Ditta", "Company"};
inline constexpr TextPair kDate{"Data", "Date"};
inline constexpr TextPair kNotes{"Note", "Notes"};
inline constexpr TextPair kProjectTitle{"Dati del progetto", "Project information"};
inline constexpr TextPair kFileName{"File", "File"};
inline constexpr TextPair kNotSaved{"(non salvato)", "(not saved)"};
inline constexpr TextPair kUnsavedChanges{"descrive modifiche non salvate", "describes unsaved changes"};
inline constexpr TextPair kFileVersion{"Versione del file", "File version"};
inline constexpr TextPair kProducedAt{"Prodotto il", "Produced on"};
inline constexpr TextPair kGroups{"Gruppi", "Groups"};
inline constexpr TextPair kAuxiliaries{"Ausiliari", "Auxiliaries"};
inline constexpr TextPair kCameras{"Telecamere", "Cameras"};
inline constexpr TextPair kF420Scenarios{"Scenari F420", "F420 scenarios"};
inline constexpr TextPair kMh200Scenarios{"Scenari MH200", "MH200 scenarios"};
inline constexpr TextPair kDevicesColumn{"attuatori", "devices"};
inline constexpr TextPair kCenActivation{"attivazione cen", "cen activation"};
inline constexpr TextPair kCenDeactivation{"disattivazione cen", "cen deactivation"};
inline constexpr TextPair kMh200Note{"Letti dal file: il formato del file non li conserva al salvataggio.",
                                     "Read from the file: the file format does not keep them on save."};
inline constexpr TextPair kNoGroup{"—", "—"};
inline constexpr TextPair kLocalBus{"Locale ", "Local "};
inline constexpr TextPair kPage{"pagina", "page"};
inline constexpr TextPair kOf{"di", "of"};
inline constexpr TextPair kName{"Nome", "Name"};
inline constexpr TextPair kSignature{"Firma", "Signature"};

} // namespace velto::report
