#include "formats/IntunePolicy.h"

#include "formats/Json.h"
#include "formats/NoticeLines.h"
#include "formats/ReaderShared.h"

namespace velmora {

namespace {

const TWideText SettingPrefix =
    L"device_vendor_msft_policy_config_localpoliciessecurityoptions_interactivelogon_";
const wchar_t* const CaptionSetting = L"messagetitleforusersattemptingtologon";
const wchar_t* const TextSetting = L"messagetextforusersattemptingtologon";
// The CSP's delimiter between the items of a list node.
constexpr wchar_t ListDelimiter = L'\xF000';

void AppendMember(TWideText& out, const wchar_t* indent, const wchar_t* name,
                  const TWideText& value, bool last = false) {
    out += indent;
    AppendJsonString(out, name);
    out += L": ";
    AppendJsonString(out, value);
    out += last ? L"\r\n" : L",\r\n";
}

TWideText GraphType(const wchar_t* type) {
    return TWideText(L"#microsoft.graph.deviceManagementConfiguration") + type;
}

void AppendStringValue(TWideText& out, const wchar_t* indent, const TWideText& value) {
    const TWideText inner = TWideText(indent) + L"  ";
    AppendMember(out, inner.c_str(), L"@odata.type", GraphType(L"StringSettingValue"));
    AppendMember(out, inner.c_str(), L"value", value, true);
}

// One entry of "settings", up to the opening of its value.
void OpenSetting(TWideText& out, const wchar_t* instanceType, const wchar_t* setting) {
    out += L"    {\r\n";
    AppendMember(out, L"      ", L"@odata.type", GraphType(L"Setting"));
    out += L"      \"settingInstance\": {\r\n";
    AppendMember(out, L"        ", L"@odata.type", GraphType(instanceType));
    AppendMember(out, L"        ", L"settingDefinitionId", SettingPrefix + setting);
}

// A string setting's text: a single string holds the list's items parted
// by the CSP's delimiter, a collection one item a value.
bool SettingText(const TJsonValue& instance, TWideText& text) {
    if (const TJsonValue* simple = instance.Member(L"simpleSettingValue")) {
        const TJsonValue* value = simple->Member(L"value");
        if (value == nullptr || value->kind != TJsonValue::String) return false;
        for (const wchar_t c : value->text)
            text += c == ListDelimiter ? TWideText(L"\r\n") : TWideText(1, c);
        return true;
    }
    const TJsonValue* collection = instance.Member(L"simpleSettingCollectionValue");
    if (collection == nullptr || collection->kind != TJsonValue::Array) return false;
    for (size_t i = 0; i < collection->items.size(); ++i) {
        const TJsonValue* value = collection->items[i].Member(L"value");
        if (value == nullptr || value->kind != TJsonValue::String) return false;
        text += (i > 0 ? L"\r\n" : L"") + value->text;
    }
    return true;
}

}  // namespace

TWideText IntunePolicyText(const TWideText& caption, const TWideText& text) {
    TWideText file = L"{\r\n";
    AppendMember(file, L"  ", L"name", L"Anmeldenachricht");
    AppendMember(file, L"  ", L"description",
                 L"Titel und Text der Nachricht vor der Anmeldung, geschrieben von Velmora. "
                 L"Erfordert Windows 10 ab Version 1709 oder Windows 11.");
    AppendMember(file, L"  ", L"platforms", L"windows10");
    AppendMember(file, L"  ", L"technologies", L"mdm");
    file += L"  \"roleScopeTagIds\": [\"0\"],\r\n  \"settings\": [\r\n";
    OpenSetting(file, L"SimpleSettingInstance", CaptionSetting);
    file += L"        \"simpleSettingValue\": {\r\n";
    AppendStringValue(file, L"        ", caption);
    file += L"        }\r\n      }\r\n    },\r\n";
    OpenSetting(file, L"SimpleSettingCollectionInstance", TextSetting);
    file += L"        \"simpleSettingCollectionValue\": [\r\n";
    std::vector<TWideText> lines = NoticeLines(text);
    if (lines.empty()) lines.emplace_back();
    for (size_t i = 0; i < lines.size(); ++i) {
        file += L"          {\r\n";
        AppendStringValue(file, L"          ", lines[i]);
        file += i + 1 < lines.size() ? L"          },\r\n" : L"          }\r\n";
    }
    file += L"        ]\r\n      }\r\n    }\r\n  ]\r\n}\r\n";
    return file;
}

bool IsIntunePolicy(const TWideText& text) {
    const size_t first = text.find_first_not_of(L" \t\r\n");
    return first != TWideText::npos && text[first] == L'{';
}

void ReadIntunePolicy(const TWideText& text, TFileValues& values, TNoticeFile& result) {
    TJsonValue root;
    if (!ParseJson(text, root, result)) return;
    const TJsonValue* settings = root.Member(L"settings");
    if (settings == nullptr || settings->kind != TJsonValue::Array) return;
    for (const TJsonValue& setting : settings->items) {
        const TJsonValue* instance = setting.Member(L"settingInstance");
        const TJsonValue* id = instance ? instance->Member(L"settingDefinitionId") : nullptr;
        if (id == nullptr || id->kind != TJsonValue::String) continue;
        const TNoticeName name = SameAscii(id->text, (SettingPrefix + CaptionSetting).c_str())
                                     ? TNoticeName::Caption
                                 : SameAscii(id->text, (SettingPrefix + TextSetting).c_str())
                                     ? TNoticeName::Text
                                     : TNoticeName::Other;
        if (name == TNoticeName::Other) continue;
        TWideText value;
        if (!SettingText(*instance, value)) {
            Fail(result, TNoticeFileError::BadValue, instance->line - 1);
            return;
        }
        if (name == TNoticeName::Caption && value.find_first_of(L"\r\n") != TWideText::npos) {
            Fail(result, TNoticeFileError::CaptionLineBreak, instance->line - 1);
            return;
        }
        Take(values.keys[PolicyIndex], name, value);
    }
}

}  // namespace velmora
