#!/usr/bin/python3
# Reads the running game through AT-SPI as a screen reader does, and checks what it would say.
#   atspi_reader.py [--secret WORD]... [--expect ROLE=NAME]... [--value NAME=CURRENT/MAX] [--dump]
#   atspi_reader.py --listen SECONDS [--secret WORD]... [--heard TEXT]...
# ROLE=NAME: an object of that role whose name starts with NAME, showing on screen. --secret: no name,
# description, text or value of any object contains WORD (case ignored). --listen: follows the changes of
# names, descriptions and values for SECONDS, as a screen reader does; each TEXT must start the name or the
# description of a changed object. Exit status 1 on any failure.
import argparse
import sys
import time

import pyatspi


def properties(acc):
    said = [acc.name or "", acc.description or ""]
    try:
        text = acc.queryText()
        said.append(text.getText(0, -1) or "")
    except NotImplementedError:
        pass
    try:
        value = acc.queryValue()
        said.append("%g/%g" % (value.currentValue, value.maximumValue))
    except NotImplementedError:
        pass
    return said


def walk(acc, depth=0):
    if acc is None or depth > 40:
        return
    yield acc
    for i in range(acc.childCount):
        yield from walk(acc.getChildAtIndex(i), depth + 1)


def find_game():
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == "Brumvelda" and app.childCount > 0:
                return app
        time.sleep(0.1)
    return None


def listen(seconds, heard, secrets):
    from gi.repository import GLib

    said = []

    def changed(event):
        source = event.source
        said.append("%s: %s | %s" % (event.type, source.name or "", source.description or ""))

    kinds = ["object:property-change:accessible-name", "object:property-change:accessible-description",
             "object:property-change:accessible-value"]
    pyatspi.Registry.registerEventListener(changed, *kinds)
    GLib.timeout_add(int(seconds * 1000), pyatspi.Registry.stop)
    print("listening", flush=True)
    pyatspi.Registry.start()
    failures = []
    for text in heard:
        if not any(" " + text in s.split(":", 2)[-1].replace("|", " ") for s in said):
            failures.append("no change was heard saying %r" % text)
    for secret in secrets:
        failures += ["a change says the secret %r: %s" % (secret, s) for s in said if secret.lower() in s.lower()]
    for failure in failures:
        print("FAIL:", failure)
    if failures:
        print("\n".join(said))
    return 1 if failures else 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--secret", action="append", default=[])
    parser.add_argument("--expect", action="append", default=[])
    parser.add_argument("--value", action="append", default=[])
    parser.add_argument("--dump", action="store_true")
    parser.add_argument("--listen", type=float)
    parser.add_argument("--heard", action="append", default=[])
    args = parser.parse_args()
    if args.listen:
        return listen(args.listen, args.heard, args.secret)

    app = find_game()
    if app is None:
        print("the game is not in the accessibility tree")
        return 1
    objects = []
    for acc in walk(app):
        showing = acc.getState().contains(pyatspi.STATE_SHOWING)
        objects.append((acc, acc.getRoleName(), showing, properties(acc)))
    if args.dump:
        for _, role, showing, said in objects:
            print("%s%s\t%s" % (role, "" if showing else " (hidden)", "\t".join(said)))

    failures = []
    for secret in args.secret:
        for _, role, _, said in objects:
            if any(secret.lower() in s.lower() for s in said):
                failures.append("%s says the secret %r: %r" % (role, secret, said))
    for expectation in args.expect:
        role, name = expectation.split("=", 1)
        if not any(r == role and shown and s[0].startswith(name) for _, r, shown, s in objects):
            failures.append("no %s named %r on screen" % (role, name))
    for expectation in args.value:
        name, figures = expectation.split("=", 1)
        if not any(s[0].startswith(name) and figures in s for _, _, _, s in objects):
            failures.append("no object %r with the value %s" % (name, figures))
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
