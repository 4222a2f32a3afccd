#!/usr/bin/env python3
"""What README.md and docs/*.md name is there: every link, every file or folder of the tree, every
`make` target, and every `varrow` command with each of its options.

Usage: docs_test.py SOURCE_DIR VARROW
"""
import re
import subprocess
import sys
import unittest
from pathlib import Path

SOURCE = Path(sys.argv[1]).resolve() if len(sys.argv) > 1 else Path(__file__).resolve().parents[2]
VARROW = sys.argv[2] if len(sys.argv) > 2 else str(SOURCE / "build" / "native" / "varrow")
DOCUMENTS = [SOURCE / "README.md", *sorted((SOURCE / "docs").glob("*.md"))]
TOP_LEVEL = {entry.name for entry in SOURCE.iterdir() if entry.is_dir() and not entry.name.startswith(".")}

CODE_SPAN = re.compile(r"`([^`\n]+)`")
LINK = re.compile(r"\]\(([^)\s]+)\)")
MAKE = re.compile(r"(?<![\w-])make ([a-z][a-z0-9-]*)")
VARROW_LINE = re.compile(r"(?<![\w/.-])varrow ([a-z][a-z-]*)\b(.*)")
OPTION = re.compile(r"(?<![\w-])(--[a-z][a-z0-9-]*)")


def code_of(text):
    """The text of the code spans and indented code lines of a Markdown document."""
    lines = [line.strip() for line in text.splitlines() if line.startswith("    ") and line.strip()]
    return [*CODE_SPAN.findall(text), *lines]


def documents():
    return [(path, path.read_text(encoding="utf-8")) for path in DOCUMENTS]


def slug(heading):
    """The anchor a Markdown renderer gives a heading."""
    return re.sub(r"[^\w\- ]", "", heading.strip().lower()).replace(" ", "-")


def tree_path(token):
    """The part of a code token that names a path in the tree, or None."""
    token = token.strip("'\",;:.()[]")
    first = token.split("/", 1)[0]
    if "/" not in token or first not in TOP_LEVEL | {"build"} or "\\" in token:
        return None
    return token


class DocsTest(unittest.TestCase):
    def test_links_lead_somewhere(self):
        for path, text in documents():
            for target in LINK.findall(text):
                if re.match(r"[a-z]+:", target):
                    continue
                file, _, anchor = target.partition("#")
                linked = (path.parent / file).resolve() if file else path
                with self.subTest(document=path.name, link=target):
                    self.assertTrue(linked.exists(), f"{linked} is not there")
                    if anchor and linked.suffix == ".md":
                        headings = re.findall(r"^#+ (.*)$", linked.read_text(encoding="utf-8"), re.M)
                        self.assertIn(anchor, [slug(heading) for heading in headings])

    def test_files_and_folders_are_there(self):
        makefile = (SOURCE / "Makefile").read_text()
        for path, text in documents():
            for code in code_of(text):
                for token in code.split():
                    name = tree_path(token)
                    if name is None:
                        continue
                    with self.subTest(document=path.name, path=name):
                        if name.startswith("build/"):
                            # A build tree's contents exist only once built: the tree must be one
                            # that make builds.
                            tree = "/".join(name.split("/")[:2]).rstrip("/")
                            self.assertIn(tree, makefile)
                        else:
                            self.assertTrue(list(SOURCE.glob(name.rstrip("/"))), f"{name} is not in the tree")

    def test_make_targets_exist(self):
        targets = set(re.findall(r"^([a-z][a-z0-9-]*):", (SOURCE / "Makefile").read_text(), re.M))
        for path, text in documents():
            for code in code_of(text):
                for target in MAKE.findall(code):
                    with self.subTest(document=path.name, target=target):
                        self.assertIn(target, targets)

    def test_varrow_commands_and_options_exist(self):
        helps = {}
        for path, text in documents():
            for code in code_of(text):
                for command, rest in VARROW_LINE.findall(code):
                    if command not in helps:
                        run = subprocess.run([VARROW, command, "--help"], capture_output=True, text=True)
                        helps[command] = run.stdout if run.returncode == 0 else None
                    with self.subTest(document=path.name, command=command):
                        self.assertIsNotNone(helps[command], f"varrow has no command '{command}'")
                        for option in OPTION.findall(rest):
                            self.assertIn(option, helps[command], f"varrow {command} has no {option}")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
