#include "SampleTexts.h"

#include <array>

namespace sample_texts {
namespace {

constexpr Noun nouns[] = {
    {u"Kunde", u"customer"},
    {u"Rechnung", u"invoice"},
    {u"Artikel", u"article"},
    {u"Lieferant", u"supplier"},
    {u"Konto", u"account"},
    {u"Buchung", u"booking"},
    {u"Zahlung", u"payment"},
    {u"Mahnung", u"reminder"},
    {u"Angebot", u"quotation"},
    {u"Auftrag", u"order"},
    {u"Lieferschein", u"delivery note"},
    {u"Gutschrift", u"credit note"},
    {u"Lager", u"warehouse"},
    {u"Preisliste", u"price list"},
    {u"Währung", u"currency"},
    {u"Steuersatz", u"tax rate"},
    {u"Bankverbindung", u"bank details"},
    {u"Adresse", u"address"},
    {u"Ansprechpartner", u"contact person"},
    {u"Projekt", u"project"},
    {u"Mitarbeiter", u"employee"},
    {u"Abteilung", u"department"},
    {u"Kostenstelle", u"cost centre"},
    {u"Vorlage", u"template"},
    {u"Bericht", u"report"},
    {u"Etikett", u"label"},
    {u"Drucker", u"printer"},
    {u"Schriftart", u"font"},
    {u"Farbe", u"colour"},
    {u"Sprache", u"language"},
    {u"Benutzer", u"user"},
    {u"Kennwort", u"password"},
    {u"Datenbank", u"database"},
    {u"Sicherung", u"backup"},
    {u"Verbindung", u"connection"},
    {u"Filter", u"filter"},
    {u"Ansicht", u"view"},
    {u"Spalte", u"column"},
    {u"Tabelle", u"table"},
    {u"Notiz", u"note"},
    {u"Termin", u"appointment"},
    {u"Aufgabe", u"task"},
    {u"Kategorie", u"category"},
    {u"Gruppe", u"group"},
    {u"Maßeinheit", u"unit of measure"},
    {u"Größe", u"size"},
    {u"Gewicht", u"weight"},
    {u"Straße", u"street"},
    {u"Postleitzahl", u"postcode"},
    {u"Länderkennung", u"country code"},
    {u"Kassenbuch", u"cash book"},
    {u"Überweisung", u"transfer"},
    {u"Schlüssel", u"key"},
    {u"Zähler", u"counter"},
    {u"Prüfsumme", u"checksum"},
    {u"Übersicht", u"overview"},
    {u"Fußzeile", u"footer"},
    {u"Kopfzeile", u"header"},
    {u"Seitenränder", u"margins"},
    {u"Skonto", u"cash discount"},
    {u"Jahresabschluss", u"annual accounts"},
    {u"Inventur", u"stocktaking"},
    {u"Beleg", u"voucher"},
    {u"Zahlungsziel", u"payment term"},
};

constexpr TextPair dialogTitleTemplates[] = {
    {u"{N}", u"{N}"},
    {u"{N} bearbeiten", u"Edit {n}"},
    {u"Neu: {N}", u"New {n}"},
    {u"{N} – Eigenschaften", u"{N} – Properties"},
    {u"{N} suchen", u"Find {n}"},
    {u"Optionen für {N}", u"Options for {n}"},
    {u"{N} importieren", u"Import {n}"},
    {u"Auswahl: {N}", u"Choose {n}"},
};

constexpr TextPair labelTemplates[] = {
    {u"{N}:", u"{N}:"},
    {u"&{N}:", u"&{N}:"},
    {u"{N}-Nr.:", u"{N} no.:"},
    {u"Bezeichnung ({N}):", u"Name ({n}):"},
    {u"{N} (optional):", u"{N} (optional):"},
    {u"Betrag in €:", u"Amount in €:"},
    {u"Temperatur (°C):", u"Temperature (°C):"},
    {u"Größe in µm:", u"Size in µm:"},
    {u"Static", u"Static"},
};

constexpr TextPair checkTemplates[] = {
    {u"{N} &anzeigen", u"&Show {n}"},
    {u"{N} beim Start &laden", u"&Load {n} at start"},
    {u"{N} &sperren", u"&Lock {n}"},
    {u"Groß-/Kleinschreibung &beachten", u"&Match case"},
    {u"Nur ganzes &Wort", u"Find whole words &only"},
    {u"{N} automatisch &prüfen", u"&Check {n} automatically"},
    {u"Änderungen an {N} &protokollieren", u"&Log changes to {n}"},
};

constexpr TextPair groupTemplates[] = {
    {u"{N}", u"{N}"},
    {u"Optionen", u"Options"},
    {u"Ausrichtung", u"Alignment"},
    {u"Bereich", u"Range"},
    {u"Einstellungen: {N}", u"Settings: {n}"},
};

constexpr TextPair menuItemTemplates[] = {
    {u"{N} &anlegen...", u"&New {n}..."},
    {u"{N} &bearbeiten...", u"&Edit {n}..."},
    {u"{N} &löschen\tEntf", u"&Delete {n}\tDel"},
    {u"{N} &drucken...", u"&Print {n}..."},
    {u"{N} e&xportieren...", u"E&xport {n}..."},
    {u"{N} &kopieren", u"&Copy {n}"},
    {u"{N} &prüfen\tF7", u"&Check {n}\tF7"},
    {u"&Alle {N} anzeigen", u"Show &all: {n}"},
};

constexpr TextPair commandTemplates[] = {
    {u"Legt einen neuen Eintrag an: {N}\n{N} anlegen", u"Creates a new entry: {n}\nNew {n}"},
    {u"Öffnet die Liste: {N}\n{N} öffnen", u"Opens the list: {n}\nOpen {n}"},
    {u"Druckt die Auswahl: {N}\n{N} drucken", u"Prints the selection: {n}\nPrint {n}"},
    {u"Löscht den markierten Eintrag: {N}\n{N} löschen",
     u"Deletes the selected entry: {n}\nDelete {n}"},
    {u"Prüft alle Einträge: {N}\n{N} prüfen", u"Checks all entries: {n}\nCheck {n}"},
};

constexpr TextPair messageTemplates[] = {
    {u"{N} wurde gespeichert.", u"The {n} was saved."},
    {u"{N} „%s“ wurde nicht gefunden.", u"The {n} “%s” was not found."},
    {u"{N} %s wirklich löschen?", u"Really delete the {n} %s?"},
    {u"{N}: %d Einträge gefunden", u"{N}: %d entries found"},
    {u"Fehler beim Lesen: {N} (Code %d).", u"Error while reading: {n} (code %d)."},
    {u"{N} %s ist gesperrt.\nBitte versuchen Sie es später erneut.",
     u"The {n} %s is locked.\nPlease try again later."},
    {u"Summe {N}:\t%8.2f €", u"Total {n}:\t%8.2f €"},
    {u"{N} zu %3i%% geladen", u"{N} %3i%% loaded"},
    {u"{N} ändern", u"Change {n}"},
    {u"Zeile %i: {N} fehlt.", u"Line %i: the {n} is missing."},
    {u"Meldung #: {N} ist ungültig.", u"Message #: the {n} is invalid."},
    {u"Meldung #: {N} „%s“ ist bereits vorhanden.", u"Message #: the {n} “%s” already exists."},
};

constexpr TextPair buttons[] = {
    {u"OK", u"OK"},
    {u"Abbrechen", u"Cancel"},
    {u"&Hilfe", u"&Help"},
    {u"&Übernehmen", u"&Apply"},
    {u"&Durchsuchen...", u"&Browse..."},
    {u"&Löschen", u"&Delete"},
    {u"&Neu", u"&New"},
    {u"&Schließen", u"&Close"},
    {u"&Weiter >", u"&Next >"},
    {u"< &Zurück", u"< &Back"},
    {u"&Bearbeiten...", u"&Edit..."},
    {u"Alle &auswählen", u"Select &all"},
    {u"&Standard", u"&Default"},
};

constexpr TextPair radios[] = {
    {u"&Hochformat", u"&Portrait"},
    {u"&Querformat", u"&Landscape"},
    {u"&Alle Seiten", u"&All pages"},
    {u"&Markierung", u"&Selection"},
    {u"&Nach oben", u"&Up"},
    {u"Nach &unten", u"&Down"},
    {u"&Links", u"&Left"},
    {u"&Rechts", u"&Right"},
    {u"&Zentriert", u"&Centred"},
    {u"&Brutto", u"&Gross"},
    {u"&Netto", u"&Net"},
};

constexpr TextPair editDefaults[] = {
    {u"", u""},
    {u"", u""},
    {u"", u""},
    {u"0,00", u"0.00"},
    {u"1", u"1"},
    {u"TT.MM.JJJJ", u"DD/MM/YYYY"},
};

constexpr TextPair listTexts[] = {
    {u"List1", u"List1"},
    {u"Tree1", u"Tree1"},
    {u"", u""},
};

constexpr TextPair comboTexts[] = {
    {u"", u""},
    {u"Combo1", u"Combo1"},
    {u"Standard", u"Default"},
};

constexpr TextPair notes[] = {
    {u"Die Sprache wurde geändert.\nBitte starten Sie das Programm neu.",
     u"The language was changed.\nPlease restart the program."},
    {u"Geben Sie den Suchbegriff ein.\nPlatzhalter: * und ?",
     u"Enter the search term.\nWildcards: * and ?"},
    {u"Straße, Hausnummer\tPLZ, Ort", u"Street, house number\tPostcode, town"},
    {u"Seite %d von %d", u"Page %d of %d"},
    {u"%s wird gedruckt...", u"Printing %s..."},
    {u"Noch %i Minuten (%02i%%)", u"%i minutes left (%02i%%)"},
    {u"Alle Beträge in €.\nRundung auf 0,01 €.", u"All amounts in €.\nRounded to 0.01 €."},
};

constexpr TextPair fixedSizeTexts[] = {
    {u"Spin1", u"Spin1"},
    {u"Slider1", u"Slider1"},
    {u"%d %%", u"%d %%"},
    {u"&Ja", u"&Yes"},
    {u"&Nein", u"&No"},
    {u"...", u"..."},
    {u"&Aktiv", u"&Active"},
};

constexpr TextPair languageNames[] = {
    {u"Deutsch", u"German"},
    {u"English", u"English"},
    {u"Français", u"Français"},
    {u"Русский", u"Русский"},
    {u"Ελληνικά", u"Ελληνικά"},
    {u"日本語", u"日本語"},
    {u"简体中文", u"简体中文"},
    {u"한국어", u"한국어"},
    {u"Polski", u"Polski"},
    {u"Türkçe", u"Türkçe"},
    {u"Čeština", u"Čeština"},
};

constexpr TextPair showcaseStrings[] = {
    {u"%d Dateien kopiert", u"%d files copied"},
    {u"Datei %s nicht gefunden", u"File %s not found"},
    {u"Seite %i von %i", u"Page %i of %i"},
    {u"Uhrzeit: %02i:%02i", u"Time: %02i:%02i"},
    {u"Rand: %-5.2f cm", u"Margin: %-5.2f cm"},
    {u"Rabatt 15 %% auf alles", u"15 %% off everything"},
    {u"Speicher: %ld KB frei", u"Memory: %ld KB free"},
    {u"Fehlercode 0x%08X", u"Error code 0x%08X"},
    {u"Name:\t%s\nGröße:\t%u Bytes", u"Name:\t%s\nSize:\t%u bytes"},
    {u"Öffnet eine Sprache zum Editieren\nSprache öffnen", u"Opens a language for editing\nOpen language"},
    {u"Notenschlüssel 𝄞 einfügen", u"Insert treble clef 𝄞"},
    {u"Widerstand in Ω, Länge in µm, Temperatur in °C",
     u"Resistance in Ω, length in µm, temperature in °C"},
    {u"Sprachen: Русский, Ελληνικά, 日本語, 中文", u"Languages: Русский, Ελληνικά, 日本語, 中文"},
    {u"Größe ändern – Maße in „Zoll“", u"Resize – dimensions in “inches”"},
    {u"Straße\tHausnr.\tPLZ\tOrt", u"Street\tNo.\tPostcode\tTown"},
    {u"%s", u"%s"},
};

constexpr TextPair switchEntryTexts[] = {
    {u"Sprache umschalten", u"Switch language"},
    {u"Sprachumschaltung", u"Language switch"},
    {u"Sprachen dieser Programmversion", u"Languages of this program version"},
    {u"Sprachen älterer Programmversionen", u"Languages of older program versions"},
    {u"OK", u"OK"},
    {u"Abbrechen", u"Cancel"},
    {u"Hilfe", u"Help"},
    {u"Ver.", u"Ver."},
    {u"Warnung ! Sie haben eine Sprache einer älteren Programmversion gewählt. Evtl. werden "
     u"nicht alle Texte in der richtigen Sprache dargestellt.",
     u"Warning! You have chosen a language of an older program version. Possibly not all "
     u"texts are shown in the right language."},
    {u"Fehler bei der Sprachumschaltung", u"Error while switching the language"},
    {u"&Sprache wechseln...", u"Switch &language..."},
    {u"Wechselt die Sprache der Oberfläche\nSprache wechseln",
     u"Switches the language of the user interface\nSwitch language"},
};

constexpr TextPair fileItems[] = {
    {u"&Neu\tStrg+N", u"&New\tCtrl+N"},
    {u"Ö&ffnen...\tStrg+O", u"&Open...\tCtrl+O"},
    {u"&Speichern\tStrg+S", u"&Save\tCtrl+S"},
    {u"Speichern &unter...", u"Save &As..."},
    {u"&Drucken...\tStrg+P", u"&Print...\tCtrl+P"},
    {u"Seiten&ansicht", u"Print Pre&view"},
    {u"Letzte Datei", u"Recent File"},
    {u"&Beenden", u"E&xit"},
};
constexpr TextPair editItems[] = {
    {u"&Rückgängig\tStrg+Z", u"&Undo\tCtrl+Z"},
    {u"&Ausschneiden\tStrg+X", u"Cu&t\tCtrl+X"},
    {u"&Kopieren\tStrg+C", u"&Copy\tCtrl+C"},
    {u"&Einfügen\tStrg+V", u"&Paste\tCtrl+V"},
    {u"&Suchen...\tStrg+F", u"&Find...\tCtrl+F"},
    {u"&Ersetzen...\tStrg+H", u"R&eplace...\tCtrl+H"},
};
constexpr TextPair viewItems[] = {
    {u"&Symbolleiste", u"&Toolbar"},
    {u"&Statusleiste", u"&Status Bar"},
    {u"&Schriftarten...", u"&Fonts..."},
};
constexpr TextPair helpItems[] = {
    {u"&Inhalt\tF1", u"&Contents\tF1"},
    {u"&Info über Kassenbuch...", u"&About Kassenbuch..."},
};

constexpr PopupTexts mainMenu[] = {
    {{u"&Datei", u"&File"}, fileItems},
    {{u"&Bearbeiten", u"&Edit"}, editItems},
    {{u"&Ansicht", u"&View"}, viewItems},
    {{u"&Hilfe", u"&Help"}, helpItems},
};

} // namespace

const std::span<const Noun> kNouns = nouns;
const std::span<const TextPair> kDialogTitleTemplates = dialogTitleTemplates;
const std::span<const TextPair> kLabelTemplates = labelTemplates;
const std::span<const TextPair> kCheckTemplates = checkTemplates;
const std::span<const TextPair> kGroupTemplates = groupTemplates;
const std::span<const TextPair> kMenuItemTemplates = menuItemTemplates;
const std::span<const TextPair> kCommandTemplates = commandTemplates;
const std::span<const TextPair> kMessageTemplates = messageTemplates;
const std::span<const TextPair> kButtons = buttons;
const std::span<const TextPair> kRadios = radios;
const std::span<const TextPair> kEditDefaults = editDefaults;
const std::span<const TextPair> kListTexts = listTexts;
const std::span<const TextPair> kComboTexts = comboTexts;
const std::span<const TextPair> kNotes = notes;
const std::span<const TextPair> kFixedSizeTexts = fixedSizeTexts;
const std::span<const TextPair> kLanguageNames = languageNames;
const std::span<const TextPair> kShowcaseStrings = showcaseStrings;
const std::span<const TextPair> kSwitchEntryTexts = switchEntryTexts;
const std::span<const PopupTexts> kMainMenu = mainMenu;

} // namespace sample_texts
