#!/usr/bin/env python3
"""scripts/apt-install against a stand-in apt-get on the PATH, never the network.

The stand-in fails its steps as a mirror in the middle of a sync does, as many times as a case
says, and keeps a log of its calls and of what it installed. Each case checks what apt-install
did, what it printed and how it ended.
"""
import os
import stat
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

SCRIPT = Path(__file__).resolve().parents[2] / "scripts" / "apt-install"

INDEX = "http://deb.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz"
SYNC_ERROR = (f"E: Failed to fetch {INDEX}  File has unexpected size (374820 != 376004). "
              "Mirror sync in progress? [IP: 203.0.113.80 80]\n"
              "E: Some index files failed to download. They have been ignored, or old ones used instead.")
ARCHIVE = "http://deb.example/debian/pool/main/w/wine/wine32_8.0_i386.deb"
DOWNLOAD_ERROR = f"E: Failed to fetch {ARCHIVE}  Connection failed [IP: 203.0.113.80 80]"
UNMET = ("Some packages could not be installed.\n"
         "The following packages have unmet dependencies:\n"
         " libssl3:i386 : Depends: libssl3 (= 3.0.20) but 3.0.22 is to be installed\n"
         "E: Unable to correct problems, you have held broken packages.")

# Each step of the stand-in fails its first N calls (a count file per step) with the step's
# message. The plan (install -s) fails unless the lowered suite is in the preferences folder
# when PLAN is "lowered", always when it is "broken".
STAND_IN = r"""#!/bin/bash
echo "$*" >>"$STANDIN_DIR/calls"
step() {
    local count=$STANDIN_DIR/count-$1
    local n=$(( $(cat "$count" 2>/dev/null || echo 0) + 1 ))
    echo $n >"$count"
    [[ $n -gt ${2:-0} ]] && return 0
    printf '%s\n' "$3" >&2
    exit 100
}
args=" $* "
case $args in
    *" update "*) step update "$STANDIN_UPDATE_FAILS" "$STANDIN_UPDATE_ERROR" ;;
    *" -s "*)
        [[ $STANDIN_PLAN == broken ]] && { printf '%s\n' "$STANDIN_UNMET" >&2; exit 100; }
        if [[ $STANDIN_PLAN == lowered ]]; then
            dir=$(sed -nE 's/.*Dir::Etc::PreferencesParts=([^ ]+).*/\1/p' <<<"$args")
            grep -qs 'n=bookworm-security' "$dir"/* || { printf '%s\n' "$STANDIN_UNMET" >&2; exit 100; }
        fi ;;
    *" --download-only "*) step download "$STANDIN_DOWNLOAD_FAILS" "$STANDIN_DOWNLOAD_ERROR" ;;
    *" install "*) echo "${@: -2}" >>"$STANDIN_DIR/installed" ;;
esac
exit 0
"""
# dpkg: nothing left interrupted; sudo: the stand-ins run as whoever runs the test.
DPKG = "#!/bin/sh\nexit 0\n"
SUDO = '#!/bin/sh\nexec "$@"\n'


class AptInstallTest(unittest.TestCase):
    def setUp(self):
        self.dir = Path(tempfile.mkdtemp(prefix="apt-install-test-"))
        self.addCleanup(subprocess.run, ["rm", "-rf", str(self.dir)])
        for name, text in (("apt-get", STAND_IN), ("dpkg", DPKG), ("sudo", SUDO)):
            path = self.dir / name
            path.write_text(text)
            path.chmod(path.stat().st_mode | stat.S_IXUSR)

    def run_script(self, update_fails=0, download_fails=0, plan="ok"):
        env = dict(os.environ, PATH=f"{self.dir}:{os.environ['PATH']}", STANDIN_DIR=str(self.dir),
                   VARROW_APT_PAUSE="0", STANDIN_PLAN=plan, STANDIN_UNMET=UNMET,
                   STANDIN_UPDATE_FAILS=str(update_fails), STANDIN_UPDATE_ERROR=SYNC_ERROR,
                   STANDIN_DOWNLOAD_FAILS=str(download_fails), STANDIN_DOWNLOAD_ERROR=DOWNLOAD_ERROR)
        result = subprocess.run([str(SCRIPT), "--update", "wine32:i386", "xauth"], env=env,
                                capture_output=True, text=True, timeout=60)
        calls = (self.dir / "calls").read_text().splitlines()
        installed = self.dir / "installed"
        return result, calls, installed.read_text() if installed.exists() else ""

    def count(self, calls, word):
        return sum(1 for call in calls if f" {word} " in f" {call} ")

    def test_a_mirror_that_fails_twice_is_tried_again(self):
        for update_fails, download_fails in ((2, 0), (0, 2), (2, 2)):
            with self.subTest(update_fails=update_fails, download_fails=download_fails):
                self.setUp()
                result, calls, installed = self.run_script(update_fails, download_fails)
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertEqual(self.count(calls, "update"), update_fails + 1)
                self.assertEqual(self.count(calls, "--download-only"), download_fails + 1)
                self.assertIn("Acquire::Retries=3", calls[0])
                self.assertEqual(installed, "wine32:i386 xauth\n")
                self.assertIn("try 1 of 3", result.stderr)
                self.assertIn("the mirror", result.stderr)

    def test_an_index_that_never_comes_is_done_without_where_apt_agrees(self):
        result, calls, installed = self.run_script(update_fails=99)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(self.count(calls, "update"), 3)
        self.assertEqual(installed, "wine32:i386 xauth\n")
        self.assertIn(f"{INDEX} could not be fetched (the mirror is probably in the middle of a sync",
                      result.stderr)
        self.assertNotIn("PreferencesParts", "".join(calls))

    def test_the_suite_that_failed_is_lowered_when_the_lists_disagree(self):
        result, calls, installed = self.run_script(update_fails=99, plan="lowered")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(installed, "wine32:i386 xauth\n")
        install = [call for call in calls if call.endswith("install -y --no-install-recommends wine32:i386 xauth")]
        self.assertEqual(len(install), 1, calls)
        self.assertIn("Dir::Etc::PreferencesParts=", install[0])
        self.assertIn("with bookworm-security lowered", result.stderr)

    def test_a_failure_for_good_is_one_line_that_names_it_and_why(self):
        cases = (
            ("index", dict(update_fails=99, plan="broken"),
             f"apt-install: cannot install wine32:i386 xauth: {INDEX} failed: "
             "the mirror is probably in the middle of a sync, try again later"),
            ("archive", dict(download_fails=99),
             f"apt-install: cannot install wine32:i386 xauth: {ARCHIVE} failed: the mirror cannot be reached"),
            ("dependencies", dict(plan="broken"),
             "apt-install: cannot install wine32:i386 xauth: libssl3:i386, which depends on libssl3 (= 3.0.20) "
             "but 3.0.22 is to be installed failed: its dependencies cannot be met with the lists apt has"),
        )
        for name, scenario, line in cases:
            with self.subTest(name):
                self.setUp()
                result, calls, installed = self.run_script(**scenario)
                self.assertEqual(result.returncode, 100, result.stderr)
                self.assertEqual(result.stderr.splitlines()[-1], line)
                self.assertEqual(installed, "", "nothing may be installed after a failure")


if __name__ == "__main__":
    sys.exit(unittest.main())
