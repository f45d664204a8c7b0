#!/usr/bin/python3
"""Holds the manual page and the bash completion of slanter-cli to its usage texts: the
same verbs, and for each verb the same options. Exits 1 and names each difference.

    check_manual.py SLANTER_CLI MANUAL_PAGE COMPLETION
"""
import re
import subprocess
import sys

OPTION = re.compile(r"--[a-z][a-z-]*")


def usage(cli, *words):
    text = subprocess.run([cli, *words, "--help"], capture_output=True, text=True,
                          check=True).stdout
    # The examples at the end use the verbs' options; they are not the text's own.
    return text.split("\nExamples:\n")[0]


def verbs_of(top_usage):
    return re.findall(r"^  ([a-z]+) ", top_usage, re.M)


def options(text):
    # --help is every verb's, and named once in the manual's OPTIONS.
    return set(OPTION.findall(text)) - {"--help"}


def manual_parts(manual):
    """The manual's text by part: each COMMANDS subsection by its verb, and the OPTIONS
    section as the program's own ("")."""
    text = manual.replace("\\-", "-")
    parts = {}
    for block in re.split(r"^(?=\.S[SH] )", text, flags=re.M):
        heading = block.split("\n", 1)[0]
        verb = re.match(r'\.SS "slanter-cli ([a-z]+)', heading)
        if verb:
            parts[verb.group(1)] = block
        elif heading == ".SH OPTIONS":
            parts[""] = block
    return parts


def completion_parts(completion):
    parts = {m.group(1): m.group(2) for m in
             re.finditer(r"^\s+([a-z]+)\) options='([^']*)'", completion, re.M)}
    first = re.search(r"compgen -W '([^']*)'", completion)
    parts[""] = first.group(1) if first else ""
    return parts


def main(cli, manual_page, completion_file):
    top = usage(cli)
    verbs = verbs_of(top)
    wanted = {"": options(top)} | {verb: options(usage(cli, verb)) for verb in verbs}
    faults = []
    with open(manual_page, encoding="utf-8") as source:
        manual = manual_parts(source.read())
    with open(completion_file, encoding="utf-8") as source:
        completion = completion_parts(source.read())
    for where, parts in (("manual page", manual), ("bash completion", completion)):
        if set(parts) != set(wanted):
            faults.append("%s: verbs %s, usage: %s" % (where, sorted(set(parts) - {""}), verbs))
        for verb, expected in wanted.items():
            found = options(parts.get(verb, ""))
            name = verb or "slanter-cli"
            for missing in sorted(expected - found):
                faults.append("%s: %s lacks %s" % (where, name, missing))
            for extra in sorted(found - expected):
                faults.append("%s: %s has %s, which its usage lacks" % (where, name, extra))
    # The completion also offers the verbs themselves.
    if set(completion[""].split()) - {"--help", "--version"} != set(verbs):
        faults.append("bash completion: offers the verbs %s, usage: %s" % (completion[""], verbs))
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
