#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
"""Checks README.md and docs/*.md against the tree: every relative link
leads to a file (and heading) that exists, every file of the source that a
doc names exists, and every INI example is a file of examples/, which the
test suite reads. With --package DIR, the folder that the Windows ZIP is
packed from, also what docs/shipping.md says of the package: the files
its table lists are those in DIR, and launcher.exe's size. Prints what is
wrong and exits 1, or exits 0."""
import argparse
import fnmatch
import glob
import os
import re
import sys

parser = argparse.ArgumentParser()
parser.add_argument("--package")
package = parser.parse_args().package
if package:
    package = os.path.abspath(package)

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
os.chdir(root)
# Names below these folders are the source's; others (build/, a clone) are not.
source_folders = {name for name in os.listdir(".") if os.path.isdir(name) and not name.startswith((".", "build"))}
examples = {open(path, encoding="utf-8").read() for path in glob.glob("examples/*.ini")}


def anchors(path):
    """GitHub's heading anchors of a Markdown file."""
    found = set()
    for heading in re.findall(r"^#+ (.+)$", open(path, encoding="utf-8").read(), re.MULTILINE):
        slug = re.sub(r"[^\w\- ]", "", heading.strip().lower()).replace(" ", "-")
        found.add(slug)
    return found


problems = []
for doc in ["README.md"] + sorted(glob.glob("docs/*.md")):
    text = open(doc, encoding="utf-8").read()
    for target in re.findall(r"\]\(([^)\s]+)\)", text):
        if re.match(r"[a-z]+:", target):
            continue
        path, _, anchor = target.partition("#")
        path = os.path.normpath(os.path.join(os.path.dirname(doc), path)) if path else doc
        if not os.path.exists(path):
            problems.append(f"{doc}: link to {target}: no {path}")
        elif anchor and anchor not in anchors(path):
            problems.append(f"{doc}: link to {target}: no heading #{anchor} in {path}")
    for name in re.findall(r"[\w.<>*-]+(?:/[\w.<>*-]+)+/?", text):
        # A name with a placeholder, such as launcher_<lang>.ts, stands for many.
        if name.split("/")[0] in source_folders and not re.search(r"[<>*]", name) and not os.path.exists(name):
            problems.append(f"{doc}: names {name}, which does not exist")
    for block in re.findall(r"^```ini\n(.*?)^```$", text, re.MULTILINE | re.DOTALL):
        if block not in examples:
            problems.append(f"{doc}: an INI example that is no file of examples/:\n{block}")

if package:
    shipping = open("docs/shipping.md", encoding="utf-8").read()
    section = shipping.split("## The package", 1)[1].split("\n## ", 1)[0]
    listed = {name.replace("<lang>", "*") for row in re.findall(r"^\| (`.*?) \|", section, re.MULTILINE)
              for name in re.findall(r"`([^`]+)`", row)}
    shipped = set(os.listdir(package))
    problems += [f"docs/shipping.md lists {name}, which the package lacks"
                 for name in sorted(listed) if not fnmatch.filter(shipped, name)]
    problems += [f"docs/shipping.md does not list {name}, which the package holds"
                 for name in sorted(shipped) if not any(fnmatch.fnmatch(name, pattern) for pattern in listed)]
    megabytes = round(os.path.getsize(os.path.join(package, "launcher.exe")) / 1e6)
    if f"about {megabytes} MB" not in section:
        problems.append(f"docs/shipping.md: launcher.exe is about {megabytes} MB now")

for problem in problems:
    print(problem)
sys.exit(1 if problems else 0)
