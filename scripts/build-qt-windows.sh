#!/usr/bin/env bash
# Builds a static Qt 5 for x86_64 Windows from Debian's own qtbase source
# package with the MinGW-w64 posix-thread compilers, once per machine, and
# prints the install prefix on its last line. Later runs find the cache.
#
# The cache lives outside the clone, keyed by the Debian source version
# (the same as the host Qt's, so host tools like lrelease match) and by a
# hash of the configure flags and the cross compiler's version.
set -euo pipefail
cd "$(dirname "$0")/.."

log() { printf '[qt-windows %s] %s\n' "$(date +%H:%M:%S)" "$*" >&2; }

version=$(dpkg-query -W -f='${Version}' libqt5core5a)
flags=(
    -xplatform win32-g++ -static -static-runtime -release -opensource -confirm-license
    -nomake examples -nomake tests -no-opengl -no-dbus -no-icu
    -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-freetype -qt-harfbuzz
    -no-feature-sql -no-feature-network -no-feature-printer -no-feature-concurrent
    -no-feature-xml
    # Debian's source lacks the wintab header that tablet support includes.
    -no-feature-tabletevent
)
compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
key=$(printf '%s\n' "$version" "$compiler" "${flags[@]}" | sha256sum | cut -c1-16)
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

# A private sources list, so the machine's own apt configuration is never touched.
cat > "$work/apt/sources.list" <<EOF
deb-src http://deb.debian.org/debian bookworm main
deb-src http://deb.debian.org/debian-security bookworm-security main
EOF
apt_options=(
    -o Dir::Etc::SourceList="$work/apt/sources.list"
    -o Dir::Etc::SourceParts="$work/apt/parts"
    -o Dir::State::Lists="$work/apt/lists"
    -o APT::Sandbox::User=root
)
log "fetching the source of qtbase-opensource-src $version"
apt-get "${apt_options[@]}" update -qq >&2
(cd "$work" && apt-get "${apt_options[@]}" source -qq "qtbase-opensource-src=$version" >&2)
source_dir=$(find "$work" -maxdepth 1 -type d -name 'qtbase-opensource-src-*' | head -n1)

# Qt takes a path prefix for its cross tools: a folder of links named like
# the default MinGW tools, pointing the compilers at their posix variants.
for tool in gcc g++; do
    ln -s "$(command -v "x86_64-w64-mingw32-$tool-posix")" "$work/toolchain/x86_64-w64-mingw32-$tool"
done
for tool in ar ranlib strip windres objcopy nm ld as dlltool; do
    ln -s "$(command -v "x86_64-w64-mingw32-$tool")" "$work/toolchain/x86_64-w64-mingw32-$tool"
done

mkdir "$work/build"
cd "$work/build"
log "configuring (about 3 minutes)"
"$source_dir/configure" "${flags[@]}" -prefix "$prefix" \
    -device-option CROSS_COMPILE="$work/toolchain/x86_64-w64-mingw32-" > "$work/configure.log" 2>&1 \
    || { tail -n 40 "$work/configure.log" >&2; exit 1; }

log "building (about 40 minutes on 2 cores); full log: $work/build.log"
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
cd /
rm -rf "$work"
echo "$version $compiler" > "$prefix/.complete"
log "done in $(( (SECONDS - started) / 60 )) min: $prefix"
echo "$prefix"
