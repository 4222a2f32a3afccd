#!/usr/bin/env python3
"""The signing path of make package, with a throw-away certificate made for the run.

openssl makes a CA, a code-signing certificate under it (in a PKCS#12 file with a password)
and a timestamping certificate, which a timestamp server on this machine answers with (openssl
ts). make package then signs with them. The DLL, varrow.exe and the MSI must verify against that
CA, timestamp included, and not against another; a changed byte must fail; the password must
appear in no command line, build log or file of the build tree; a removed signature must give
back the unsigned file; and the signed package must install and serve the VBScript client under
Wine as the unsigned one does (the installer test's own checks). A timestamp server that does
not answer must fail the build. Last, make package without a certificate must build unsigned
packages again.
"""
import argparse
import http.server
import re
import secrets
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from installer_test import Checks, InstallerTest, folder_digest  # noqa: E402

ROOT = Path(__file__).resolve().parent.parent
WIN32 = ROOT / "build" / "win32"
DLL = "TeskVarrowInternetBanking.dll"
COMMAND = "varrow.exe"

TSA_CONFIG = """[ tsa ]
default_tsa = test_tsa
[ test_tsa ]
serial = {dir}/tsa-serial
signer_cert = {dir}/tsa.pem
certs = {dir}/ca.pem
signer_key = {dir}/tsa.key
signer_digest = sha256
default_policy = 1.3.6.1.4.1.55555.1
digests = sha256, sha384, sha512
accuracy = secs:1
tsa_name = yes
ess_cert_id_chain = no
ess_cert_id_alg = sha256
"""


def openssl(*args):
    subprocess.run(["openssl", *args], check=True, capture_output=True)


def certificate(folder, name, subject, extensions, issuer="ca"):
    """NAME.key and NAME.pem, signed by ISSUER (NAME itself for a CA)."""
    key, pem = folder / f"{name}.key", folder / f"{name}.pem"
    if issuer == name:
        openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", pem, "-days", "2",
                "-subj", subject, "-addext", "basicConstraints=critical,CA:TRUE",
                "-addext", "keyUsage=critical,keyCertSign,cRLSign")
        return
    request, extension_file = folder / f"{name}.csr", folder / f"{name}.ext"
    extension_file.write_text("basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\n" + extensions)
    openssl("req", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", request, "-subj", subject)
    openssl("x509", "-req", "-in", request, "-CA", folder / f"{issuer}.pem", "-CAkey", folder / f"{issuer}.key",
            "-CAcreateserial", "-days", "2", "-extfile", extension_file, "-out", pem)


def make_certificates(folder):
    """The signer's PKCS#12 file and its password file, and the password."""
    certificate(folder, "ca", "/CN=Varrow Online throw-away test CA", "", issuer="ca")
    certificate(folder, "other-ca", "/CN=Some other CA", "", issuer="other-ca")
    certificate(folder, "signer", "/CN=Varrow Online test signer", "extendedKeyUsage=codeSigning\n")
    certificate(folder, "tsa", "/CN=Varrow Online test timestamps", "extendedKeyUsage=critical,timeStamping\n")
    password = "pw-" + secrets.token_hex(12)
    password_file = folder / "password.txt"
    password_file.touch(mode=0o600)
    password_file.write_text(password + "\n")
    p12 = folder / "signer.p12"
    openssl("pkcs12", "-export", "-inkey", folder / "signer.key", "-in", folder / "signer.pem",
            "-certfile", folder / "ca.pem", "-passout", f"file:{password_file}", "-out", p12)
    (folder / "tsa.cnf").write_text(TSA_CONFIG.format(dir=folder))
    (folder / "tsa-serial").write_text("01\n")
    return p12, password_file, password


class TimestampServer:
    """An RFC 3161 server on 127.0.0.1 that answers with openssl ts and counts the queries."""

    def __init__(self, folder):
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_POST(self):
                query = self.rfile.read(int(self.headers["Content-Length"]))
                server.content_types.append(self.headers["Content-Type"])
                with tempfile.NamedTemporaryFile(dir=folder, suffix=".tsq") as file:
                    file.write(query)
                    file.flush()
                    reply = subprocess.run(["openssl", "ts", "-reply", "-config", str(folder / "tsa.cnf"),
                                            "-queryfile", file.name, "-out", "/dev/stdout"],
                                           capture_output=True).stdout
                self.send_response(200 if reply else 500)
                self.send_header("Content-Type", "application/timestamp-reply")
                self.send_header("Content-Length", str(len(reply)))
                self.end_headers()
                self.wfile.write(reply)

            def log_message(self, *args):
                pass

        self.content_types = []
        self.http = http.server.HTTPServer(("127.0.0.1", 0), Handler)
        self.url = f"http://127.0.0.1:{self.http.server_port}/"
        threading.Thread(target=self.http.serve_forever, daemon=True).start()

    def close(self):
        self.http.shutdown()


class CommandLineWatch:
    """Every command line on the machine, read while the build runs: none may hold the secret."""

    def __init__(self, secret):
        self.secret, self.seen, self.processes = secret.encode(), [], set()
        self.running = True
        self.thread = threading.Thread(target=self.watch, daemon=True)
        self.thread.start()

    def watch(self):
        while self.running:
            for cmdline in Path("/proc").glob("[0-9]*/cmdline"):
                try:
                    line = cmdline.read_bytes()
                except OSError:
                    continue
                self.processes.add(line)
                if self.secret in line:
                    self.seen.append(line.replace(b"\0", b" ").decode(errors="replace"))
            time.sleep(0.01)

    def stop(self):
        self.running = False
        self.thread.join()


def files_holding(folder, secret):
    secret = secret.encode()
    return [str(path) for path in folder.rglob("*") if path.is_file() and not path.is_symlink()
            and secret in path.read_bytes()]


def osslsigncode(*args):
    result = subprocess.run(["osslsigncode", *map(str, args)], capture_output=True, text=True, errors="replace")
    return result.returncode, result.stdout + result.stderr


def msi_contents(msi):
    """Everything an MSI holds, whatever the layout of its compound file: the summary, every
    table and every stream."""
    def msiinfo(*args):
        return subprocess.run(["msiinfo", *map(str, args)], capture_output=True, check=True).stdout
    contents = {"summary": msiinfo("suminfo", msi)}
    for table in msiinfo("tables", msi).decode().split():
        contents["table " + table] = msiinfo("export", msi, table)
    for stream in msiinfo("streams", msi).decode().splitlines():
        contents["stream " + stream] = msiinfo("extract", msi, stream)
    return contents


class SigningTest:
    def __init__(self, options, checks):
        self.options, self.checks = options, checks
        self.work = Path(options.work).resolve()
        shutil.rmtree(self.work, ignore_errors=True)
        (self.work / "keys").mkdir(parents=True)
        self.p12, self.password_file, self.password = make_certificates(self.work / "keys")
        self.ca = self.work / "keys" / "ca.pem"
        self.msi_name = f"VarrowOnline-{options.version}-{options.arch}.msi"
        self.signed = {DLL: WIN32 / "signed" / DLL, COMMAND: WIN32 / "signed" / COMMAND,
                       self.msi_name: self.work / "dist" / self.msi_name}

    def make_package(self, dist, *signing):
        result = subprocess.run([self.options.make, "--no-print-directory", "package", f"DIST={dist}", *signing],
                                cwd=ROOT, capture_output=True, text=True, errors="replace")
        return result.returncode, result.stdout + result.stderr

    def sign(self):
        check = self.checks.check
        server = TimestampServer(self.work / "keys")
        watch = CommandLineWatch(self.password)
        try:
            status, log = self.make_package(self.work / "dist", f"SIGN_PKCS12={self.p12}",
                                            f"SIGN_PASSWORD_FILE={self.password_file}",
                                            f"SIGN_TIMESTAMP_URL={server.url}")
        finally:
            watch.stop()
            server.close()
        if not check("make package SIGN_PKCS12=... SIGN_PASSWORD_FILE=... SIGN_TIMESTAMP_URL=... exits 0",
                     status == 0, log[-3000:]):
            return False
        check("it does not say the packages are unsigned", "not signed" not in log, log[-1000:])
        check(f"the timestamp server was asked once for each of the three files ({len(server.content_types)})",
              server.content_types == ["application/timestamp-query"] * 3, str(server.content_types))
        signers = [line for line in watch.processes if b"osslsigncode" in line and b"-readpass" in line]
        check(f"the password is in no command line ({len(watch.processes)} seen, {len(signers)} of them osslsigncode's)",
              signers and not watch.seen, "\n".join(watch.seen))
        check("the password is in neither the build's output nor any file of the build tree",
              self.password not in log and not files_holding(WIN32, self.password))
        return True

    def verify(self):
        check = self.checks.check
        for name, path in self.signed.items():
            status, out = osslsigncode("verify", "-CAfile", self.ca, "-TSA-CAfile", self.ca, "-in", path)
            check(f"{name}: the signature and its timestamp verify against the test CA",
                  status == 0 and "Signature verification: ok" in out
                  and "Timestamp Server Signature verification: ok" in out
                  and re.search(r"Message digest algorithm\s*:\s*SHA256", out), out[-2000:])
            other = self.work / "keys" / "other-ca.pem"
            status, out = osslsigncode("verify", "-CAfile", other, "-TSA-CAfile", other, "-in", path)
            check(f"{name}: it does not verify against another CA", status != 0, out[-1000:])
            changed = self.work / ("changed-" + name)
            data = bytearray(path.read_bytes())
            data[len(data) // 2] ^= 0x01
            changed.write_bytes(data)
            status, out = osslsigncode("verify", "-CAfile", self.ca, "-TSA-CAfile", self.ca, "-in", changed)
            check(f"{name}: with byte {len(data) // 2} changed, verification fails", status != 0, out[-1000:])

    def stripped(self):
        check = self.checks.check
        for name in (DLL, COMMAND):
            out = self.work / ("stripped-" + name)
            osslsigncode("remove-signature", "-in", self.signed[name], "-out", out)
            check(f"{name}: with its signature removed it is the unsigned shipped file, byte for byte",
                  out.read_bytes() == (WIN32 / "shipped" / name).read_bytes())
        out = self.work / ("stripped-" + self.msi_name)
        osslsigncode("remove-signature", "-in", self.signed[self.msi_name], "-out", out)
        stripped, unsigned = msi_contents(out), msi_contents(WIN32 / "unsigned" / self.msi_name)
        different = sorted(key for key in set(stripped) | set(unsigned) if stripped.get(key) != unsigned.get(key))
        check(f"the MSI with its signature removed holds the unsigned package's summary, tables and streams"
              f" ({len(unsigned)} of them)", not different, f"  {different}")

    def installs(self):
        """The installer test's checks on the signed package and DLL: regsvr32, install, the
        client, the registry, the version, removal."""
        options = argparse.Namespace(
            work=str(self.work / "wine"), arch=self.options.arch, idl_dir=self.options.idl_dir,
            client=self.options.client, version=self.options.version, msi=str(self.signed[self.msi_name]),
            upgrade_msi=str(self.signed[self.msi_name]), regsvr32_dll=str(self.signed[DLL]))
        test = InstallerTest(options, self.checks)
        try:
            if not self.checks.check("Wine starts programs in two fresh prefixes", test.started):
                return
            test.before_install()
            test.install()
            installed = folder_digest(test.folder)
            self.checks.check("install: the installed DLL and varrow.exe are the signed ones",
                              all(installed.get(name) == folder_digest(self.signed[name].parent)[name]
                                  for name in (DLL, COMMAND)))
            test.uninstall()
        finally:
            test.close()

    def unreachable_timestamp_server(self):
        """A timestamp that cannot be had fails the build: no file ships without one."""
        with socket.socket() as unused:
            unused.bind(("127.0.0.1", 0))
            url = f"http://127.0.0.1:{unused.getsockname()[1]}/"
        dist = self.work / "no-timestamp"
        status, log = self.make_package(dist, f"SIGN_PKCS12={self.p12}", f"SIGN_PASSWORD_FILE={self.password_file}",
                                        f"SIGN_TIMESTAMP_URL={url}")
        self.checks.check("with a timestamp server that does not answer, make package fails and ships nothing",
                          status != 0 and not dist.exists(), log[-2000:])

    def unsigned_again(self):
        check = self.checks.check
        status, log = self.make_package(self.work / "unsigned")
        check("make package without a certificate exits 0 and says in one line that nothing is signed",
              status == 0 and log.count("not signed") == 1, log[-2000:])
        status, out = osslsigncode("verify", "-CAfile", self.ca, "-in", self.work / "unsigned" / self.msi_name)
        check("  and its MSI carries no signature", status != 0, out[-1000:])

    def run(self):
        try:
            if self.sign():
                self.verify()
                self.stripped()
                if self.options.arch == "x86":
                    self.installs()
                else:
                    print("skip installing the signed package: Wine cannot start 32-bit programs here")
                # Last: it leaves the signed files half made.
                self.unreachable_timestamp_server()
        finally:
            self.unsigned_again()
            shutil.rmtree(self.work, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for name in ("work", "version", "client", "idl-dir"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--arch", choices=("x86", "x64"), default="x86")
    parser.add_argument("--make", default="make")
    options = parser.parse_args()
    checks = Checks()
    SigningTest(options, checks).run()
    print(f"{checks.passed} passed, {checks.failed} failed")
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
