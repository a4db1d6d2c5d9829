#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Builds a static Qt 5 for x86_64 Windows from Debian's own qtbase source
# package with the MinGW-w64 posix-thread compilers, once per machine, and
# prints the install prefix on its last line. Later runs find the cache.
#
# The cache lives outside the clone, keyed by the Debian source version
# (the same as the host Qt's, so host tools like lrelease match), the
# toolchain's package versions and the whole recipe: this script, the
# local patches and the attribution recorder.
# The build is reproducible: the same key gives the same libraries for any
# user in any folder, so the launcher built on them is the same too. Beside
# the libraries it records what the third-party notices need.
set -euo pipefail
cd "$(dirname "$0")/.."
project=$PWD

log() { printf '[qt-windows %s] %s\n' "$(date +%H:%M:%S)" "$*" >&2; }

version=$(dpkg-query -W -f='${Version}' libqt5core5a)
flags=(
    -xplatform win32-g++ -static -static-runtime -release -optimize-size
    -opensource -confirm-license -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu
    -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz
    -no-gif -no-ico -no-libjpeg -no-libmd4c
    # FreeType serves only -platform windows:fontengine=freetype.
    -no-freetype
    -no-feature-sql -no-feature-network -no-feature-printer -no-feature-concurrent
    -no-feature-xml
    # Debian's source lacks the wintab header that tablet support includes.
    -no-feature-tabletevent
    # Nothing of a dialog with two radio buttons and a file picker. Kept on
    # purpose: cssparser and texthtmlparser (the message text is styled
    # markup), the windows and windowsvista styles (the native look), item
    # views, filesystemmodel, completer and combobox (Qt's own file dialog),
    # inputdialog and mainwindow (the Vista style uses them unguarded) and
    # accessibility (screen readers read the dialog).
    -no-feature-big_codecs -no-feature-topleveldomain -no-feature-sha3-fast
    -no-feature-jalalicalendar -no-feature-islamiccivilcalendar
    -no-feature-statemachine -no-feature-mimetype-database
    -no-feature-textodfwriter -no-feature-textmarkdownwriter
    -no-feature-movie -no-feature-picture
    -no-feature-style-fusion -no-feature-style-stylesheet
    -no-feature-graphicsview -no-feature-mdiarea -no-feature-calendarwidget
    -no-feature-datetimeedit -no-feature-colordialog -no-feature-fontdialog
    -no-feature-errormessage -no-feature-wizard
)
# The prefix that QtCore records; the files themselves go to the cache.
install_prefix=/opt/qt5-static
patches=(scripts/qt-patches/*.patch)
toolchain=$(dpkg-query -W -f='${Package} ${Version}\n' g++-mingw-w64-x86-64-posix \
    binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev qtattributionsscanner-qt5)
# Any change to how Qt is built or recorded, flags and build info
# included, builds it anew.
recorder=scripts/qt-attributions.py
key=$(printf '%s\n' "$version" "$toolchain" \
      | cat - scripts/build-qt-windows.sh "${patches[@]}" "$recorder" | sha256sum | cut -c1-16)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/rarudor-launcher/qt-windows
prefix=$cache/qt-$version-$key

if [ -f "$prefix/.complete" ]; then
    log "cached: $prefix"
    echo "$prefix"
    exit 0
fi

started=$SECONDS
work=$cache/work-$key
rm -rf "$work" "$prefix"
mkdir -p "$work/apt/lists/partial" "$work/apt/parts" "$work/toolchain"

# The source comes from the mirrors the machine's own apt uses, named in a
# private configuration so that the machine's own is never touched: each
# "deb" entry of its sources, as "deb-src".
for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$list" ] && sed -n 's/^[[:space:]]*deb\([[:space:]]\)/deb-src\1/p' "$list"
done > "$work/apt/sources.list"
for sources in /etc/apt/sources.list.d/*.sources; do
    [ -f "$sources" ] || continue
    # deb822 stanzas: keep those whose Types has deb and that are not disabled.
    awk 'BEGIN { RS = ""; FS = "\n" }
         { binary = 0; disabled = 0
           for (i = 1; i <= NF; i++) {
               if ($i ~ /^Types:.*[[:space:]]deb([[:space:]]|$)/) binary = 1
               if ($i ~ /^Enabled:[[:space:]]*no/) disabled = 1
               if ($i ~ /^Types:/) $i = "Types: deb-src"
           }
           if (binary && !disabled) { for (i = 1; i <= NF; i++) print $i; print "" } }' "$sources"
done > "$work/apt/parts/machine.sources"
apt_options=(
    -o Dir::Etc::SourceList="$work/apt/sources.list"
    -o Dir::Etc::SourceParts="$work/apt/parts"
    -o Dir::State::Lists="$work/apt/lists"
    -o APT::Sandbox::User=root
)
log "fetching the source of qtbase-opensource-src $version"
# A third-party entry without sources fails the update; Debian's may still serve.
apt-get "${apt_options[@]}" update -qq >&2 || log "some sources could not be read; going on"
(cd "$work" && apt-get "${apt_options[@]}" source -qq "qtbase-opensource-src=$version" >&2)
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qtbase-opensource-src-*' | head -n1)
dsc_sha256=$(sha256sum "$work"/qtbase-opensource-src_*.dsc | cut -d' ' -f1)
for patch in "${patches[@]}"; do
    patch -d "$source_dir" -p1 --quiet < "$patch"
done
# Qt's own resources record file times, and patches touch files: one time
# for the whole build, that of the Debian upload.
SOURCE_DATE_EPOCH=$(cd "$source_dir" && dpkg-parsechangelog -STimestamp)
export SOURCE_DATE_EPOCH

# Qt takes a path prefix for its cross tools: a folder of links named like
# the default MinGW tools, pointing the compilers at their posix variants.
for tool in gcc g++; do
    ln -s "$(command -v "x86_64-w64-mingw32-$tool-posix")" "$work/toolchain/x86_64-w64-mingw32-$tool"
done
for tool in ar ranlib strip windres objcopy nm ld as dlltool; do
    ln -s "$(command -v "x86_64-w64-mingw32-$tool")" "$work/toolchain/x86_64-w64-mingw32-$tool"
done

# File names kept by assert() in Qt's bundled code name no folder of this
# machine. -MD writes beside each object the files it was compiled from,
# which the attribution record reads; it changes no object.
compile_flags=()
for variable in QMAKE_CFLAGS QMAKE_CXXFLAGS; do
    compile_flags+=("$variable+=-ffile-prefix-map=$source_dir=/usr/src/qtbase"
                    "$variable+=-ffile-prefix-map=$work/build=/usr/src/qtbase-build"
                    "$variable+=-MD")
done

mkdir "$work/build"
cd "$work/build"
log "configuring (about 3 minutes)"
"$source_dir/configure" "${flags[@]}" -prefix "$install_prefix" -extprefix "$prefix" \
    -device-option CROSS_COMPILE="$work/toolchain/x86_64-w64-mingw32-" "${compile_flags[@]}" \
    > "$work/configure.log" 2>&1 || { tail -n 40 "$work/configure.log" >&2; exit 1; }

log "building (about 15 minutes on 2 cores); full log: $work/build.log"
make -j"$(nproc)" > "$work/build.log" 2>&1 &
build=$!
while kill -0 "$build" 2>/dev/null; do
    sleep 60 &
    wait $! || true
    kill -0 "$build" 2>/dev/null || break
    log "$(( (SECONDS - started) / 60 )) min, $(grep -c -- ' -c ' "$work/build.log" || true) files compiled"
done
wait "$build" || { tail -n 40 "$work/build.log" >&2; exit 1; }

log "installing"
make install > "$work/install.log" 2>&1 || { tail -n 40 "$work/install.log" >&2; exit 1; }
log "recording the third-party components of each object"
python3 "$project/$recorder" "$source_dir" "$work/build" "$prefix"
cd /
rm -rf "$work"
# What a verifier needs to rebuild this Qt; the launcher's build info quotes it.
{
    echo "Qt source: qtbase-opensource-src $version (.dsc SHA-256 $dsc_sha256)"
    echo "Qt SOURCE_DATE_EPOCH: $SOURCE_DATE_EPOCH"
    echo "Qt configure flags: ${flags[*]} -prefix $install_prefix"
    echo "Qt patches: ${patches[*]##*/}"
} > "$prefix/buildinfo.txt"
touch "$prefix/.complete"
log "done in $(( (SECONDS - started) / 60 )) min: $prefix"
echo "$prefix"
