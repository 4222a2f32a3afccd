#!/usr/bin/env python3
"""The Windows installer under Wine, and the Debian package of the command.

Two fresh Wine prefixes: in one the component is registered by regsvr32, in the other it is
installed by the MSI. Both hold the host's interface keys first, as a machine with the host
does. The installer must write what regsvr32 writes, key for key and value for value, keep the
host's keys and the settings file BANKSERV.INI as they were through install, reinstall, repair,
upgrade, a refused downgrade and removal, and remove everything it wrote.
"""
import argparse
import hashlib
import os
import re
import shutil
import subprocess
import sys
import time
from pathlib import Path

CLASSES = "HKLM\\Software\\Classes"
# The installer's own records of what it installed live among the classes too.
BOOKKEEPING = re.compile(r"^HKEY_LOCAL_MACHINE\\Software\\Classes\\(Wow6432Node\\)?Installer(\\|$)", re.I)
# RegisterTypeLib also writes the library's interface keys into the registry view of the other
# architecture, which a package of one architecture cannot write to.
OTHER_VIEW_INTERFACES = {
    "x86": re.compile(r"^HKEY_LOCAL_MACHINE\\Software\\Classes\\Interface\\", re.I),
    "x64": re.compile(r"^HKEY_LOCAL_MACHINE\\Software\\Classes\\Wow6432Node\\Interface\\", re.I),
}
# Programs and Features: a 32-bit package's entry lies in the 32-bit view.
UNINSTALL = ("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
             "HKLM\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall")
PRODUCT_NAME = "Varrow Online bank component"
# The host's own type library, which owns its interfaces' keys on a machine with the host.
HOST_LIBRARY = "{6ABDFC7F-EF85-11D3-8A16-00E029178D24}"
# A Wine program that has not ended by then has hung (seconds; raised under emulation).
PROCESS_TIMEOUT = 600
SETTINGS = "[MIGRATED]\r\nVarrowQuidlaneTemplate123456_87654321=TPL-7\r\nVarrowQuidlaneBenRef123456_87654321=REF 1\r\n"


class Checks:
    def __init__(self):
        self.passed = self.failed = 0
        self.start = time.monotonic()

    def check(self, name, ok, detail=""):
        seconds = f"[{time.monotonic() - self.start:5.0f} s]"
        if ok:
            self.passed += 1
            print(f"ok   {seconds} {name}", flush=True)
        else:
            self.failed += 1
            print(f"FAIL {seconds} {name}" + (f"\n{detail}" if detail else ""), flush=True)
        return ok


def windows_path(path):
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


class Prefix:
    """A fresh Wine prefix with its own wineserver, removed at the end."""

    def __init__(self, path, wine):
        self.path, self.wine = Path(path).resolve(), wine
        self.wine64 = "/usr/lib/wine/wine64"
        shutil.rmtree(self.path, ignore_errors=True)
        self.path.mkdir(parents=True)
        self.env = dict(os.environ, WINEPREFIX=str(self.path), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=", VARROW_WINE=wine)
        self.starting = subprocess.Popen([wine, "cmd", "/c", "exit"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                         stdin=subprocess.DEVNULL)

    def ready(self):
        """Whether Wine started a program in the new prefix."""
        return self.starting.wait() == 0

    def run(self, *args, wine=None):
        try:
            result = subprocess.run([wine or self.wine, *args], env=self.env, capture_output=True, text=True,
                                    errors="replace", stdin=subprocess.DEVNULL, timeout=PROCESS_TIMEOUT)
        except subprocess.TimeoutExpired:
            return 124, f"{args[0]} did not end within {PROCESS_TIMEOUT} s\n"
        return result.returncode, result.stdout.replace("\r\n", "\n")

    def drive(self, windows):
        """The Unix path of a C: path inside the prefix."""
        return self.path / "drive_c" / windows[3:].replace("\\", "/")

    def registry(self, key):
        """Every key below `key` in both registry views, with its values, as reg export writes
        them."""
        out = self.path / "export.reg"
        status, _ = self.run("reg", "export", key, windows_path(out), "/y", wine=self.wine64)
        if status != 0:
            return {}
        text = out.read_bytes().decode("utf-16")
        out.unlink()
        return parse_export(text)

    def close(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        shutil.rmtree(self.path, ignore_errors=True)


def parse_export(text):
    keys, current = {}, None
    for line in re.sub(r"\\\n\s*", "", text.replace("\r\n", "\n")).splitlines():
        if line.startswith("[") and line.endswith("]"):
            current = keys.setdefault(line[1:-1], {})
        elif current is not None and "=" in line:
            name, _, data = line.partition("=")
            current[name] = data
    return keys


def without_bookkeeping(snapshot):
    return {key: values for key, values in snapshot.items() if not BOOKKEEPING.match(key)}


def difference(before, after):
    """Keys added or changed from before to after, and keys removed (as None)."""
    changed = {key: values for key, values in after.items() if before.get(key) != values}
    changed.update({key: None for key in before if key not in after})
    return changed


def describe(expected, actual):
    lines = []
    for key in sorted(set(expected) | set(actual)):
        if expected.get(key) != actual.get(key):
            lines.append(f"  {key}\n    expected {expected.get(key)}\n    actual   {actual.get(key)}")
    return "\n".join(lines[:40])


def library_interfaces(idl_dir):
    """{name: IID} of every interface that the component's type library carries."""
    idl = "\n".join(path.read_text() for path in sorted(Path(idl_dir).glob("*.idl")))
    uuids = {name: uuid.upper() for uuid, name in re.findall(
        r"\[[^\]]*uuid\(([0-9A-Fa-f-]+)\)[^\]]*\]\s*interface\s+(\w+)", idl)}
    library = re.split(r"\blibrary\s+\w+\s*\{", idl, maxsplit=1)[1]
    return {name: "{" + uuids[name] + "}" for name in re.findall(r"interface\s+(\w+)\s*;", library)}


def host_interface_keys(interfaces):
    """A .reg file that gives the host's interfaces (ITesk...) to the host's own library, as the
    host's installation does."""
    lines = ["Windows Registry Editor Version 5.00", ""]
    for name, iid in interfaces.items():
        key = f"[HKEY_CLASSES_ROOT\\Interface\\{iid}"
        lines += [key + "]", f'@="{name}"', "",
                  key + "\\ProxyStubClsid32]", '@="{00020424-0000-0000-C000-000000000046}"', "",
                  key + "\\TypeLib]", f'@="{HOST_LIBRARY}"', '"Version"="1.0"', ""]
    return "\r\n".join(lines)


def folder_digest(folder):
    if not folder.exists():
        return {}
    return {p.name: hashlib.sha256(p.read_bytes()).hexdigest() for p in sorted(folder.iterdir())}


def msi_table(msi, table):
    """The rows of one of the package's tables, as msiinfo exports them."""
    text = subprocess.run(["msiinfo", "export", str(msi), table], capture_output=True, text=True).stdout
    return [line.split("\t") for line in text.splitlines()[3:] if line.strip()]


def msi_file_names(msi):
    # A long name is stored after its short one: SHORT~1.MD|long name.md.
    return sorted(row[2].split("|")[-1] for row in msi_table(msi, "File"))


def modulus_tables_line(names):
    """What varrow --version says of the shipped tables among these file names: the weight table's
    name carries their version (valacdos-v8-50.txt: v8.50)."""
    versions = [m.groups() for m in map(re.compile(r"valacdos-v(\d+)-(\d+)\.txt$").match, names) if m]
    return f"modulus tables v{versions[0][0]}.{versions[0][1]}" if len(versions) == 1 else "<no single weight table>"


class InstallerTest:
    def __init__(self, options, checks):
        self.options, self.checks = options, checks
        work = Path(options.work)
        # Programs of the package's architecture: Debian's wine starts its own as 32-bit.
        wine, program_files = {"x86": ("wine", "Program Files (x86)"),
                               "x64": ("/usr/lib/wine/wine64", "Program Files")}[options.arch]
        self.install_path = f"C:\\{program_files}\\Varrow Online"
        self.machine = Prefix(work / "installed", wine)
        self.reference = Prefix(work / "regsvr32", wine)
        self.started = self.machine.ready() & self.reference.ready()
        self.interfaces = library_interfaces(options.idl_dir)
        self.host_interfaces = {name: iid for name, iid in self.interfaces.items() if name.startswith("ITesk")}
        self.host_keys = host_interface_keys(self.host_interfaces)
        self.folder = self.machine.drive(self.install_path)
        self.settings = self.machine.drive("C:\\ProgramData\\TESK\\Tesk EBanking\\BANKSERV.INI")

    def close(self):
        self.machine.close()
        self.reference.close()
        shutil.rmtree(self.options.work, ignore_errors=True)

    def give_host_keys(self, prefix):
        seed = prefix.path / "host-interfaces.reg"
        seed.write_text(self.host_keys, encoding="utf-16")
        status, _ = prefix.run("reg", "import", windows_path(seed))
        return status == 0

    def snapshot(self):
        return without_bookkeeping(self.machine.registry(CLASSES))

    def msiexec(self, *args):
        status, _ = self.machine.run("msiexec", *args, "/qn")
        return status

    def settings_kept(self, when):
        self.checks.check(f"{when}: BANKSERV.INI is byte for byte as it was",
                          self.settings.read_bytes() == SETTINGS.encode("ascii"))

    def client_passes(self, when):
        status, out = self.machine.run("cscript", "//nologo", windows_path(self.options.client))
        self.checks.check(f"{when}: the VBScript client passes against the installed component",
                          status == 0 and "VBSCRIPT CLIENT PASSED" in out, out[-2000:])

    def command_version(self, when, version):
        _, out = self.machine.run(str(self.folder / "varrow.exe"), "--version")
        tables = modulus_tables_line(msi_file_names(self.options.msi))
        self.checks.check(f"{when}: varrow.exe --version says {version} and finds the installed tables ({tables})",
                          out == f"varrow {version}\n{tables}\n", out)

    def installed_products(self):
        entries = {**self.machine.registry(UNINSTALL[0]), **self.machine.registry(UNINSTALL[1])}
        return sorted(values.get('"DisplayVersion"', "?").strip('"') for values in entries.values()
                      if values.get('"DisplayName"') == f'"{PRODUCT_NAME}"')

    def what_regsvr32_writes(self):
        """In the reference prefix: the same DLL at the same path, registered by regsvr32; the
        keys in the package's own registry view, and those in the other view."""
        dll = self.install_path + "\\TeskVarrowInternetBanking.dll"
        self.reference.drive(dll).parent.mkdir(parents=True)
        shutil.copyfile(self.options.regsvr32_dll, self.reference.drive(dll))
        self.give_host_keys(self.reference)
        before = self.reference.registry(CLASSES)
        status, _ = self.reference.run("regsvr32", "/s", dll)
        self.checks.check("regsvr32 registers the shipped DLL", status == 0)
        written = difference(before, self.reference.registry(CLASSES))
        other_view = OTHER_VIEW_INTERFACES[self.options.arch]
        return ({key: values for key, values in written.items() if not other_view.match(key)},
                {key: values for key, values in written.items() if other_view.match(key)})

    def run(self):
        if not self.checks.check(f"Wine starts {self.options.arch} programs in two fresh prefixes", self.started):
            return
        self.before_install()
        self.install()
        self.install_again_and_repair()
        self.upgrade()
        self.refuse_downgrade()
        self.uninstall()

    def before_install(self):
        check, options = self.checks.check, self.options
        self.registered, other_view = self.what_regsvr32_writes()
        check("regsvr32 writes the component's keys and leaves the host's interfaces alone",
              any("TeskVarrowInternetBanking.Bank" in key for key in self.registered)
              and not any(HOST_LIBRARY in str(values) for values in self.registered.values()))
        pattern = OTHER_VIEW_INTERFACES[options.arch]
        iids = {key[pattern.match(key).end():].split("\\")[0].upper() for key in other_view}
        check(f"regsvr32 writes in the other registry view only keys of the type library's interfaces"
              f" ({len(iids)} of them), which a package of one architecture cannot write",
              iids <= set(self.interfaces.values()) and None not in other_view.values(), describe({}, other_view))

        # The script host registers its own library when it first runs: before the snapshot.
        warm_up = Path(options.work) / "empty.vbs"
        warm_up.write_text("")
        self.machine.run("cscript", "//nologo", windows_path(warm_up))
        check(f"the host's {len(self.host_interfaces)} interface keys are in place", self.give_host_keys(self.machine))
        self.settings.parent.mkdir(parents=True)
        self.settings.write_bytes(SETTINGS.encode("ascii"))
        self.clean = self.snapshot()

    def registry_as_regsvr32_writes(self, when):
        now = self.snapshot()
        written = difference(self.clean, now)
        self.checks.check(f"{when}: the registry holds exactly what regsvr32 writes in the package's view",
                          written == self.registered, describe(self.registered, written))
        return now

    def registry_is(self, name, expected):
        now = self.snapshot()
        return self.checks.check(name, now == expected, describe(expected, now))

    def install(self):
        check, options = self.checks.check, self.options
        check("install: msiexec /i exits 0", self.msiexec("/i", windows_path(options.msi)) == 0)
        self.installed = self.registry_as_regsvr32_writes("install")
        self.files = folder_digest(self.folder)
        check("install: the install folder holds the package's files",
              sorted(self.files) == msi_file_names(options.msi), f"  {sorted(self.files)}")
        check("install: the account number check's two tables are beside the DLL",
              "scsubtab.txt" in self.files and any(name.startswith("valacdos-v") for name in self.files),
              f"  {sorted(self.files)}")
        self.client_passes("install")
        self.command_version("install", options.version)
        self.settings_kept("install")

    def install_again_and_repair(self):
        check, options = self.checks.check, self.options
        check("install again: msiexec /i exits 0", self.msiexec("/i", windows_path(options.msi)) == 0)
        self.registry_is("install again: the same registry", self.installed)
        self.machine.run("reg", "delete", "HKCR\\TeskVarrowInternetBanking.Bank\\CurVer", "/f")
        (self.folder / "varrow.exe").unlink()
        # What msiexec /famus does; Wine's msiexec answers /f with an error of its own.
        check("repair: msiexec REINSTALL=ALL REINSTALLMODE=amus exits 0",
              self.msiexec("/i", windows_path(options.msi), "REINSTALL=ALL", "REINSTALLMODE=amus") == 0)
        self.registry_is("repair: the same registry, the removed key back", self.installed)
        check("repair: the same files, the removed one back", folder_digest(self.folder) == self.files)
        self.settings_kept("repair")

    def upgrade(self):
        check, options = self.checks.check, self.options
        check("upgrade: msiexec /i of the next version exits 0",
              self.msiexec("/i", windows_path(options.upgrade_msi)) == 0)
        products = self.installed_products()
        check("upgrade: one product installed, the next version", products == [options.upgrade_version],
              f"  {products}")
        self.upgraded = self.registry_as_regsvr32_writes("upgrade")
        self.client_passes("upgrade")
        self.command_version("upgrade", options.upgrade_version)
        self.settings_kept("upgrade")

    def refuse_downgrade(self):
        check, options = self.checks.check, self.options
        upgraded_files = folder_digest(self.folder)
        check("downgrade: the package refuses it with a message",
              any("WIX_DOWNGRADE_DETECTED" in condition and "later version" in message
                  for condition, message in msi_table(options.msi, "LaunchCondition")))
        check("downgrade: msiexec /i of the earlier version is refused",
              self.msiexec("/i", windows_path(options.msi)) != 0)
        self.registry_is("downgrade: the registry has not changed", self.upgraded)
        check("downgrade: the files and the installed version have not changed",
              folder_digest(self.folder) == upgraded_files and self.installed_products() == [options.upgrade_version])
        self.settings_kept("refused downgrade")

    def uninstall(self):
        check, options = self.checks.check, self.options
        check("uninstall: msiexec /x exits 0", self.msiexec("/x", windows_path(options.upgrade_msi)) == 0)
        check("uninstall: no file left in the install folder", folder_digest(self.folder) == {},
              f"  {sorted(folder_digest(self.folder))}")
        self.registry_is("uninstall: the registry is as before install, the host's interfaces included", self.clean)
        check("uninstall: no product left", self.installed_products() == [])
        self.settings_kept("uninstall")


def debian_package(options, checks):
    """dpkg -i, the command from /usr/bin, dpkg -r: only as root, and only where no varrow
    package is installed already."""
    if os.geteuid() != 0:
        print("skip the Debian package: dpkg -i needs root")
        return
    if subprocess.run(["dpkg", "-s", "varrow"], capture_output=True).returncode == 0:
        print("skip the Debian package: a varrow package is installed on this machine")
        return

    def run(*args):
        try:
            result = subprocess.run(args, capture_output=True, text=True)
        except FileNotFoundError:
            return 127, ""
        return result.returncode, result.stdout

    checks.check("dpkg -i varrow exits 0", run("dpkg", "-i", options.deb)[0] == 0)
    try:
        _, listed = run("dpkg", "-L", "varrow")
        checks.check("the package puts varrow in /usr/bin, and its reference and hledger's rules in /usr/share/doc/varrow",
                     {"/usr/bin/varrow", "/usr/share/doc/varrow/cli.md", "/usr/share/doc/varrow/cli-statement.md",
                      "/usr/share/doc/varrow/varrow.csv.rules"} <= set(listed.split()), listed)
        tables = [name for name in listed.split() if name.startswith("/usr/share/varrow/modulus/")]
        checks.check("the package puts the account number check's two tables in /usr/share/varrow/modulus",
                     len(tables) == 2 and "/usr/share/varrow/modulus/scsubtab.txt" in tables, listed)
        expected = f"varrow {options.version}\n{modulus_tables_line([Path(t).name for t in tables])}\n"
        checks.check("/usr/bin/varrow --version names the version and the installed tables",
                     run("/usr/bin/varrow", "--version") == (0, expected))
        status, out = run("/usr/bin/varrow", "calendar", "25/12/2026")
        checks.check("/usr/bin/varrow calendar 25/12/2026", status == 0 and out.startswith("25/12/2026 holiday"), out)
    finally:
        checks.check("dpkg -r varrow removes it", run("dpkg", "-r", "varrow")[0] == 0
                     and not Path("/usr/bin/varrow").exists())


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for name in ("work", "msi", "version", "upgrade-msi", "upgrade-version", "regsvr32-dll", "client", "idl-dir", "deb"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--arch", choices=("x86", "x64"), default="x86")
    options = parser.parse_args()

    checks = Checks()
    test = InstallerTest(options, checks)
    try:
        test.run()
    finally:
        test.close()
    debian_package(options, checks)
    print(f"{checks.passed} passed, {checks.failed} failed")
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
