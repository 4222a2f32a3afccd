#!/usr/bin/env python3
"""Writes the installer's registry rows: what DllRegisterServer writes, as a WiX include.

DllRegisterServer writes three things, and each has its source here:
  - the classes' registry scripts (resources/*.rgs), with %MODULE% the installed DLL;
  - what RegisterTypeLib writes for the type library, from the facts of the component's IDL:
    the library's LIBID, version, locale and help string, and the interfaces its coclasses
    implement (the host's interfaces that travel in the library belong to the host);
  - the implemented categories, which the class table records through the category manager.

Usage: registry_wxi.py --idl FILE --dll-file-id ID --platform win32|win64
                       [--category CLSID=CATID ...] --output registry.wxi SCRIPT.rgs ...
"""
import argparse
import re
import sys
from xml.sax.saxutils import quoteattr

# The proxy that RegisterTypeLib names for an automation interface: the type library marshaler.
TYPELIB_MARSHALER = "{00020424-0000-0000-C000-000000000046}"


class Row:
    """One row of the installer's Registry table, under HKEY_CLASSES_ROOT."""

    def __init__(self, key, name, value, kind="string"):
        self.key, self.name, self.value, self.kind = key, name, value, kind

    def xml(self):
        attributes = [("Root", "HKCR"), ("Key", self.key)]
        if self.name:
            attributes.append(("Name", self.name))
        # A key row's value is empty, which the installer stores as null.
        attributes += [("Type", self.kind), ("Value", self.value or "")]
        return "<RegistryValue " + " ".join(f"{k}={quoteattr(v)}" for k, v in attributes) + "/>"


def literal(text):
    """Text that the installer's formatted strings give back as it is: brackets escaped, and a
    leading # doubled, which would otherwise make the value a number."""
    text = re.sub(r"[\[\]]", lambda m: "[\\" + m.group(0) + "]", text)
    return "#" + text if text.startswith("#") else text


# --- registry scripts -------------------------------------------------------------------------

def tokens(text):
    """The script's tokens: (text, quoted). '' inside quotes stands for one quote."""
    for match in re.finditer(r"'((?:[^']|'')*)'|([^\s']+)", text):
        if match.group(1) is not None:
            yield match.group(1).replace("''", "'"), True
        else:
            yield match.group(2), False


class ScriptRows:
    """Turns one registry script into rows, the way the component's registrar reads it."""

    def __init__(self, text, module, source):
        self.tokens = list(tokens(text))
        self.position = 0
        self.module = module
        self.source = source
        self.rows = []

    def fail(self, why):
        sys.exit(f"{self.source}: {why}")

    def next(self):
        if self.position >= len(self.tokens):
            self.fail("ends too early")
        self.position += 1
        return self.tokens[self.position - 1]

    def peek(self, word):
        if self.position >= len(self.tokens):
            return False
        text, quoted = self.tokens[self.position]
        return not quoted and text.lower() == word.lower()

    def expect(self, symbol):
        if self.next() != (symbol, False):
            self.fail(f"expected '{symbol}'")

    def parse(self):
        while self.position < len(self.tokens):
            root, _ = self.next()
            if root.upper() not in ("HKCR", "HKEY_CLASSES_ROOT"):
                self.fail(f"root {root}: only HKCR belongs to the component")
            self.expect("{")
            while not self.peek("}"):
                self.key("")
            self.expect("}")
        return self.rows

    def value(self):
        kind, _ = self.next()
        data, quoted = self.next()
        if kind.lower() == "s" and quoted:
            parts = data.split("%MODULE%")
            if any("%" in part for part in parts):
                self.fail(f"'{data}': %MODULE% is the only replacement")
            return "string", self.module.join(literal(part) for part in parts)
        if kind.lower() == "d":
            return "integer", str(int(data, 0))
        self.fail(f"value of type {kind}")

    def key(self, parent):
        disposition = "normal"
        for word in ("NoRemove", "ForceRemove", "Delete"):
            if self.peek(word):
                self.next()
                disposition = word
        name, _ = self.next()
        if re.search(r"[\[\]%]", name):
            self.fail(f"{name}: a key name the installer would read as a formatted string")
        if disposition == "Delete":
            self.fail(f"Delete {name}: the installer removes what it writes, nothing else")
        path = parent + "\\" + name if parent else name
        first_row = len(self.rows)
        if self.peek("="):
            self.next()
            kind, data = self.value()
            self.rows.append(Row(path, "", data, kind))
        if self.peek("{"):
            self.next()
            while not self.peek("}"):
                if self.peek("val"):
                    self.next()
                    value_name, _ = self.next()
                    self.expect("=")
                    kind, data = self.value()
                    self.rows.append(Row(path, value_name, data, kind))
                else:
                    self.key(path)
            self.next()
        if disposition == "ForceRemove":
            # Created even without a value, and removed whole with everything below it.
            self.rows.insert(first_row, Row(path, "*", None))
        elif disposition == "normal" and len(self.rows) == first_row:
            # The registrar removes such a key only while nothing else lies below it: the
            # installer has no such rule.
            self.fail(f"{path}: a key without values that is not ForceRemove")


# --- the type library ---------------------------------------------------------------------------

def attribute(attributes, name):
    match = re.search(name + r"\(\s*\"?([^)\"]*)\"?\s*\)", attributes)
    return match.group(1) if match else None


def library_rows(idl_text, dll, platform):
    """What RegisterTypeLib writes for the component's library and its own interfaces."""
    library = re.search(r"\[([^\]]*)\]\s*library\s+(\w+)\s*\{(.*)\}", idl_text, re.S)
    if not library:
        sys.exit("the IDL declares no library")
    attributes, body = library.group(1), library.group(3)
    libid = "{" + attribute(attributes, "uuid").upper() + "}"
    version = attribute(attributes, "version")
    lcid = format(int(attribute(attributes, "lcid") or "0", 0), "x")
    # The library's flags as the system reports them for a library loaded from its file: the
    # IDL's restricted, control and hidden, and "has a disk image".
    flags = 8 + sum(bit for word, bit in (("restricted", 1), ("control", 2), ("hidden", 4))
                    if re.search(rf"\b{word}\b", attributes))
    key = f"TypeLib\\{libid}\\{version}"
    rows = [Row(key, "", literal(attribute(attributes, "helpstring") or "")),
            Row(f"{key}\\{lcid}\\{platform}", "", dll),
            Row(f"{key}\\FLAGS", "", str(flags)),
            # The DLL's folder without the closing backslash that the installer's folder
            # properties carry, from the .wxs's variables.
            Row(f"{key}\\HELPDIR", "", "[$(var.ProgramFilesFolder)]$(var.InstallFolderName)")]

    declared = {name: uuid for uuid, name in re.findall(
        r"\[[^\]]*uuid\(([0-9A-Fa-f-]+)\)[^\]]*\]\s*interface\s+(\w+)", idl_text)}
    own = re.findall(r"coclass\s+\w+\s*\{[^}]*?interface\s+(\w+)", body)
    for name in own:
        interface = f"Interface\\{{{declared[name].upper()}}}"
        rows += [Row(interface, "", name),
                 Row(interface + "\\ProxyStubClsid", "", TYPELIB_MARSHALER),
                 Row(interface + "\\ProxyStubClsid32", "", TYPELIB_MARSHALER),
                 Row(interface + "\\TypeLib", "", libid),
                 Row(interface + "\\TypeLib", "Version", version)]
    return rows


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--idl", required=True)
    parser.add_argument("--dll-file-id", required=True)
    parser.add_argument("--platform", choices=("win32", "win64"), required=True)
    parser.add_argument("--category", action="append", default=[], metavar="CLSID=CATID")
    parser.add_argument("--output", required=True)
    parser.add_argument("scripts", nargs="+")
    options = parser.parse_args()

    dll = f"[#{options.dll_file_id}]"
    rows = []
    for script in options.scripts:
        with open(script, encoding="ascii") as file:
            rows += ScriptRows(file.read(), dll, script).parse()
    for pair in options.category:
        clsid, catid = pair.split("=")
        rows.append(Row(f"CLSID\\{clsid}\\Implemented Categories\\{catid}", "*", None))
    with open(options.idl, encoding="ascii") as file:
        rows += library_rows(file.read(), dll, options.platform)

    lines = ['<?xml version="1.0" encoding="utf-8"?>',
             "<!-- Written by packaging/registry_wxi.py from the registry scripts and the IDL. -->",
             # No namespace on the root: wixl drops included elements that carry one.
             "<Include>"]
    lines += ["  " + row.xml() for row in rows]
    lines.append("</Include>")
    with open(options.output, "w", encoding="utf-8") as file:
        file.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
