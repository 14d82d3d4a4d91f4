// The program's texts, byte for byte in code page 1252, in German.
#include <gtest/gtest.h>

#include <string>

#include "app/Messages.h"

using namespace velmora;

namespace {

std::string Ansi(const char* utf8) {
    wchar_t wide[1024] = {};
    ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 1024);
    char ansi[1024] = {};
    ::WideCharToMultiByte(1252, 0, wide, -1, ansi, sizeof ansi, nullptr, nullptr);
    return ansi;
}

std::string Loaded(UINT id) {
    char buffer[1025] = {};
    LoadText(id, buffer, sizeof buffer);
    return buffer;
}

struct TEntry {
    UINT id;
    const char* text;
};

}  // namespace

TEST(StringTable, EveryTextExactly) {
    const TEntry table[] = {
        {100, "Velmora"},
        {101, "Win32-Fehler. Code: %#08X"},
        {102, "Ändern"},
        {201, "Ein Schlüssel konnte in der Registrierung nicht geöffnet werden. Es wurde folgender "
              "Fehler ermittelt:\r\n"},
        {202, "Ein Schlüssel wurde in der Registrierung nicht gefunden."},
        {203, "Ein Schlüssel konnte in der Registrierung nicht gespeichert werden. Es wurde "
              "folgender Fehler ermittelt:\r\n"},
        {204, "Ein Schlüssel konnte in der Registrierung nicht angelegt werden."},
        {205, "Für die Speicherung der Daten benötigen Sie Administratorrechte."},
        {206, "Die Änderungen wurden erfolgreich gespeichert. Möchten Sie das Programm jetzt "
              "beenden?"},
        {207, "Die HTML-Hilfe ist auf dem System nicht installiert."},
        {208, "Die Hilfe-Datei kann nicht geöffnet werden.\r\n(%s)"},
        {209, "Die Überprüfung der digitalen Signatur schlug fehl.\r\nBitte überprüfen Sie, ob das "
              "Zertifikat richtig installiert worden und nicht abgelaufen ist."},
        {210, "Die Signatur des Programms ist ungültig oder beschädigt.\r\nFolgende Funktionen "
              "stehen nicht mehr zur Verfügung:\r\n\r\n- automatische Installation des "
              "Zertifikats\r\n- Überprüfung des entsprechenden Zertifikats"},
        {211, "Folgende gespeicherte Texte enthalten Zeichen, die das Programm nicht darstellen "
              "kann:\r\n\r\n%s\r\nBeim Speichern bleiben diese Texte unverändert, solange Sie "
              "sie nicht bearbeiten."},
        {212, "- Titel der Nachricht\r\n"},
        {213, "- Text der Nachricht\r\n"},
        {214, "- Text im Anmeldedialog\r\n"},
        {215, "Die Zertifikatsdatei gehört nicht zur Signatur dieses Programms und wurde nicht "
              "installiert."},
        {216, "Die Hilfe-Datei neben dem Programm gehört nicht zu dieser Version und wird nicht "
              "geöffnet.\r\n(%s)"},
        {301, "Änderungen erfordern administrative Rechte"},
        {302, "Klicken Sie auf die Schaltfläche, um das Programm mit\r\nadministrativen Rechten neu "
              "zu starten."},
        {303, "%d von maximal %d Zeichen"},
        {304, "Digitale Signatur"},
        {306, "Bei der Überprüfung des Zertifikats wurden keine Fehler festgestellt.\r\nZertifikat: "
              "%s\r\nGültig bis: %02d.%02d.%02d"},
        {309, "Als Registrierungs&datei exportieren…"},
        {310, "Als Sicherheitsvor&lage exportieren…"},
        {317, "Zertifikat &installieren…"},
        {318, "A&us Datei laden…"},
        {330, "V&orschau…"},
        {331, "Die Anordnung dieser Anmeldebildschirme ist angenähert, keine Kopie."},
    };
    for (const TEntry& entry : table) EXPECT_EQ(Loaded(entry.id), Ansi(entry.text)) << entry.id;
}

TEST(StringTable, CertificateTextEndsWithTheMakersAddress) {
    const std::string prefix = Ansi(
        "Das digitale Zertifikat für das Programm ist ungültig.\r\nKlicken Sie hier, um das "
        "aktuelle Zertifikat zu installieren.\r\nWeitere Infos: ");
    const std::string text = Loaded(305);
    ASSERT_EQ(text.rfind(prefix, 0), 0u);
    EXPECT_EQ(text.substr(prefix.size()).rfind("https://", 0), 0u);
}

TEST(StringTable, ResourcesAreGerman) {
    const WORD german = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    for (UINT block : {100u / 16 + 1, 201u / 16 + 1, 301u / 16 + 1})
        EXPECT_NE(::FindResourceExA(nullptr, RT_STRING, MAKEINTRESOURCEA(block), german), nullptr);
    EXPECT_NE(::FindResourceExA(nullptr, RT_DIALOG, "MAINDIALOG", german), nullptr);
    EXPECT_NE(::FindResourceExA(nullptr, RT_GROUP_ICON, "MAINICON", german), nullptr);
}
