#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
"""qt-attributions.py SOURCE BUILD PREFIX

Records, beside a freshly built Qt in PREFIX, what the third-party notices
of a program linked against it need, once the source and build trees are
gone: Qt's own attribution records (qt_attribution.json, read by Debian's
qtattributionsscanner) with their licence texts, and for every object of
every installed static library the attributed files it was compiled from,
as the compiler's dependency files (-MD) name them, and for a compiled
resource (qrc_NAME.cpp) the files that its NAME.qrc embeds. Writes
PREFIX/attributions.json.
"""
import hashlib
import html
import json
import os
import re
import subprocess
import sys

SCANNER = "/usr/lib/x86_64-linux-gnu/qt5/bin/qtattributionsscanner"


def components(source):
    scanned = subprocess.run([SCANNER, "--output-format", "json", "--silent", os.path.join(source, "src")],
                             check=True, capture_output=True, text=True).stdout
    found = []
    for entry in json.loads(scanned):
        license_file = entry.get("LicenseFile", "")
        found.append({
            "Id": entry["Id"],
            "Name": entry["Name"],
            "Version": entry.get("Version", ""),
            "LicenseId": entry.get("LicenseId", ""),
            "License": entry.get("License", ""),
            "Copyright": entry.get("Copyright", ""),
            "Homepage": entry.get("Homepage", ""),
            "Path": os.path.relpath(entry["Path"], source),
            "Files": entry.get("Files", "").replace(",", " ").split(),
            "LicenseText": open(license_file, encoding="utf-8", errors="replace").read()
            if os.path.isfile(license_file) else "",
        })
    return sorted(found, key=lambda component: component["Id"])


def archive_members(path):
    """(name, bytes) of each member of a GNU ar archive."""
    data = open(path, "rb").read()
    assert data.startswith(b"!<arch>\n"), path
    offset, long_names = 8, b""
    while offset + 60 <= len(data):
        header = data[offset:offset + 60]
        name = header[:16].decode().strip()
        size = int(header[48:58].decode())
        body = data[offset + 60:offset + 60 + size]
        offset += 60 + size + (size & 1)
        if name == "//":
            long_names = body
        elif name.startswith("/") and name[1:].isdigit():
            start = int(name[1:])
            yield long_names[start:long_names.index(b"/\n", start)].decode(), body
        elif name not in ("/", "/SYM64/"):
            yield name.rstrip("/"), body


def dependencies(dependency_file):
    text = open(dependency_file).read().replace("\\\n", " ")
    return text.split(":", 1)[1].split() if ":" in text else []


def resolved(dependency, folder, build):
    """A relative name is the compiler's, from the folder of the Makefile: one above the object's."""
    if os.path.isabs(dependency):
        return dependency
    while folder.startswith(build):
        path = os.path.normpath(os.path.join(folder, dependency))
        if os.path.exists(path):
            return path
        folder = os.path.dirname(folder)
    return dependency


def resource_files(source, build):
    """NAME.qrc, from the source or the build tree, to the files it embeds."""
    embedded = {}
    for tree in (source, build):
        for folder, _, files in os.walk(tree):
            for name in files:
                if name.endswith(".qrc"):
                    text = open(os.path.join(folder, name), encoding="utf-8", errors="replace").read()
                    embedded.setdefault(name, []).extend(
                        os.path.join(folder, html.unescape(entry)) for entry in re.findall(r"<file[^>]*>([^<]+)</file>", text))
    return embedded


def objects(source, build, prefix, attributed):
    resources = resource_files(source, build)
    by_digest = {}
    for folder, _, files in os.walk(build):
        for name in files:
            if not name.endswith(".o") or not os.path.exists(os.path.join(folder, name[:-2] + ".d")):
                continue
            found = set()
            inputs = [resolved(dependency, folder, build) for dependency in dependencies(os.path.join(folder, name[:-2] + ".d"))]
            for path in list(inputs):
                stem = os.path.basename(path)
                if stem.startswith("qrc_") and stem.endswith(".cpp"):
                    inputs += resources.get(stem[4:-4] + ".qrc", [])
            for path in inputs:
                relative = os.path.relpath(os.path.normpath(path), source)
                if any(relative == root or relative.startswith(root + "/") for root in attributed):
                    found.add(relative)
            digest = hashlib.sha256(open(os.path.join(folder, name), "rb").read()).hexdigest()
            by_digest[digest] = sorted(found)
    compiled = {}
    for folder, _, files in os.walk(prefix):
        for name in sorted(files):
            if name.endswith(".a"):
                for member, body in archive_members(os.path.join(folder, name)):
                    sources = by_digest.get(hashlib.sha256(body).hexdigest())
                    if sources:
                        compiled[f"{name}({member})"] = sources
    return dict(sorted(compiled.items()))


def main():
    source, build, prefix = (os.path.realpath(argument) for argument in sys.argv[1:4])
    found = components(source)
    record = {
        "components": found,
        "objects": objects(source, build, prefix, {component["Path"] for component in found}),
    }
    if not record["objects"]:
        sys.exit("qt-attributions.py: no installed object matched a compiled one")
    with open(os.path.join(prefix, "attributions.json"), "w") as out:
        json.dump(record, out, indent=1, sort_keys=True)
        out.write("\n")


if __name__ == "__main__":
    main()
