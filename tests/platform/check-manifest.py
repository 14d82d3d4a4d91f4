#!/usr/bin/env python3
"""check-manifest.py MANIFEST: the manifest as Windows XP and Server 2003
read it. Well-formed XML; no element declares one namespace twice (a
duplicate made csrss corrupt its memory and restart XP SP2 and Server 2003
before SP1, KB 921337); in the namespace of the side-by-side schema XP knew
(asm.v1) only elements of that schema, since XP refuses the program over
any other ("not supported by this version of Windows"); everything newer
only in a namespace of its own, which XP skips."""
import sys
import xml.parsers.expat

ASM_V1 = "urn:schemas-microsoft-com:asm.v1"
# The elements of the asm.v1 schema as XP documents it.
XP_ELEMENTS = {"assembly", "assemblyIdentity", "description", "dependency", "dependentAssembly",
               "file", "noInherit", "noInheritable", "comClass", "comInterfaceExternalProxyStub",
               "comInterfaceProxyStub", "typelib", "windowClass"}
# Vista and later extensions, each in the namespace its documentation names.
LATER = {"urn:schemas-microsoft-com:asm.v2", "urn:schemas-microsoft-com:asm.v3",
         "urn:schemas-microsoft-com:compatibility.v1",
         "http://schemas.microsoft.com/SMI/2005/WindowsSettings",
         "http://schemas.microsoft.com/SMI/2016/WindowsSettings"}


def main(path):
    problems = []
    pending = []
    parser = xml.parsers.expat.ParserCreate(namespace_separator="^")
    parser.ordered_attributes = True

    def start_namespace(prefix, uri):
        pending.append(uri)

    def start_element(name, attributes):
        uri, _, local = name.rpartition("^")
        if len(pending) != len(set(pending)):
            problems.append(f"line {parser.CurrentLineNumber}: <{local}> declares "
                            f"a namespace twice: {', '.join(pending)}")
        pending.clear()
        if uri == ASM_V1:
            if local not in XP_ELEMENTS:
                problems.append(f"line {parser.CurrentLineNumber}: <{local}> in asm.v1, "
                                "which Windows XP does not know")
        elif uri not in LATER:
            problems.append(f"line {parser.CurrentLineNumber}: <{local}> in namespace "
                            f"'{uri}'")

    parser.StartNamespaceDeclHandler = start_namespace
    parser.StartElementHandler = start_element
    try:
        with open(path, "rb") as manifest:
            parser.ParseFile(manifest)
    except xml.parsers.expat.ExpatError as error:
        problems.append(f"not well-formed XML: {error}")
    for problem in problems:
        print(f"{path}: {problem}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
