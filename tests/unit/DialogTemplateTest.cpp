// The dialog template as linked: style, size, font and every control in
// order, as an administrator would see them described in the help.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

#include <string>
#include <vector>

namespace {

struct TItem {
    DWORD style;
    short x, y, cx, cy;
    WORD id;
    std::string className;
    std::string text;
};

struct TTemplate {
    DWORD style, exStyle;
    short x, y, cx, cy;
    std::string caption, font;
    WORD pointSize;
    std::vector<TItem> items;
};

class TReader {
public:
    explicit TReader(const BYTE* p) : p_(p) {}
    template <typename T>
    T Get() {
        T v;
        memcpy(&v, p_, sizeof v);
        p_ += sizeof v;
        return v;
    }
    // A string or an ordinal; predefined classes come as ordinals.
    std::string NameOrOrdinal() {
        const WORD first = *reinterpret_cast<const WORD*>(p_);
        if (first == 0xFFFF) {
            p_ += 2;
            switch (Get<WORD>()) {
            case 0x80: return "button";
            case 0x81: return "edit";
            case 0x82: return "static";
            default: return "#ordinal";
            }
        }
        std::string s;
        // Class names are case-insensitive; the resource compiler upper-cases them.
        for (WORD c; (c = Get<WORD>()) != 0;) s += static_cast<char>(c < 128 ? tolower(c) : 63);
        return s;
    }
    std::string Wide1252() {
        std::wstring w;
        for (WORD c; (c = Get<WORD>()) != 0;) w += static_cast<wchar_t>(c);
        char ansi[512] = {};
        ::WideCharToMultiByte(1252, 0, w.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
        return ansi;
    }
    void AlignDword(const BYTE* base) {
        while ((p_ - base) % 4) ++p_;
    }

private:
    const BYTE* p_;
};

TTemplate LoadTemplate() {
    const HRSRC info = ::FindResourceExA(nullptr, RT_DIALOG, "MAINDIALOG",
                                         MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    const auto* base = static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, info)));
    TTemplate t{};
    if (base == nullptr) return t;
    TReader r(base);
    t.style = r.Get<DWORD>();
    t.exStyle = r.Get<DWORD>();
    const WORD count = r.Get<WORD>();
    t.x = r.Get<short>(); t.y = r.Get<short>(); t.cx = r.Get<short>(); t.cy = r.Get<short>();
    r.NameOrOrdinal();  // menu
    r.NameOrOrdinal();  // class
    t.caption = r.Wide1252();
    if (t.style & DS_SETFONT) {
        t.pointSize = r.Get<WORD>();
        t.font = r.Wide1252();
    }
    for (WORD i = 0; i < count; ++i) {
        r.AlignDword(base);
        TItem item{};
        item.style = r.Get<DWORD>();
        r.Get<DWORD>();
        item.x = r.Get<short>(); item.y = r.Get<short>();
        item.cx = r.Get<short>(); item.cy = r.Get<short>();
        item.id = r.Get<WORD>();
        item.className = r.NameOrOrdinal();
        item.text = r.Wide1252();
        const WORD extra = r.Get<WORD>();
        for (WORD b = 0; b < extra; ++b) r.Get<BYTE>();
        t.items.push_back(item);
    }
    return t;
}

}  // namespace

TEST(DialogTemplate, FrameAndFont) {
    const TTemplate t = LoadTemplate();
    EXPECT_EQ(t.style, 0x90CA08C4u);
    EXPECT_EQ(t.exStyle, 0u);
    EXPECT_EQ(t.x, 0); EXPECT_EQ(t.y, 0); EXPECT_EQ(t.cx, 250); EXPECT_EQ(t.cy, 275);
    EXPECT_EQ(t.caption, "Velmora");
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.font, "Ms Shell Dlg");
}

TEST(DialogTemplate, EveryControlInTabOrder) {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const TItem expected[] = {
        {child | BS_GROUPBOX, 10, 8, 230, 165, 1011, "button", "Nachricht vor Benutzeranmeldung"},
        {child | BS_AUTOCHECKBOX | WS_TABSTOP, 20, 23, 41, 8, 1010, "button", "&Aktiviert"},
        {child | SS_LEFT | WS_GROUP, 20, 38, 75, 8, 1012, "static", "&Titel der Nachricht:"},
        {child | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 20, 50, 210, 14, 1013, "edit", ""},
        {child | SS_LEFT | WS_GROUP, 20, 73, 75, 8, 1011, "static", "Text der &Nachricht:"},
        {child | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
         20, 85, 210, 79, 1014, "edit", ""},
        {child | BS_GROUPBOX, 10, 180, 229, 50, 1021, "button", "Text im Anmeldedialog"},
        {child | BS_AUTOCHECKBOX | WS_TABSTOP, 20, 193, 41, 8, 1020, "button", "Akti&viert"},
        {child | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 20, 209, 210, 12, 1022, "edit", ""},
        {child | BS_DEFPUSHBUTTON | WS_TABSTOP, 85, 240, 50, 14, 1, "button", "&Speichern"},
        {child | BS_PUSHBUTTON | WS_TABSTOP, 140, 240, 50, 14, 2, "button", "Ab&brechen"},
        {child | BS_PUSHBUTTON | WS_TABSTOP, 195, 240, 50, 14, 9, "button", "&Hilfe"},
        {child | SS_LEFT | WS_GROUP, 10, 261, 80, 8, 1005, "static", "Version 2"},
        {child | SS_LEFT | SS_NOTIFY | WS_GROUP, 135, 261, 105, 8, 1004, "static", ""},
    };
    const TTemplate t = LoadTemplate();
    ASSERT_EQ(t.items.size(), std::size(expected));
    for (size_t i = 0; i < t.items.size(); ++i) {
        SCOPED_TRACE(i);
        const TItem& a = t.items[i];
        const TItem& e = expected[i];
        EXPECT_EQ(a.id, e.id);
        EXPECT_EQ(a.style, e.style);
        EXPECT_EQ(a.className, e.className);
        EXPECT_EQ(a.x, e.x); EXPECT_EQ(a.y, e.y); EXPECT_EQ(a.cx, e.cx); EXPECT_EQ(a.cy, e.cy);
        if (e.id != 1004) {
            EXPECT_EQ(a.text, e.text);
        }
    }
    // The copyright line names the maker and the year.
    const std::string copyright = t.items.back().text;
    EXPECT_EQ(copyright.rfind("\xA9 2026 ", 0), 0u);
    EXPECT_GT(copyright.size(), 8u);
}
