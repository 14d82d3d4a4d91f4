// Loading and storing the Winlogon values through the real dialog, read and
// prepared in the 64-bit view that the logon uses.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tests/driver/PlatformReaders.h"
#include "tests/driver/Registry.h"
#include "tests/driver/UiDriver.h"

#include <sddl.h>

using namespace uidriver;

namespace {

constexpr const char* Caption = "LegalNoticeCaption";
constexpr const char* Notice = "LegalNoticeText";
constexpr const char* Prompt = "LogonPrompt";
// Where a security policy sets the notice; the logon prefers it.
constexpr const char* Policy = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// A program shown as 9x works in its own view (see OwnView).
REGSAM ViewOf(const char* key) { return key == Winlogon9x ? OwnView : KEY_WOW64_64KEY; }

void Put(const char* key, const char* name, const std::string& text) {
    WriteValue(key, name, REG_SZ, std::string(text.c_str(), text.size() + 1), ViewOf(key));
}

class LogonNoticeTest : public ::testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override { Clear(); }
    static void Clear() {
        for (const char* name : {Caption, Notice, Prompt}) {
            DeleteValue(WinlogonNt, name);
            DeleteValue(WinlogonNt, name, KEY_WOW64_32KEY);
        }
        DeleteKey(Winlogon9x);
        DeleteKey(Winlogon9x, OwnView);
        DeleteValue(Policy, Caption);
        DeleteValue(Policy, Notice);
    }

    HWND Start(const char* version, const char* arguments = "") {
        velmora_ = TProcess({VELMORA_EXE, arguments, version, true});
        const HWND dialog = velmora_.WaitForDialog();
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    // Save, expect the question 206 and answer it.
    void SaveAndAnswer(HWND dialog, int answer) {
        Click(Control(dialog, IDOK));
        AnswerSaved(dialog, answer);
    }
    void AnswerSaved(HWND dialog, int answer) {
        const auto box = WaitForMessageBox(velmora_.id());
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->owner, dialog);
        EXPECT_EQ(box->caption, "Velmora");
        EXPECT_EQ(box->text,
                  "Die \xC4nderungen wurden erfolgreich gespeichert. M\xF6" "chten Sie das "
                  "Programm jetzt beenden?");
        EXPECT_EQ(box->icon, static_cast<UINT>(MB_ICONQUESTION));
        EXPECT_EQ(box->buttons, (std::vector<int>{IDYES, IDNO}));
        Answer(*box, answer);
        EXPECT_TRUE(WaitUntil([&] { return MessageBoxes(velmora_.id()).empty(); }));
    }
    void Check(HWND dialog, int id) {
        Click(Control(dialog, id));
        EXPECT_TRUE(WaitUntil([&] { return CheckState(Control(dialog, id)) == BST_CHECKED; }));
    }
    void Quit(HWND dialog) {
        Close(dialog);
        ASSERT_TRUE(velmora_.WaitForExit());
        EXPECT_EQ(velmora_.ExitCode(), 0u);
    }
    static std::string Stored(const char* key, const char* name) {
        const auto value = ReadValue(key, name, ViewOf(key));
        if (!value) return "<absent>";
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ)) << name;
        return value->data;
    }

    TProcess velmora_;
};

std::string Z(const std::string& text) { return std::string(text.c_str(), text.size() + 1); }

// The question before Save writes over another program's change.
std::string AskedAbout(const std::string& fields) {
    return "Seit dem Laden oder dem letzten Speichern hat ein anderes Programm folgende "
           "gespeicherte Texte ge\xE4ndert, angelegt oder gel\xF6scht:\r\n\r\n" + fields +
           "\r\nJa: Die Texte dieses Dialogs werden gespeichert; die \xC4nderungen des anderen "
           "Programms gehen verloren.\r\nNein: Die gespeicherten Texte werden in den Dialog "
           "\xFC" "bernommen; Ihre Eingaben seit dem Laden oder dem letzten Speichern werden "
           "verworfen. Gespeichert wird nichts.\r\nAbbrechen: Es wird nichts gespeichert und "
           "nichts \xFC" "bernommen.";
}

std::string Bytes(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * 2);
}

// The test environment keeps C:\velmora-locked immutable while it runs
// (scripts/testenv/testenv.sh): nobody may write there, not even root.
const char* const LockedFolder = "C:\\velmora-locked";
bool IsLocked(const std::string& folder) {
    const std::string probe = folder + "\\probe";
    const bool made = ::CreateDirectoryA(probe.c_str(), nullptr);
    const DWORD error = made ? NO_ERROR : ::GetLastError();
    if (made) ::RemoveDirectoryA(probe.c_str());
    return error == ERROR_ACCESS_DENIED;
}

}  // namespace

TEST_F(LogonNoticeTest, LoadsAllThreeOnNt5) {
    WriteText(WinlogonNt, Caption, "Achtung");
    WriteText(WinlogonNt, Notice, "Nur f\xFCr Befugte.\r\nZweite Zeile");
    WriteText(WinlogonNt, Prompt, "Bitte anmelden");
    const HWND d = Start("winxp");
    EXPECT_EQ(Text(Control(d, 1013)), "Achtung");
    EXPECT_EQ(Text(Control(d, 1014)), "Nur f\xFCr Befugte.\r\nZweite Zeile");
    EXPECT_EQ(Text(Control(d, 1022)), "Bitte anmelden");
    EXPECT_EQ(CheckState(Control(d, 1010)), BST_CHECKED);
    EXPECT_EQ(CheckState(Control(d, 1020)), BST_CHECKED);
    for (int id : {1013, 1014, 1022}) EXPECT_TRUE(IsEnabled(Control(d, id))) << id;
    Quit(d);
}

TEST_F(LogonNoticeTest, PromptIsNeitherReadNorTouchedOnNt6And9x) {
    for (const char* version : {"win7", "win98"}) {
        SCOPED_TRACE(version);
        const char* key = std::string(version) == "win98" ? Winlogon9x : WinlogonNt;
        Put(key, Caption, "C");
        Put(key, Notice, "T");
        Put(key, Prompt, "bleibt");
        const HWND d = Start(version);
        EXPECT_EQ(Text(Control(d, 1013)), "C");
        EXPECT_EQ(Text(Control(d, 1022)), "");
        EXPECT_EQ(CheckState(Control(d, 1020)), BST_UNCHECKED);
        Click(Control(d, 1010));  // notice off: both values go, the prompt stays
        EXPECT_TRUE(WaitUntil([&] { return CheckState(Control(d, 1010)) == BST_UNCHECKED; }));
        SaveAndAnswer(d, IDYES);
        ASSERT_TRUE(velmora_.WaitForExit());
        EXPECT_EQ(Stored(key, Caption), "<absent>");
        EXPECT_EQ(Stored(key, Notice), "<absent>");
        EXPECT_EQ(Stored(key, Prompt), Z("bleibt"));
    }
}

TEST_F(LogonNoticeTest, CaptionOnlyCountsAsOffAndIsDeletedOnSave) {
    WriteText(WinlogonNt, Caption, "Nur Titel");
    const HWND d = Start("win7");
    EXPECT_EQ(Text(Control(d, 1013)), "Nur Titel");
    EXPECT_EQ(CheckState(Control(d, 1010)), BST_UNCHECKED);
    EXPECT_FALSE(IsEnabled(Control(d, 1013)));
    EXPECT_FALSE(IsEnabled(Control(d, 1014)));
    // Checked but the text still empty: a half-empty block is deleted.
    Check(d, 1010);
    SaveAndAnswer(d, IDNO);
    EXPECT_EQ(Stored(WinlogonNt, Caption), "<absent>");
    // Saving again with both values absent succeeds just the same.
    SaveAndAnswer(d, IDNO);
    Quit(d);
}

TEST_F(LogonNoticeTest, StoresExactlyTextAndOneZeroInTheSixtyFourBitView) {
    const HWND d = Start("winxp");
    Check(d, 1010);
    Check(d, 1020);
    const std::string caption(255, 'C');
    const std::string text = "Zeile 1\r\nZeile 2\r\n\r\nZeile \xE4\xF6\xFC";
    SetText(Control(d, 1013), caption);
    SetText(Control(d, 1014), text);
    SetText(Control(d, 1022), "Anmelden");
    SaveAndAnswer(d, IDNO);  // No keeps the dialog
    EXPECT_TRUE(FindMainDialog(velmora_.id()) != nullptr);
    EXPECT_EQ(Stored(WinlogonNt, Caption), Z(caption));
    EXPECT_EQ(Stored(WinlogonNt, Notice), Z(text));
    EXPECT_EQ(Stored(WinlogonNt, Prompt), Z("Anmelden"));
    // The redirected 32-bit copy, which the logon never reads, stays empty.
    EXPECT_FALSE(ReadValue(WinlogonNt, Caption, KEY_WOW64_32KEY).has_value());
    Click(Control(d, 1020));  // the prompt switched off goes
    EXPECT_TRUE(WaitUntil([&] { return CheckState(Control(d, 1020)) == BST_UNCHECKED; }));
    // Removed by another program meanwhile, the unchanged caption is asked
    // about and, overwritten, written again beside the edited text.
    DeleteValue(WinlogonNt, Caption);
    const std::string edited = text + "!";
    SetText(Control(d, 1014), edited);
    Click(Control(d, IDOK));
    EXPECT_EQ(AnswerNextBox(velmora_.id(), IDYES).value_or(TMessageBox{}).text,
              AskedAbout("- Titel der Nachricht\r\n"));
    AnswerSaved(d, IDYES);  // Yes ends the program
    ASSERT_TRUE(velmora_.WaitForExit());
    EXPECT_EQ(velmora_.ExitCode(), 0u);
    EXPECT_EQ(Stored(WinlogonNt, Prompt), "<absent>");
    EXPECT_EQ(Stored(WinlogonNt, Caption), Z(caption));

    // The round trip: what was stored comes back whole. On NT 4 an emptied
    // prompt goes too.
    WriteText(WinlogonNt, Prompt, "Anmelden");
    const HWND again = Start("nt40");
    EXPECT_EQ(Text(Control(again, 1013)), caption);
    EXPECT_EQ(Text(Control(again, 1014)), edited);
    EXPECT_EQ(Text(Control(again, 1022)), "Anmelden");
    SetText(Control(again, 1022), "");
    SaveAndAnswer(again, IDYES);
    ASSERT_TRUE(velmora_.WaitForExit());
    EXPECT_EQ(Stored(WinlogonNt, Prompt), "<absent>");
    EXPECT_EQ(Stored(WinlogonNt, Caption), Z(caption));
}

// While the dialog is open, a second administrator changes the caption and
// deletes the prompt with reg.exe: Save asks before it writes anything, and
// each answer does what it says. Velmora's own Save is no such change.
TEST_F(LogonNoticeTest, ChangesMeanwhileAreAskedAboutBeforeSaving) {
    const auto reg = [](const wchar_t* verb, const wchar_t* value) {
        Launch(std::wstring(L"C:\\windows\\system32\\reg.exe ") + verb +
               L" \"HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\" /reg:64 /f " +
               value);
    };
    for (const int answer : {IDYES, IDNO, IDCANCEL}) {
        SCOPED_TRACE(answer);
        WriteText(WinlogonNt, Caption, "Alt");
        WriteText(WinlogonNt, Notice, "Text");
        WriteText(WinlogonNt, Prompt, "Anmelden");
        const HWND d = Start("winxp");
        SetText(Control(d, 1014), "Neu");
        reg(L"add", L"/v LegalNoticeCaption /t REG_SZ /d Fremd");
        reg(L"delete", L"/v LogonPrompt");
        ASSERT_EQ(Stored(WinlogonNt, Caption), Z("Fremd"));
        ASSERT_EQ(Stored(WinlogonNt, Prompt), "<absent>");
        Click(Control(d, IDOK));
        const auto box = AnswerNextBox(velmora_.id(), answer);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->owner, d);
        EXPECT_EQ(box->icon, static_cast<UINT>(MB_ICONWARNING));
        EXPECT_EQ(box->buttons, (std::vector<int>{IDYES, IDNO, IDCANCEL}));
        EXPECT_EQ(box->text, AskedAbout("- Titel der Nachricht\r\n- Text im Anmeldedialog\r\n"));
        const bool overwritten = answer == IDYES;
        if (overwritten) AnswerSaved(d, IDNO);
        EXPECT_TRUE(Settled(d));
        EXPECT_TRUE(MessageBoxes(velmora_.id()).empty());
        EXPECT_EQ(Stored(WinlogonNt, Caption), Z(overwritten ? "Alt" : "Fremd"));
        EXPECT_EQ(Stored(WinlogonNt, Notice), Z(overwritten ? "Neu" : "Text"));
        EXPECT_EQ(Stored(WinlogonNt, Prompt), overwritten ? Z("Anmelden") : "<absent>");
        // No takes what is stored into the dialog, as its start does.
        const bool taken = answer == IDNO;
        EXPECT_EQ(Text(Control(d, 1013)), taken ? "Fremd" : "Alt");
        EXPECT_EQ(Text(Control(d, 1014)), taken ? "Text" : "Neu");
        EXPECT_EQ(Text(Control(d, 1022)), taken ? "" : "Anmelden");
        EXPECT_EQ(CheckState(Control(d, 1020)), taken ? BST_UNCHECKED : BST_CHECKED);
        EXPECT_EQ(IsEnabled(Control(d, 1022)), !taken);
        // Cancelled, the next Save asks again; else only what it always asks.
        if (answer == IDCANCEL) {
            Click(Control(d, IDOK));
            ASSERT_TRUE(AnswerNextBox(velmora_.id(), IDYES).has_value());
            AnswerSaved(d, IDNO);
        }
        SaveAndAnswer(d, IDYES);
        ASSERT_TRUE(velmora_.WaitForExit());
        EXPECT_EQ(Stored(WinlogonNt, Caption), Z(taken ? "Fremd" : "Alt"));
    }
    // A change that only the Unicode data shows (both read "?" as ANSI).
    WriteWideText(WinlogonNt, L"LegalNoticeCaption", L"\u4E00");
    const HWND d = Start("win7");
    ASSERT_TRUE(AnswerNextBox(velmora_.id()).has_value());  // the text kept
    WriteWideText(WinlogonNt, L"LegalNoticeCaption", L"\u4E8C");
    Click(Control(d, IDOK));
    EXPECT_EQ(AnswerNextBox(velmora_.id(), IDCANCEL).value_or(TMessageBox{}).text,
              AskedAbout("- Titel der Nachricht\r\n"));
    Quit(d);
}

TEST_F(LogonNoticeTest, TextLongerThanTheLimitIsShownAndSavedWhole) {
    std::string text;
    while (text.size() < 3000) text += "0123456789";
    WriteText(WinlogonNt, Caption, "Lang");
    WriteText(WinlogonNt, Notice, text);
    const HWND d = Start("win10");
    EXPECT_EQ(Text(Control(d, 1014)).size(), 3000u);
    SaveAndAnswer(d, IDNO);
    EXPECT_EQ(Stored(WinlogonNt, Notice), Z(text));
    Quit(d);
}

TEST_F(LogonNoticeTest, MissingKeyIsReportedOnLoadAndCreatedOnStore) {
    ASSERT_FALSE(KeyExists(Winlogon9x, ViewOf(Winlogon9x)));
    velmora_ = TProcess({VELMORA_EXE, "", "win98", true});
    const auto box = WaitForMessageBox(velmora_.id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "Ein Schl\xFCssel wurde in der Registrierung nicht gefunden.");
    EXPECT_EQ(box->icon, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
    Answer(*box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return MessageBoxes(velmora_.id()).empty(); }));
    const HWND d = velmora_.WaitForDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(box->owner, d);
    Check(d, 1010);
    SetText(Control(d, 1013), "Neu");
    SetText(Control(d, 1014), "angelegt");
    SaveAndAnswer(d, IDYES);
    ASSERT_TRUE(velmora_.WaitForExit());
    EXPECT_EQ(Stored(Winlogon9x, Caption), Z("Neu"));
    EXPECT_EQ(Stored(Winlogon9x, Notice), Z("angelegt"));
}

// Other tools store these texts as Unicode; through the ANSI functions "\u03A9"
// reads as "O". Such a value is kept byte for byte unless its text is
// changed, and said so once; a block switched off still goes.
TEST_F(LogonNoticeTest, UnicodeTextsAreKeptUnlessChanged) {
    const std::wstring caption = L"Zugriff \u2013 \u03A9 Labor";
    const std::wstring text = L"Nur f\u00FCr \u0141\u00F3d\u017A und \u041C\u043E\u0441\u043A\u0432\u0430";
    const std::string told =
        "Folgende gespeicherte Texte enthalten Zeichen, die das Programm nicht darstellen "
        "kann:\r\n\r\n- Titel der Nachricht\r\n- Text der Nachricht\r\n\r\nBeim Speichern "
        "bleiben diese Texte unver\xE4ndert, solange Sie sie nicht bearbeiten.";
    for (const char* version : {"win7", "winxp"}) {
        SCOPED_TRACE(version);
        WriteWideText(WinlogonNt, L"LegalNoticeCaption", caption);
        WriteWideText(WinlogonNt, L"LegalNoticeText", text);
        const auto storedCaption = ReadWideData(WinlogonNt, L"LegalNoticeCaption");
        velmora_ = TProcess({VELMORA_EXE, "", version, true});
        const auto box = WaitForMessageBox(velmora_.id(), 45000);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, told);
        EXPECT_EQ(box->icon, static_cast<UINT>(MB_ICONWARNING));
        // Over the dialog, which shows already.
        const HWND d = FindMainDialog(velmora_.id());
        ASSERT_NE(d, nullptr);
        EXPECT_TRUE(::IsWindowVisible(d));
        EXPECT_EQ(box->owner, d);
        Answer(*box, IDOK);
        EXPECT_TRUE(WaitUntil([&] { return MessageBoxes(velmora_.id()).empty(); }));

        SaveAndAnswer(d, IDNO);
        EXPECT_EQ(ReadWideData(WinlogonNt, L"LegalNoticeCaption"), storedCaption);
        EXPECT_EQ(ReadWideData(WinlogonNt, L"LegalNoticeText"),
                  std::string(reinterpret_cast<const char*>(text.c_str()),
                              (text.size() + 1) * sizeof(wchar_t)));
        SetText(Control(d, 1014), "Neu");
        SaveAndAnswer(d, IDNO);
        EXPECT_EQ(Stored(WinlogonNt, Notice), Z("Neu"));
        EXPECT_EQ(ReadWideData(WinlogonNt, L"LegalNoticeCaption"), storedCaption);
        Click(Control(d, 1010));
        EXPECT_TRUE(WaitUntil([&] { return CheckState(Control(d, 1010)) == BST_UNCHECKED; }));
        SaveAndAnswer(d, IDNO);
        EXPECT_EQ(Stored(WinlogonNt, Caption), "<absent>");
        EXPECT_EQ(Stored(WinlogonNt, Notice), "<absent>");
        // Switched on again, the block is stored as it shows.
        const std::string shown = Text(Control(d, 1013));
        Check(d, 1010);
        SaveAndAnswer(d, IDYES);
        ASSERT_TRUE(velmora_.WaitForExit());
        EXPECT_EQ(Stored(WinlogonNt, Caption), Z(shown));
    }
    // 1 MB of such characters: no crash, and no rewrite without an edit. (In
    // the caption: Wine's multi-line edit takes minutes to wrap a line this
    // long.)
    const std::wstring huge(512 * 1024 - 1, L'\u03A9');
    WriteWideText(WinlogonNt, L"LegalNoticeCaption", huge);
    WriteWideText(WinlogonNt, L"LegalNoticeText", L"\u03A9");
    const auto before = ReadWideData(WinlogonNt, L"LegalNoticeCaption");
    velmora_ = TProcess({VELMORA_EXE, "", "win7", true});
    const auto box = WaitForMessageBox(velmora_.id(), 60000);
    ASSERT_TRUE(box.has_value());
    Answer(*box, IDOK);
    // Gone before Save, or its question would be taken for this box.
    EXPECT_TRUE(WaitUntil([&] { return MessageBoxes(velmora_.id()).empty(); }, 60000));
    const HWND d = velmora_.WaitForDialog();
    ASSERT_NE(d, nullptr);
    SaveAndAnswer(d, IDYES);
    ASSERT_TRUE(velmora_.WaitForExit());
    EXPECT_EQ(velmora_.ExitCode(), 0u);
    EXPECT_TRUE(ReadWideData(WinlogonNt, L"LegalNoticeCaption") == before);
}

// Whatever other tools stored stays byte for byte and type for type through
// a Save that leaves its field alone: references, multi-strings, other
// types, unterminated, odd-sized and huge data. On NT 4 and 5 the prompt is
// changed and written beside them.
TEST_F(LogonNoticeTest, OtherTypesAreShownAndKeptUnlessChanged) {
    WriteValue(WinlogonNt, Caption, REG_EXPAND_SZ, Z("%SystemRoot%"));
    WriteValue(WinlogonNt, Notice, REG_DWORD, std::string("\x01\x00\x00\x00", 4));
    HWND d = Start("win7");
    EXPECT_EQ(Text(Control(d, 1013)), "C:\\windows");
    EXPECT_EQ(Text(Control(d, 1014)), "");
    Quit(d);

    // As other tools store them, through the W functions: UTF-16 bytes.
    const auto w = [](const wchar_t* text, size_t chars) {
        return std::string(reinterpret_cast<const char*>(text), chars * sizeof(wchar_t));
    };
    const std::vector<std::pair<TValue, TValue>> stored = {
        {{REG_EXPAND_SZ, w(L"%SystemRoot%\\Hinweis", 21)}, {REG_MULTI_SZ, w(L"eins\0zwei\0", 11)}},
        {{REG_DWORD, std::string("\x01\x00\x00\x00", 4)}, {REG_SZ, w(L"Text", 5)}},
        {{REG_SZ, w(L"abc", 3).substr(0, 5)}, {REG_EXPAND_SZ, w(L"a\u03A9", 2).substr(0, 3)}},
        {{REG_BINARY, std::string(1 << 20, '\x7F')}, {REG_MULTI_SZ, w(L"a", 1)}}};
    for (const char* version : {"nt40", "winxp", "win7"}) {
        for (const auto& [caption, notice] : stored) {
            SCOPED_TRACE(std::string(version) + " " + std::to_string(caption.type));
            WriteWideData(WinlogonNt, L"LegalNoticeCaption", caption.type, caption.data);
            WriteWideData(WinlogonNt, L"LegalNoticeText", notice.type, notice.data);
            DeleteValue(WinlogonNt, Prompt);
            d = Start(version);
            if (std::string(version) != "win7") {
                Check(d, 1020);
                SetText(Control(d, 1022), "Anmelden");
            }
            SaveAndAnswer(d, IDYES);
            ASSERT_TRUE(velmora_.WaitForExit());
            EXPECT_EQ(ReadValue(WinlogonNt, Caption)->type, caption.type);
            EXPECT_EQ(ReadValue(WinlogonNt, Notice)->type, notice.type);
            EXPECT_TRUE(ReadWideData(WinlogonNt, L"LegalNoticeCaption") == caption.data);
            EXPECT_EQ(ReadWideData(WinlogonNt, L"LegalNoticeText").value_or("<absent>"),
                      notice.data);
            EXPECT_EQ(Stored(WinlogonNt, Prompt),
                      std::string(version) == "win7" ? "<absent>" : Z("Anmelden"));
        }
    }
}

// A key that grants everybody `access` and nothing else for the length of a
// test; with 0 nobody but its owner may even read it.
class TRestrictedKey {
public:
    TRestrictedKey(const char* path, REGSAM access) {
        ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, READ_CONTROL | WRITE_DAC | KEY_WOW64_64KEY,
                        &key_);

        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        ::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone_);
        const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + ::GetLengthSid(everyone_);
        acl_.resize(aclSize);
        auto* acl = reinterpret_cast<ACL*>(acl_.data());
        ::InitializeAcl(acl, aclSize, ACL_REVISION);
        if (access != 0) ::AddAccessAllowedAce(acl, ACL_REVISION, access, everyone_);
        SECURITY_DESCRIPTOR sd;
        ::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
        ::SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
        ::RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, &sd);
    }
    ~TRestrictedKey() {
        // Putting the saved list back loses its inherited entries under Wine
        // (users could no longer read the key), so set a plain one: full
        // access for administrators and the system, reading for everybody.
        PSECURITY_DESCRIPTOR open = nullptr;
        if (::ConvertStringSecurityDescriptorToSecurityDescriptorA(
                "D:(A;CI;KA;;;BA)(A;CI;KA;;;SY)(A;CI;KR;;;BU)(A;CI;KR;;;WD)", SDDL_REVISION_1,
                &open, nullptr)) {
            ::RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, open);
            ::LocalFree(open);
        }
        ::RegCloseKey(key_);
        ::FreeSid(everyone_);
    }

private:
    HKEY key_ = nullptr;
    PSID everyone_ = nullptr;
    std::vector<BYTE> acl_;
};

TEST_F(LogonNoticeTest, StoreWithoutWriteAccessReportsAndKeepsTheDialog) {
    const HWND d = Start("win7");
    Check(d, 1010);
    SetText(Control(d, 1013), "Titel");
    SetText(Control(d, 1014), "Text");
    {
        TRestrictedKey readOnly(WinlogonNt, KEY_READ);
        Click(Control(d, IDOK));
        const auto box = WaitForMessageBox(velmora_.id());
        ASSERT_TRUE(box.has_value());
        char denied[256] = {};
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_ACCESS_DENIED, 0, denied,
                         sizeof denied, nullptr);
        EXPECT_EQ(box->text, std::string("Ein Schl\xFCssel konnte in der Registrierung nicht "
                                         "gespeichert werden. Es wurde folgender Fehler "
                                         "ermittelt:\r\n") + denied);
        EXPECT_EQ(box->icon, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(box->owner, d);
        Answer(*box, IDOK);
        // No question follows a failed store, and the dialog stays.
        EXPECT_TRUE(WaitUntil([&] { return MessageBoxes(velmora_.id()).empty(); }));
        EXPECT_TRUE(Settled(d));
        EXPECT_TRUE(MessageBoxes(velmora_.id()).empty());
    }
    EXPECT_EQ(Stored(WinlogonNt, Caption), "<absent>");
    EXPECT_EQ(Text(Control(d, 1013)), "Titel");
    Quit(d);
}

// A policy's texts win at logon: the dialog says so over the notice block and
// still saves Winlogon's values, never the policy's. Empty policy texts, or a
// policy key the program may not read, change nothing.
TEST_F(LogonNoticeTest, PolicyTextsAreHintedAndNeverWritten) {
    Put(WinlogonNt, Caption, "Hinweis");
    Put(WinlogonNt, Notice, "Nur f\xFCr Befugte.");
    for (const char* version : {"win7", "winxp"}) {
        SCOPED_TRACE(version);
        Put(Policy, Caption, "");
        Put(Policy, Notice, "Richtlinie");
        HWND d = Start(version, "nocert");
        // Open without any mouse movement, gone at the first click; hovering
        // the caption's label, inside the block, shows it again.
        EXPECT_TRUE(WaitUntil([&] { return CountTooltips(velmora_, true, true) == 1; }));
        ClickWithMouse(Control(d, 1013));
        // Hidden may come before gone: under load the tip hides itself at
        // the click before the program has destroyed it.
        EXPECT_TRUE(WaitUntil([&] { return CountTooltips(velmora_, true, false) == 1u; }));
        EXPECT_EQ(CountTooltips(velmora_, true, true), 0u);
        Hover(Control(d, 1012));
        EXPECT_TRUE(WaitUntil([&] { return CountTooltips(velmora_, true, true) == 1; }));
        const std::string caption = std::string("Neu unter ") + version;
        SetText(Control(d, 1013), caption);
        SaveAndAnswer(d, IDYES);
        ASSERT_TRUE(velmora_.WaitForExit());
        EXPECT_EQ(Stored(WinlogonNt, Caption), Z(caption));
        EXPECT_EQ(Stored(Policy, Caption), Z(""));
        EXPECT_EQ(Stored(Policy, Notice), Z("Richtlinie"));

        Put(Policy, Notice, "");
        d = Start(version, "nocert");
        EXPECT_EQ(CountTooltips(velmora_, true, false), 0u);
        Quit(d);

        Put(Policy, Notice, "Richtlinie");
        {
            TRestrictedKey closed(Policy, 0);
            d = Start(version, "nocert");
            EXPECT_TRUE(Settled(d));  // a report would come with the dialog
            EXPECT_TRUE(MessageBoxes(velmora_.id()).empty());
            EXPECT_EQ(CountTooltips(velmora_, true, false), 0u);
            EXPECT_EQ(Text(Control(d, 1013)), caption);
            EXPECT_EQ(CheckState(Control(d, 1010)), BST_CHECKED);
            Quit(d);
        }
        EXPECT_EQ(Stored(Policy, Notice), Z("Richtlinie"));
    }
}

// The notice as the dialog shows it, through the system menu and Save As, into a registry
// file that regedit imports and a template that the INF functions read back. Run in English
// and, as its own entry, in German, whose system menu takes other letters.
TEST_F(LogonNoticeTest, ExportsReachThePolicyLocation) {
    char locale[32] = {};
    ::GetEnvironmentVariableA("VELMORA_TEST_LOCALE", locale, sizeof locale);
    const bool german = std::string(locale).rfind("de_DE", 0) == 0;
    ASSERT_EQ(::GetACP(), 1252u);
    ASSERT_EQ(PRIMARYLANGID(::GetUserDefaultUILanguage()), german ? LANG_GERMAN : LANG_ENGLISH);
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"velmora-export\\";
    // A profile's folder whose name the ANSI code page lacks.
    const std::wstring unicodeFolder = L"C:\\\u0141ukasz Dvo\u0159\u00E1k\\";
    for (const std::wstring& f : {folder, unicodeFolder}) ::CreateDirectoryW(f.c_str(), nullptr);
    // Stored as Unicode, shown as look-alikes, exported as stored.
    const std::wstring stored[] = {L"Zugriff \u03A9 Labor", L"F\u00FCr \u0141\u00F3d\u017A",
                                   L"Ende"};
    WriteWideText(WinlogonNt, L"LegalNoticeCaption", stored[0]);
    WriteWideText(WinlogonNt, L"LegalNoticeText", stored[1] + L"\r\n" + stored[2]);
    const HWND d = Start("win7", "nocert");
    ASSERT_TRUE(AnswerNextBox(velmora_.id()).has_value());  // the texts kept
    // Previewed by keyboard: Windows 7's own family first, the others one key away, the
    // texts as the logon gets them (the 9x family's as its code page has them, as the edits
    // show them); Escape closes it, and the family stays chosen.
    const auto wide = [](HWND w) {
        wchar_t t[4096] = {};
        ::SendMessageW(w, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(t));
        return std::wstring(t);
    };
    const auto widened = [](const std::string& a) {
        std::wstring w(a.size(), L'\0');
        w.resize(::MultiByteToWideChar(CP_ACP, 0, a.data(), a.size(), &w[0], w.size()));
        return w;
    };
    const auto preview = [&] {
        EXPECT_TRUE(ChooseFromSystemMenu(velmora_, d, 'O'));
        const HWND p = WaitForDialogTitled(velmora_, "Vorschau der Anmeldenachricht");
        EXPECT_TRUE(p != nullptr);
        return p;
    };
    // The box of the classic families, or the logon screen's caption and text.
    const auto pictured = [&](HWND p) {
        const HWND screen = Control(p, 1034), box = Control(screen, 1040);
        return box != nullptr ? std::pair{wide(box), wide(Control(box, 1041))}
                              : std::pair{wide(Control(screen, 1043)), wide(Control(screen, 1044))};
    };
    HWND p = preview();
    const std::wstring storedText = stored[1] + L"\r\n" + stored[2];
    for (const auto& [family, caption, text] :
         {std::tuple{2, stored[0], storedText},
          {1, widened(Text(Control(d, 1013))), widened(Text(Control(d, 1014)))},
          {0, stored[0], storedText}}) {
        if (family < 2) PressKey(p, VK_UP);
        EXPECT_TRUE(WaitUntil([&, family = family, caption = caption, text = text] {
            return ::SendMessageA(Control(p, 1030), CB_GETCURSEL, 0, 0) == family &&
                   pictured(p) == std::pair{caption, text};
        })) << family;
        // Only the logon screens are said to be approximated.
        EXPECT_EQ(Text(Control(p, 1031)).empty(), family < 2);
    }
    EXPECT_NE(Text(Control(p, 1033)).find("Windows 95, 98 und Me, Titel: "), std::string::npos);
    PressKey(p, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(p); }));
    // By keyboard, as a user chooses the system menu's item.
    const auto exportAs = [&](char mnemonic, const std::wstring& path, bool warned = false) {
        ::DeleteFileW(path.c_str());
        ASSERT_TRUE(ChooseFromSystemMenu(velmora_, d, mnemonic));
        if (warned) {
            const TMessageBox warning = AnswerNextBox(velmora_.id()).value_or(TMessageBox{});
            EXPECT_NE(warning.text.find("2.048 Zeichen"), std::string::npos);
        }
        const HWND saveAs = WaitForDialogTitled(velmora_, "Als ", 15000, true);
        ASSERT_TRUE(saveAs != nullptr);
        const HWND name = Control(saveAs, Control(saveAs, 0x47C) ? 0x47C : 0x480);
        ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        Click(Control(saveAs, IDOK));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(saveAs); }, 10000));
        // Written after the dialog has closed: the file, or a report.
        WaitUntil([&] {
            return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ||
                   !MessageBoxes(velmora_.id()).empty();
        });
    };
    exportAs('D', unicodeFolder + L"notice.reg");
    exportAs('L', unicodeFolder + L"notice.inf");
    EXPECT_TRUE(MessageBoxes(velmora_.id()).empty());
    Launch(L"C:\\windows\\regedit.exe /s \"" + unicodeFolder + L"notice.reg\"");
    EXPECT_EQ(ReadWideData(Policy, L"LegalNoticeCaption"), Bytes(stored[0]));
    EXPECT_EQ(ReadWideData(Policy, L"LegalNoticeText"), Bytes(stored[1] + L"\r\n" + stored[2]));
    EXPECT_EQ(TemplateFields(unicodeFolder + L"notice.inf", L"LegalNoticeCaption"),
              (TFields{L"1", stored[0]}));
    EXPECT_EQ(TemplateFields(unicodeFolder + L"notice.inf", L"LegalNoticeText"),
              (TFields{L"7", stored[1], stored[2]}));
    // Gone again: the setup program's case installs into this folder.
    for (const wchar_t* f : {L"notice.reg", L"notice.inf"})
        ::DeleteFileW((unicodeFolder + f).c_str());
    ::RemoveDirectoryW(unicodeFolder.c_str());

    // Edited, the texts go out as the edits hold them.
    const std::wstring caption = L"Hinweis \"Intern\" C:\\Daten";
    const std::wstring lines[] = {L"Zeile eins", L"", L"Komma, Semikolon; \"Zitat\"",
                                  L"Ende \x2013 \x03A9"};
    const std::wstring text = lines[0] + L"\r\n\r\n" + lines[2] + L"\r\n" + lines[3];
    ::SendMessageW(Control(d, 1013), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    ::SendMessageW(Control(d, 1014), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    // Before Save: the preview shows what the edits hold now, in the family chosen before.
    const std::string before = Stored(WinlogonNt, Notice);
    p = preview();
    EXPECT_EQ(::SendMessageA(Control(p, 1030), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(pictured(p), std::pair(caption, text));
    EXPECT_NE(Text(Control(p, 1033)).find("Windows NT 4.0, Zeile 2: "), std::string::npos);
    Click(Control(p, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(p); }));
    EXPECT_EQ(wide(Control(d, 1014)), text);
    EXPECT_EQ(Stored(WinlogonNt, Notice), before);
    exportAs('D', folder + L"notice.reg");
    exportAs('L', folder + L"notice.inf");
    exportAs('T', folder + L"notice.json");
    exportAs('K', folder + L"notice.ps1");
    EXPECT_TRUE(MessageBoxes(velmora_.id()).empty());

    Launch(L"C:\\windows\\regedit.exe /s \"" + folder + L"notice.reg\"");
    EXPECT_EQ(ReadWideData(Policy, L"LegalNoticeCaption"), Bytes(caption));
    EXPECT_EQ(ReadWideData(Policy, L"LegalNoticeText"), Bytes(text));
    const std::wstring notice = folder + L"notice.inf";
    EXPECT_EQ(TemplateFields(notice, L"LegalNoticeCaption"), (TFields{L"1", caption}));
    EXPECT_EQ(TemplateFields(notice, L"LegalNoticeText"),
              (TFields{L"7", lines[0], L" ", lines[2], lines[3]}));

    // Loaded back through the system menu's Open dialog: into the edits, told which key was
    // read, and stored only by Save, which writes what the file holds, look-alikes or not.
    const auto loadFrom = [&](const std::wstring& path) {
        EXPECT_TRUE(ChooseFromSystemMenu(velmora_, d, 'U'));
        const HWND open = WaitForDialogTitled(velmora_, "Aus Datei laden", 15000);
        EXPECT_TRUE(open != nullptr);
        ::SendMessageW(Control(open, Control(open, 0x47C) ? 0x47C : 0x480), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(path.c_str()));
        Click(Control(open, IDOK));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(open); }, 10000));
        return AnswerNextBox(velmora_.id()).value_or(TMessageBox{});
    };
    const auto ansi = [](const std::wstring& w) {
        std::string a(w.size() * 2 + 1, '\0');
        a.resize(::WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, &a[0], a.size(), 0, 0) - 1);
        return a;
    };
    for (const wchar_t* file : {L"notice.reg", L"notice.inf", L"notice.json", L"notice.ps1"}) {
        SetText(Control(d, 1013), "alt");
        SetText(Control(d, 1014), "alt");
        const TMessageBox told = loadFrom(folder + file);
        EXPECT_NE(told.text.find("Policies\\System (Richtlinie)"), std::string::npos) << told.text;
        EXPECT_EQ(told.icon, static_cast<UINT>(MB_ICONINFORMATION));
        EXPECT_EQ(Text(Control(d, 1013)), ansi(caption));
        EXPECT_EQ(Text(Control(d, 1014)), ansi(text));
        EXPECT_EQ(Stored(WinlogonNt, Notice), before);
    }
    SaveAndAnswer(d, IDNO);
    EXPECT_EQ(ReadWideData(WinlogonNt, L"LegalNoticeCaption"), Bytes(caption));
    EXPECT_EQ(ReadWideData(WinlogonNt, L"LegalNoticeText"), Bytes(text));
    // As the system's regedit exports a one-line value, and a template as secedit writes it,
    // in the code page, with the text alone.
    Put(Policy, Caption, "Von regedit");
    Put(Policy, Notice, "Eine Zeile, \"zitiert\" 100 %");
    Launch(L"C:\\windows\\regedit.exe /e \"" + folder + L"regedit.reg\" \"HKEY_LOCAL_MACHINE\\" +
           std::wstring(Policy, Policy + ::strlen(Policy)) + L"\"");
    loadFrom(folder + L"regedit.reg");
    EXPECT_EQ(Text(Control(d, 1013)), "Von regedit");
    EXPECT_EQ(Text(Control(d, 1014)), "Eine Zeile, \"zitiert\" 100 %");
    const auto writeFile = [&](const wchar_t* name, const std::string& bytes) {
        const HANDLE f = ::CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(f);
    };
    writeFile(L"secedit.inf", "[Unicode]\r\nUnicode=yes\r\n[Version]\r\nsignature=\"$CHICAGO$\"\r\n"
                              "[Registry Values]\r\nMACHINE\\" + std::string(Policy) +
                              "\\LegalNoticeText=7,Erste Zeile,\"Zweite, \xE4\"\r\n");
    loadFrom(folder + L"secedit.inf");
    EXPECT_EQ(Text(Control(d, 1013)), "Von regedit");
    EXPECT_EQ(Text(Control(d, 1014)), "Erste Zeile\r\nZweite, \xE4");
    EXPECT_EQ(ReadWideData(WinlogonNt, L"LegalNoticeText"), Bytes(text));
    // Bad files: a message that names the file (and the line), nothing else changes.
    writeFile(L"bad.txt", "Hallo");
    writeFile(L"bad.json", "{\"settings\": [1,]}");
    writeFile(L"fremd.ps1", "Configuration X\r\n{\r\nRegistry T\r\n{\r\nValueData = $text\r\n}\r\n}\r\n");
    writeFile(L"null.reg", std::string("REGEDIT4\r\n\0", 11));
    writeFile(L"lang.reg", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\" + std::string(WinlogonNt) +
                               "]\r\n\"LegalNoticeCaption\"=\"" + std::string(256, 'x') + "\"\r\n");
    const HANDLE held = ::CreateFileW((folder + L"notice.reg").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    for (const auto& [file, says] :
         {std::pair{L"bad.txt", "weder eine Registrierungsdatei"}, {L"null.reg", "Zeile 2 ein Null"},
          {L"notice.reg", "anderen Programm"}, {L"fehlt.reg", "nicht gefunden"},
          {L"lang.reg", "256 Zeichen lang; das Feld nimmt h\xF6" "chstens 255"},
         {L"bad.json", "ab Zeile 1 kein g\xFCltiges JSON"}, {L"fremd.ps1", "nur seine eigenen DSC"}}) {
        const TMessageBox refused = loadFrom(folder + file);
        EXPECT_NE(refused.text.find(ansi(folder + file)), std::string::npos) << refused.text;
        EXPECT_NE(refused.text.find(says), std::string::npos) << refused.text;
        EXPECT_EQ(refused.icon, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(Text(Control(d, 1013)), "Von regedit");
        EXPECT_EQ(Text(Control(d, 1014)), "Erste Zeile\r\nZweite, \xE4");
    }
    ::CloseHandle(held);
    SaveAndAnswer(d, IDNO);
    EXPECT_EQ(Stored(WinlogonNt, Caption), Z("Von regedit"));
    EXPECT_EQ(Stored(WinlogonNt, Notice), Z("Erste Zeile\r\nZweite, \xE4"));

    // Longer than the policy takes: warned, written all the same.
    SetText(Control(d, 1014), std::string(513, 'x'));
    exportAs('L', folder + L"long.inf", true);
    EXPECT_EQ(TemplateFields(folder + L"long.inf", L"LegalNoticeText").size(), 2u);
    // Ctrl-Z would end the template for SetupAPI: refused, naming the line, and nothing written.
    SetText(Control(d, 1014), "a\r\nb\x1A" "c");
    ASSERT_TRUE(ChooseFromSystemMenu(velmora_, d, 'L'));
    const TMessageBox ctrlZ = AnswerNextBox(velmora_.id()).value_or(TMessageBox{});
    EXPECT_NE(ctrlZ.text.find("Text der Nachricht enth\xE4lt in Zeile 2 ein Steuerzeichen"),
              std::string::npos) << ctrlZ.text;
    EXPECT_TRUE(Settled(d));
    for (HWND w : velmora_.Windows("#32770")) EXPECT_NE(Text(w).rfind("Als ", 0), 0u);
    // Switched off: both values empty, as the policy says "no notice".
    Click(Control(d, 1010));
    EXPECT_TRUE(WaitUntil([&] { return CheckState(Control(d, 1010)) == BST_UNCHECKED; }));
    exportAs('L', folder + L"off.inf");
    EXPECT_EQ(TemplateFields(folder + L"off.inf", L"LegalNoticeCaption"), (TFields{L"1", L""}));
    EXPECT_EQ(TemplateFields(folder + L"off.inf", L"LegalNoticeText"), (TFields{L"7", L""}));
    // A folder nobody may write to: the system's error, and no file at all.
    const std::string denied = std::string(LockedFolder) + "\\notice.reg";
    ASSERT_TRUE(IsLocked(LockedFolder))
        << LockedFolder << " is not immutable: chattr +i needs root outside a user namespace";
    exportAs('D', std::wstring(denied.begin(), denied.end()));
    const auto box = AnswerNextBox(velmora_.id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text.rfind("Win32-Fehler. Code: 0X00000005\n\r", 0), 0u) << box->text;
    EXPECT_EQ(::GetFileAttributesA(denied.c_str()), INVALID_FILE_ATTRIBUTES);
    WIN32_FIND_DATAA left;
    EXPECT_EQ(::FindFirstFileA((std::string(LockedFolder) + "\\*.tmp").c_str(), &left),
              INVALID_HANDLE_VALUE);
    Quit(d);

    // The imported policy is what the dialog now points to.
    for (const char* name : {Caption, Notice}) DeleteValue(WinlogonNt, name);
    const HWND again = Start("win7", "nocert");
    EXPECT_TRUE(WaitUntil([&] { return CountTooltips(velmora_, true, true) == 1; }));
    Quit(again);
    // Without rights the load is greyed: its letter opens nothing.
    velmora_ = TProcess({VELMORA_EXE, "nocert", "win7", false});
    const HWND readOnly = velmora_.WaitForDialog();
    ASSERT_TRUE(ChooseFromSystemMenu(velmora_, readOnly, 'U'));
    EXPECT_TRUE(Settled(readOnly));
    for (HWND w : velmora_.Windows("#32770")) EXPECT_NE(Text(w), "Aus Datei laden");
    PressHardwareKey(readOnly, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return velmora_.Windows("#32768").empty(); }));
    Quit(readOnly);
}
