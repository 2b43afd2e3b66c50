#!/usr/bin/env python3
"""Fails when a source file includes a layer above its own, or when a Qt-free layer includes Qt.

Layers, from the bottom:
  platform    platform/                 what the game needs from the operating system, one implementation
                                        per platform (POSIX and ICU, Windows); no Qt
  storage     storage/                  the files, the table, the settings; plain C++ over platform/
  rules       game/, editor/, players/  the sources of each folder's brumvelda_*_rules library (read from its
                                        CMakeLists.txt) and every header they include; no Qt
  ui          ui/                       our thin layer over Qt
  windows     game/, editor/, players/  the folder's other files: its dialogs and their widgets
  main        app/                      the main window and its handlers, which show the other folders' windows
  tools       tools/                    the table tool; no Qt
Tests and benchmarks may include anything.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
FOLDERS = ["platform", "storage", "game", "editor", "players", "ui", "app", "tools"]

# Which layers each layer may include: the one place the allowed directions are written.
ALLOWED = {
    "platform": {"platform"},
    "storage": {"platform", "storage"},
    "game-rules": {"platform", "storage", "game-rules"},
    "editor-rules": {"platform", "storage", "game-rules", "editor-rules"},
    "players-rules": {"platform", "storage", "game-rules", "players-rules"},
    "ui": {"platform", "storage", "ui"},
    "game-windows": {"platform", "storage", "game-rules", "editor-rules", "players-rules", "ui",
                     "game-windows"},
    "editor-windows": {"platform", "storage", "game-rules", "editor-rules", "players-rules", "ui",
                       "editor-windows"},
    "players-windows": {"platform", "storage", "game-rules", "editor-rules", "players-rules", "ui",
                        "players-windows"},
    "main": {"platform", "storage", "game-rules", "editor-rules", "players-rules", "ui", "game-windows",
             "editor-windows", "players-windows", "main"},
    "tools": {"platform", "storage", "game-rules", "editor-rules", "tools"},
}
QT_FREE = {"platform", "storage", "game-rules", "editor-rules", "players-rules", "tools"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)
QT_HEADER = re.compile(r"^(Q[A-Za-z0-9]+|Qt[A-Za-z]+/.*|q[a-z0-9_]+\.h)$")


def includes(path):
    """(kind, name) of every #include in the file: kind '"' for ours, '<' for system and Qt headers."""
    return INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace"))


def sources():
    for folder in FOLDERS:
        for path in sorted((ROOT / folder).rglob("*")):
            if path.suffix in (".cpp", ".h"):
                yield path.relative_to(ROOT).as_posix()


def rule_files():
    """The rules libraries' sources, then every file of ours they include, transitively."""
    found = set()
    for folder in ("game", "editor", "players"):
        cmake = (ROOT / folder / "CMakeLists.txt").read_text()
        for library in re.finditer(r"add_library\(\s*brumvelda_\w+_rules\b([^)]*)\)", cmake):
            for name in library.group(1).split():
                if name.endswith(".cpp"):
                    found.add(f"{folder}/{name}")
    pending = list(found)
    while pending:
        for kind, name in includes(ROOT / pending.pop()):
            if kind == '"' and name.split("/")[0] in ("game", "editor", "players") and name not in found:
                if (ROOT / name).exists():
                    found.add(name)
                    pending.append(name)
    return found


def layer_of(path, rules):
    folder = path.split("/")[0]
    if folder in ("platform", "storage", "ui", "tools"):
        return folder
    if folder == "app":
        return "main"
    return f"{folder}-rules" if path in rules else f"{folder}-windows"


def main():
    rules = rule_files()
    problems = []
    for path in sources():
        layer = layer_of(path, rules)
        for kind, name in includes(ROOT / path):
            if kind == "<":
                if layer in QT_FREE and QT_HEADER.match(name):
                    problems.append(f"{path} ({layer}) includes Qt: <{name}>")
                continue
            if name.split("/")[0] not in FOLDERS:
                continue  # generated or test-only headers
            target = layer_of(name, rules)
            if target not in ALLOWED[layer]:
                problems.append(f"{path} ({layer}) includes {name} ({target})")
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        print(f"{len(problems)} include(s) against the layering; see the table in {__file__}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
