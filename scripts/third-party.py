#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
"""What of other people's code a statically linked launcher.exe holds.

  third-party.py generate --map MAP --qt QT_PREFIX --exe EXE --version V
                          --commit C --epoch T --notices OUT --bom OUT
  third-party.py check --map MAP --qt QT_PREFIX --notices NOTICES

Both read the linker's map of launcher.exe, which names every library
member that went in. A Qt component is in when a linked member was compiled
from one of its files, as Qt's attribution record says (PREFIX/
attributions.json, written when Qt was built); a toolchain library is in
when a linked file belongs to its Debian package. generate writes the
notices, with each component's licence text, and a CycloneDX 1.5 bill of
materials; check fails when a component that is in has no notice in
NOTICES. --record takes another attribution record than Qt's own.
"""
import argparse
import datetime
import hashlib
import json
import os
import re
import subprocess
import sys
import uuid

# The licences of the toolchain packages whose code is linked in: their
# Debian copyright files hold the notices, but name no SPDX identifier.
TOOLCHAIN_LICENSES = {
    "mingw-w64-x86-64-dev": ("MinGW-w64 runtime and winpthreads", "ZPL-2.1 AND MIT AND BSD-3-Clause"),
    "gcc-mingw-w64-x86-64-posix": ("GCC runtime library (libgcc)", "GPL-3.0-or-later WITH GCC-exception-3.1"),
    "g++-mingw-w64-x86-64-posix": ("GNU C++ library (libstdc++)", "GPL-3.0-or-later WITH GCC-exception-3.1"),
}
# Qt's records that are no valid SPDX expression, and what they mean:
# FreeType's LICENSE.TXT allows the GPL version 2 "or any later version".
SPDX_CORRECTIONS = {"FTL or GPL-2.0": "FTL OR GPL-2.0-or-later", "FTL OR GPL-2.0": "FTL OR GPL-2.0-or-later"}
# Public-domain code has no SPDX identifier; its notice says what it is.
PUBLIC_DOMAIN = "LicenseRef-Public-Domain"
RULE = "-" * 78
# Compiled files: a component's source, never a data file made into one.
CODE = (".c", ".cc", ".cpp", ".h", ".hpp", ".inc")


def linked_files(map_file):
    """The archive members ("libQt5Core.a(qrandom.o)") and the archives and
    objects, by real path, that the linker took."""
    members, paths = set(), set()
    for line in open(map_file, encoding="utf-8", errors="replace"):
        for archive, member in re.findall(r"(\S+?\.a)\(([^)\s]+)\)", line):
            members.add(f"{os.path.basename(archive)}({member})")
            paths.add(os.path.realpath(archive))
        loaded = re.match(r"LOAD (\S+\.o)$", line.strip())
        if loaded:
            paths.add(os.path.realpath(loaded.group(1)))
    return members, paths


def covers(root, source):
    """Whether an attributed file or folder is, or holds, a file compiled in.
    A data file also covers what is made from it under its name, such as
    webgradients.binaryjson from webgradients.css."""
    if source == root or source.startswith(root + "/"):
        return True
    stem, extension = os.path.splitext(root)
    return extension not in CODE and not source.endswith(CODE) and os.path.splitext(source)[0] == stem


def qt_components(record, members):
    """The attributed components compiled into a linked member, sorted by id."""
    sources = set()
    for member in members & record["objects"].keys():
        sources.update(record["objects"][member])
    found = []
    for component in record["components"]:
        roots = [os.path.join(component["Path"], name) for name in component["Files"]] or [component["Path"]]
        if any(covers(root, source) for source in sources for root in roots):
            found.append(component)
    return found


def toolchain_packages(paths):
    """Debian package name to version, for each package that owns a linked file."""
    owners = {}
    for path in sorted(paths):
        result = subprocess.run(["dpkg", "-S", path], capture_output=True, text=True)
        if result.returncode == 0:
            owners[result.stdout.split(":", 1)[0]] = None
    for package in owners:
        owners[package] = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package],
                                         check=True, capture_output=True, text=True).stdout
    unknown = sorted(set(owners) - TOOLCHAIN_LICENSES.keys())
    if unknown:
        sys.exit("third-party.py: no licence known for the linked package(s) " + ", ".join(unknown))
    return dict(sorted(owners.items()))


def qt_source(qt_prefix):
    info = open(os.path.join(qt_prefix, "buildinfo.txt")).read()
    return re.search(r"Qt source: (\S+) (\S+) \(\.dsc SHA-256 ([0-9a-f]{64})\)", info).groups()


def license_expression(component):
    """A Qt component's licence as a valid SPDX expression."""
    if component["License"] == "Public Domain":
        return PUBLIC_DOMAIN
    return SPDX_CORRECTIONS.get(component["LicenseId"], component["LicenseId"])


def notice_of_qt_component(component):
    lines = [RULE, f"{component['Name']} {component['Version']}".rstrip(),
             f"Licence: {license_expression(component)} ({component['License']})"]
    if component["Homepage"]:
        lines.append(f"Homepage: {component['Homepage']}")
    lines += ["", component["Copyright"].strip(), ""]
    if component["LicenseText"]:
        lines += [component["LicenseText"].rstrip(), ""]
    return "\n".join(lines) + "\n"


def copyright_of(package):
    return open(f"/usr/share/doc/{package}/copyright", encoding="utf-8", errors="replace").read().rstrip()


def notice_of_package(package, version):
    name, license_id = TOOLCHAIN_LICENSES[package]
    return "\n".join([RULE, f"{name}, from Debian's {package} {version}", f"Licence: {license_id}",
                      "", copyright_of(package), ""]) + "\n"


def generate(arguments, components, packages):
    qt_package, qt_version, dsc_sha256 = qt_source(arguments.qt)
    qt_upstream = qt_version.split("+")[0]
    notices = [
        "Third-party software in launcher.exe\n"
        "====================================\n\n"
        "launcher.exe is the Rarudor Wallet launcher, under the MIT licence in\n"
        "LICENSE.txt. It holds, linked statically, the code below: Qt, the parts\n"
        "of other projects that Qt bundles, and the runtime libraries of the\n"
        "MinGW-w64 toolchain. Each entry names the component, its version and its\n"
        "licence, and gives the notice that the licence asks to be passed on.\n\n",
        "\n".join([RULE, f"Qt {qt_upstream} (modules Core, Gui and Widgets), from Debian's "
                   f"{qt_package} {qt_version}", "Licence: LGPL-3.0-only", "",
                   "The text of the licence is in LICENSE-Qt-LGPL-3.txt, and that of the GNU GPL",
                   "it builds on in LICENSE-GPL-3.txt. SHIPPING.txt says how to relink.", ""]) + "\n",
    ]
    notices += [notice_of_qt_component(component) for component in components]
    notices += [notice_of_package(package, version) for package, version in packages.items()]
    with open(arguments.notices, "w", encoding="utf-8") as out:
        out.write("".join(notices))

    exe_sha256 = hashlib.sha256(open(arguments.exe, "rb").read()).hexdigest()
    epoch = datetime.datetime.fromtimestamp(int(arguments.epoch or 0), datetime.timezone.utc)

    def library(reference, name, version, license_expression, **more):
        return {"type": "library", "bom-ref": reference, "name": name, "version": version,
                "licenses": [{"expression": license_expression}], **more}

    qt = library("qt", "Qt", qt_upstream, "LGPL-3.0-only", properties=[
        {"name": "debian:source", "value": f"{qt_package} {qt_version}"},
        {"name": "debian:dsc-sha256", "value": dsc_sha256}])
    bundled = [library(f"qt-{component['Id']}", component["Name"], component["Version"] or qt_upstream,
                       license_expression(component)) for component in components]
    toolchain = [library(f"deb-{package}", package, version, TOOLCHAIN_LICENSES[package][1],
                         purl=f"pkg:deb/debian/{package}@{version}", description=TOOLCHAIN_LICENSES[package][0])
                 for package, version in packages.items()]
    bom = {
        "bomFormat": "CycloneDX",
        "specVersion": "1.5",
        # The same build gives the same document.
        "serialNumber": uuid.uuid5(uuid.NAMESPACE_URL, "launcher.exe:" + exe_sha256).urn,
        "version": 1,
        "metadata": {
            "timestamp": epoch.strftime("%Y-%m-%dT%H:%M:%SZ"),
            "component": {
                "type": "application", "bom-ref": "launcher", "name": "Rarudor Wallet launcher",
                "version": arguments.version, "licenses": [{"expression": "MIT"}],
                "hashes": [{"alg": "SHA-256", "content": exe_sha256}],
                "properties": [{"name": "file", "value": "launcher.exe"},
                               {"name": "git:commit", "value": arguments.commit}],
            },
        },
        "components": [qt] + bundled + toolchain,
        "dependencies": [
            {"ref": "launcher", "dependsOn": ["qt"] + [item["bom-ref"] for item in toolchain]},
            {"ref": "qt", "dependsOn": [item["bom-ref"] for item in bundled]},
        ],
    }
    with open(arguments.bom, "w", encoding="utf-8") as out:
        json.dump(bom, out, indent=2, ensure_ascii=False)
        out.write("\n")


def check(arguments, components, packages):
    text = open(arguments.notices, encoding="utf-8").read()
    missing = [component["Id"] for component in components
               if component["Name"] not in text or component["LicenseText"].rstrip() not in text]
    missing += [package for package in packages if copyright_of(package) not in text]
    if missing:
        sys.exit(f"{arguments.notices} lacks the notice of: " + ", ".join(missing))
    print(f"{arguments.notices}: the notices of all {len(components)} Qt components and "
          f"{len(packages)} toolchain packages linked in")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mode", choices=["generate", "check"])
    for option in ("--map", "--qt", "--notices"):
        parser.add_argument(option, required=True)
    for option in ("--record", "--exe", "--version", "--commit", "--epoch", "--bom"):
        parser.add_argument(option)
    arguments = parser.parse_args()
    record = json.load(open(arguments.record or os.path.join(arguments.qt, "attributions.json")))
    members, paths = linked_files(arguments.map)
    components = qt_components(record, members)
    packages = toolchain_packages(paths)
    if arguments.mode == "generate":
        generate(arguments, components, packages)
    else:
        check(arguments, components, packages)


if __name__ == "__main__":
    main()
