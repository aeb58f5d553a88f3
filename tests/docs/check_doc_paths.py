#!/usr/bin/env python3
"""Checks that the documents name only things that exist.

Reads README.md, CONTRIBUTING.md and docs/*.md and reports every
repository path (src/..., scripts/..., docs/..., data/..., and the other
top folders), every relative link or picture, and every `kestrel-cli
COMMAND` in code that does not exist. A path with * (or a <placeholder>)
must match at least one file. The commands are those `kestrel-cli --help`
lists; without the program given, the commands are not checked.
Prints every problem as FILE:LINE and exits 1 if there is one.

    check_doc_paths.py [ROOT [KESTREL_CLI]]
"""
import pathlib
import re
import subprocess
import sys

TOP_FOLDERS = ("src", "scripts", "docs", "data", "packaging", "tests", "tools", "bench", "fuzz", "cmake")
# A path starts at a word boundary (not inside another path or a URL) with
# a top folder, and runs over the characters paths use here.
PATH = re.compile(r"(?<![\w./\\-])((?:%s)/[\w.*<>+-][\w.*<>+/-]*)" % "|".join(TOP_FOLDERS))
# The core's headers are often named from src/ ("core/base/path_text.h").
CORE_PATH = re.compile(r"(?<![\w./\\-])(core/[\w.*-][\w.*/-]*\.(?:h|cpp))")
LINK = re.compile(r"\]\(([^)\s]+)\)")
CODE_SPAN = re.compile(r"`([^`]+)`")
COMMAND = re.compile(r"\bkestrel-cli\s+([a-z][a-z-]*)")


def documents(root):
    names = [root / "README.md", root / "CONTRIBUTING.md"]
    names += sorted((root / "docs").glob("*.md"))
    return [name for name in names if name.is_file()]


def exists(root, path):
    path = path.rstrip(".,:;")
    pattern = re.sub(r"<[^>]*>", "*", path)
    if "*" in pattern:
        return any(root.glob(pattern.rstrip("/")))
    return (root / pattern).exists()


def cli_commands(cli):
    out = subprocess.run([cli, "--help"], capture_output=True, text=True, check=False).stdout
    listing = out.split("Commands:", 1)[-1]
    return {m.group(1) for m in re.finditer(r"^\s{2}([a-z][a-z-]*)\s", listing, re.M)}


def code_texts(text):
    """Yields (line number, text) of every fenced line, without its shell
    comment, and of every code span."""
    fenced = False
    for number, line in enumerate(text.splitlines(), 1):
        if line.lstrip().startswith("```"):
            fenced = not fenced
            continue
        if fenced:
            yield number, re.sub(r"\s#\s.*", "", line)
        else:
            for span in CODE_SPAN.findall(line):
                yield number, span


def problems(root, commands):
    for document in documents(root):
        text = document.read_text(encoding="utf-8")
        name = document.relative_to(root)
        for number, line in enumerate(text.splitlines(), 1):
            for path in PATH.findall(line):
                if not exists(root, path):
                    yield "%s:%d: no such path: %s" % (name, number, path)
            for path in CORE_PATH.findall(line):
                if not exists(root / "src", path):
                    yield "%s:%d: no such source: src/%s" % (name, number, path)
            for target in LINK.findall(line):
                if re.match(r"[a-z]+:|#", target):
                    continue
                if not exists(document.parent, target.split("#", 1)[0]):
                    yield "%s:%d: broken link: %s" % (name, number, target)
        if commands is None:
            continue
        for number, code in code_texts(text):
            for command in COMMAND.findall(code):
                if command not in commands:
                    yield "%s:%d: kestrel-cli has no command %s" % (name, number, command)


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parents[2])
    commands = cli_commands(sys.argv[2]) if len(sys.argv) > 2 else None
    if commands is not None and not commands:
        print("kestrel-cli --help listed no commands")
        return 1
    found = list(problems(root, commands))
    for problem in found:
        print(problem)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
