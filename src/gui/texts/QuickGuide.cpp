#include "QuickGuide.h"

#include "LanguageTable.h"

namespace velto {
namespace {

// The sections in tab order, then the keys; each is a heading and its paragraphs.
// clang-format off
const TextPair kSections[][2] = {
    {{"Attuatori / Aux",
      "Device / Aux"},
     {"<p>Un attuatore ha un nome, un tipo (dimmer, autom., on/off), un gruppo facoltativo e un indirizzo da 1 a 99 "
      "che non sia multiplo di 10 (1&ndash;9 si pu&ograve; scrivere anche 01&ndash;09). Due attuatori non possono "
      "avere lo stesso indirizzo. A destra, i nove gruppi e i nove aux: scegliere una riga, scrivere il nome e "
      "premere Invio (o passare ad altro); il cestino (o Canc quando ha il focus) libera la riga scelta. Un gruppo senza nome si pu&ograve; "
      "comunque assegnare; nella griglia, il gruppo mostra il suo nome passandoci sopra.</p>",
      "<p>A device has a name, a type (dimmer, autom., on/off), an optional group and an address from 1 to 99 that "
      "is not a multiple of 10 (1&ndash;9 may also be written 01&ndash;09). No two devices share an address. On the "
      "right, the nine groups and nine aux: choose a line, type the name and press Enter (or move on); the bin (or Delete when "
      "it has the focus) frees the chosen line. A group without a name can still be assigned; in the grid, hovering "
      "over a group shows its name.</p>"}},
    {{"Carichi", "Load"},
     {"<p>Un carico ha un nome e una priorit&agrave; da 1 a 16; ogni priorit&agrave; &egrave; di un solo carico.</p>",
      "<p>A load has a name and a priority from 1 to 16; each priority belongs to one load only.</p>"}},
    {{"Sonde termo", "Thermo probe"},
     {"<p>Una sonda ha un nome e una zona da 1 a 99; ogni zona ha una sola sonda.</p>",
      "<p>A probe has a name and a zone from 1 to 99; each zone has one probe only.</p>"}},
    {{"Camera", "Camera"},
     {"<p>Una camera ha un nome, un numero da 1 a 12 (uno per camera), un indirizzo da 4000 a 5000 e un montante: "
      "Privato o Pubblico. L'indirizzo si controlla quando lo si lascia con Tab, Maiusc+Tab o un clic.</p>",
      "<p>A camera has a name, a number from 1 to 12 (one per camera), an address from 4000 to 5000 and a riser: "
      "Private or Local rise. The address is checked when it is left by Tab, Shift+Tab or a click.</p>"}},
    {{"Scenari", "Scenario"},
     {"<p>Uno scenario F420 ha un nome, un numero da 1 a 16 (uno per scenario), un indirizzo da 0 a 98 e un bus: "
      "privato, oppure locale I=1 &hellip; I=9. Nella griglia, un indirizzo su bus locale si legge con il bus, "
      "per esempio 12#4#3 &egrave; l'indirizzo 12 sul bus locale 3.</p>",
      "<p>An F420 scenario has a name, a number from 1 to 16 (one per scenario), an address from 0 to 98 and a bus: "
      "Private, or local I=1 &hellip; I=9. In the grid, an address on a local bus shows with its bus, for example "
      "12#4#3 is address 12 on local bus 3.</p>"}},
    {{"Tasti", "Keys"},
     {"<p><b>Ctrl+F</b> porta al filtro sopra le griglie: mostra solo le righe che contengono il testo scritto, "
      "senza badare a maiuscole e accenti, o il nome del gruppo di un attuatore; <b>Esc</b> lo svuota. Nella griglia: <b>Ins</b> Nuovo, <b>Invio</b> o "
      "<b>F2</b> Modifica, <b>Canc</b> Elimina; <b>Tab</b> passa al controllo successivo. Nei campi: <b>Invio</b> "
      "conferma, <b>Esc</b> annulla, e la tastiera torna alla griglia: Ins, i campi, Invio, Ins&hellip; In un elenco, scrivere l'inizio di una voce la sceglie (&laquo;5&raquo;, "
      "&laquo;7&raquo; sceglie 57). <b>Ctrl+Z</b> annulla l'ultima modifica, <b>Ctrl+Y</b> la ripete. "
      "<b>Ctrl+clic</b>, <b>Maiusc+clic</b> e <b>Maiusc+frecce</b> selezionano pi&ugrave; righe, <b>Ctrl+A</b> "
      "tutte quelle mostrate; <b>Ctrl+C</b>, <b>Ctrl+X</b> e <b>Ctrl+D</b> le copiano, tagliano e duplicano, "
      "<b>Ctrl+V</b> incolla. "
      "<b>F1</b> apre questa guida.</p>",
      "<p><b>Ctrl+F</b> goes to the filter above the grids: it shows only the rows that contain the text typed, "
      "whatever the case and accents, or a device's group name; <b>Esc</b> empties it. In a grid: <b>Insert</b> New, <b>Enter</b> or "
      "<b>F2</b> Modify, <b>Delete</b> Delete; <b>Tab</b> moves on to the next control. In the fields: "
      "<b>Enter</b> confirms, <b>Esc</b> cancels, and the keyboard is back on the grid: Insert, the fields, Enter, "
      "Insert&hellip; In a list, typing the beginning of an item chooses it (\"5\", "
      "\"7\" chooses 57). <b>Ctrl+Z</b> undoes the last change, <b>Ctrl+Y</b> redoes it. <b>Ctrl+click</b>, "
      "<b>Shift+click</b> and <b>Shift+arrows</b> select many rows, <b>Ctrl+A</b> all the rows shown; "
      "<b>Ctrl+C</b>, <b>Ctrl+X</b> and <b>Ctrl+D</b> copy, cut and duplicate them, <b>Ctrl+V</b> pastes. "
      "<b>F1</b> opens this guide.</p>"}},
};
// clang-format on

} // namespace

QString QuickGuideHtml(bool italian) {
    QString html;
    for (std::size_t section = 0; section < std::size(kSections); ++section) {
        const QString anchor = section + 1 < std::size(kSections) ? QStringLiteral("tab%1").arg(section)
                                                                  : QStringLiteral("keys");
        html += QStringLiteral("<h3><a name=\"%1\"></a>%2</h3>")
                    .arg(anchor, ToQString(kSections[section][0].pick(italian))) +
                ToQString(kSections[section][1].pick(italian));
    }
    return html;
}

} // namespace velto
