#!/usr/bin/env python3
"""check-floor.py OBJDUMP TABLE... -- FILE...: every function that FILE
imports by name is exported on the oldest systems the program supports:
NT 4.0 and Windows 95 for the DLLs with a column per family; file version
4.00 of shell32 and comctl32 (what 95 and NT 4.0 ship) and 4.20 of MSVCRT.DLL.
The TABLEs (exports.tsv, then documented.tsv, whose rows win) say which
system first exports each function. Names each import that no table knows
or that is newer than that floor, with its DLL and the first system that
has it."""
import re
import subprocess
import sys

FLOOR_NT = (4, 0)
FLOOR_9X = "4.0"
FLOOR_FILE = {"shell32": (4, 0), "comctl32": (4, 0), "msvcrt": (4, 20)}
NT_NAMES = {"3.1": "NT 3.1", "3.51": "NT 3.51", "4.0": "NT 4.0", "5.0": "2000", "5.1": "XP",
            "5.2": "Server 2003", "6.0": "Vista", "6.1": "7", "6.2": "8", "6.3": "8.1",
            "10.0": "10"}
NINE_X_NAMES = {"4.0": "95", "4.0 OSR2": "95 OSR2", "4.10": "98", "4.90": "Me",
                ">4.0": "98 or Me (not 95)"}


def version(text):
    return tuple(int(part) for part in re.findall(r"\d+", text)[:2])


def read_tables(paths):
    table = {}
    for path in paths:
        with open(path, encoding="utf-8") as lines:
            for line in lines:
                if line.startswith("#") or not line.strip():
                    continue
                fields = (line.rstrip("\n").split("\t") + [""] * 5)[:5]
                dll, function, first_nt, first_9x, file_version = fields
                table[(dll.lower(), function)] = (first_nt.strip(), first_9x.strip(),
                                                  file_version.strip())
    return table


def imports(objdump, path):
    dump = subprocess.run([objdump, "-p", path], check=True, capture_output=True,
                          text=True).stdout
    dll = None
    for line in dump.splitlines():
        named = re.match(r"\tDLL Name: (\S+)", line)
        if named:
            dll = named.group(1).lower().removesuffix(".dll")
            continue
        entry = re.match(r"\t[0-9a-f]+\t +\d+  (\S+)", line)
        if entry and dll:
            yield dll, entry.group(1)


def first_systems(first_nt, first_9x, file_version):
    if not (first_nt or first_9x):
        return f"first in file version {file_version}"
    nt, _, pack = first_nt.partition(" SP")
    nt = f"Windows {NT_NAMES.get(nt, nt)}" + (f" SP{pack}" if pack else "") \
        if nt not in ("", "-") else "never"
    nine_x = f"Windows {NINE_X_NAMES[first_9x]}" if first_9x in NINE_X_NAMES else "never"
    return f"first NT: {nt}; first 9x: {nine_x}"


def below_floor(dll, first_nt, first_9x, file_version):
    if first_nt or first_9x:
        nt_ok = first_nt not in ("", "-") and " SP" not in first_nt and \
            version(first_nt) <= FLOOR_NT
        return nt_ok and first_9x == FLOOR_9X
    floor = FLOOR_FILE.get(dll)
    return floor is not None and file_version != "" and version(file_version) <= floor


def main(argv):
    split = argv.index("--")
    objdump, tables, files = argv[1], argv[2:split], argv[split + 1:]
    table = read_tables(tables)
    failures = 0
    for path in files:
        for dll, function in imports(objdump, path):
            known = table.get((dll, function))
            if known is None:
                print(f"{path}: {function} ({dll}.dll) is in no table of what each system exports")
                failures += 1
            elif not below_floor(dll, *known):
                print(f"{path}: {function} ({dll}.dll) is newer than NT 4.0 and Windows 95: "
                      f"{first_systems(*known)}")
                failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
