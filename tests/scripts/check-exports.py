#!/usr/bin/env python3
"""The Intune and DSC exports that core_tests wrote (velmora-roundtrip-N.*),
read by readers the project did not write: Python's json, and PowerShell's
quoting rules as PowerShell's own documentation states them. Each must give
the texts of its .expected file (UTF-16LE: caption, U+0000, text)."""
import glob
import json
import re
import sys

GRAPH = "#microsoft.graph.deviceManagementConfiguration"
SETTING = ("device_vendor_msft_policy_config_localpoliciessecurityoptions_"
           "interactivelogon_message{}forusersattemptingtologon")
# PowerShell's single quotes: ' and U+2018 to U+201B; two stand for the second.
QUOTES = "'\u2018\u2019\u201a\u201b"
LITERAL = "[{0}]((?:[^{0}]|[{0}][{0}])*)[{0}]".format(QUOTES)


def literal(match):
    return re.sub("[{0}]([{0}])".format(QUOTES), r"\1", match.group(1))


def evaluate(expression):
    """A single-quoted string, or @(single-quoted, ...) -join "`r`n"."""
    whole = re.fullmatch(LITERAL, expression)
    if whole:
        return literal(whole)
    joined = re.fullmatch(r"@\((.*)\) -join \"`r`n\"", expression)
    assert joined, expression
    items = list(re.finditer(LITERAL, joined.group(1)))
    assert ", ".join(m.group(0) for m in items) == joined.group(1), expression
    return "\r\n".join(literal(m) for m in items)


def check(stem):
    caption, text = open(stem + ".expected", "rb").read().decode("utf-16-le").split("\0")
    raw = open(stem + ".json", "rb").read()
    assert not raw.startswith(b"\xef\xbb\xbf"), "JSON with a byte-order mark"
    policy = json.loads(raw.decode("utf-8"))
    assert (policy["platforms"], policy["technologies"]) == ("windows10", "mdm")
    assert "1709" in policy["description"] and policy["name"]
    title, body = (s["settingInstance"] for s in policy["settings"])
    assert all(s["@odata.type"] == GRAPH + "Setting" for s in policy["settings"])
    assert title["@odata.type"] == GRAPH + "SimpleSettingInstance"
    assert title["settingDefinitionId"] == SETTING.format("title")
    assert title["simpleSettingValue"]["@odata.type"] == GRAPH + "StringSettingValue"
    assert title["simpleSettingValue"]["value"] == caption, stem
    assert body["@odata.type"] == GRAPH + "SimpleSettingCollectionInstance"
    assert body["settingDefinitionId"] == SETTING.format("text")
    values = body["simpleSettingCollectionValue"]
    assert all(v["@odata.type"] == GRAPH + "StringSettingValue" for v in values)
    assert "\r\n".join(v["value"] for v in values) == text, stem

    script = open(stem + ".ps1", "rb").read()
    assert script.startswith(b"\xef\xbb\xbf"), "script without a byte-order mark"
    blocks = re.findall(r"Registry (\w+)\r\n\s*\{\r\n(.*?)\r\n\s*\}", script[3:].decode("utf-8"), re.S)
    data = {}
    for name, body in blocks:
        properties = dict(re.fullmatch(r"\s*(\w+)\s*= (.*)", line).groups()
                          for line in body.split("\r\n"))
        assert evaluate(properties["Key"]) == ("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows"
                                               "\\CurrentVersion\\Policies\\System")
        assert evaluate(properties["ValueType"]) == "String"
        data[evaluate(properties["ValueName"])] = evaluate(properties["ValueData"])
    assert data == {"LegalNoticeCaption": caption, "LegalNoticeText": text}, stem


stems = sorted(p[:-len(".expected")] for p in glob.glob(sys.argv[1] + "/velmora-roundtrip-*.expected"))
assert stems, "no exports written"
for stem in stems:
    check(stem)
print(len(stems), "exports checked")
