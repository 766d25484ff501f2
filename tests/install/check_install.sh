#!/usr/bin/env bash
# check_install.sh CMAKE BUILD_DIR BINDIR PROGRAMDIR
# Installs the build into a scratch DESTDIR and checks that the installed programs
# share one program folder with its "Program Data", that the links in bin/ lead to
# them, and that the installed host, started through its link, resolves "*\" to
# that folder: it loads a style drawing and runs the 2D macro from there.
set -euo pipefail
cmake=$1 build=$2 bindir=$3 programdir=$4
scratch=$(mktemp -d)
host=""
trap '[ -n "$host" ] && kill "$host" 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
. "$(dirname "$0")/installed_host.sh"

prefix=/opt/corvelle
DESTDIR="$scratch" "$cmake" --install "$build" --prefix "$prefix" >/dev/null
root="$scratch$prefix"
folder="$root/$programdir"
data="$folder/Program Data"

for program in corvelle corvelle-host; do
    [ -L "$root/$bindir/$program" ] || fail "$bindir/$program is not a link"
    [ "$(readlink -f "$root/$bindir/$program")" = "$(readlink -f "$folder/$program")" ] ||
        fail "$bindir/$program does not lead to $programdir/$program"
    [ -x "$folder/$program" ] || fail "$programdir/$program is not executable"
done
for file in "Q&V_1_Start.mrq" 2dsheds.mrq prices.csv; do
    [ -f "$data/$file" ] || fail "Program Data/$file is missing"
done
[ -f "$folder/plugins/libcorvelle-view3d.so" ] || fail "the 3D view's plugin is not beside the programs"
# An empty or relative search path entry makes the loader look in the working folder.
for binary in "$build/bin/corvelle" "$build/bin/corvelle-host" "$build/bin/plugins/libcorvelle-view3d.so" \
              "$folder/corvelle" "$folder/corvelle-host" "$folder/plugins/libcorvelle-view3d.so"; do
    paths=$(readelf -d "$binary" | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]$/\2/p')
    [ -z "$paths" ] && continue
    IFS=: read -r -a entries <<<"$paths:"
    for entry in "${entries[@]}"; do
        case "$entry" in /* | '$ORIGIN'*) ;; *) fail "$binary searches the working folder for libraries ($paths)" ;; esac
    done
done
styles=$(find "$data/2D Sheds" -name 'Shed_1*.KQ' | wc -l)
[ "$styles" -eq 19 ] || fail "Program Data/2D Sheds holds $styles style drawings, not 19"
for app in org.corvelle.corvelle org.corvelle.host; do
    [ -f "$root/share/applications/$app.desktop" ] || fail "$app.desktop is missing"
    [ -f "$root/share/icons/hicolor/scalable/apps/$app.svg" ] || fail "$app.svg is missing"
    [ -f "$root/share/metainfo/$app.metainfo.xml" ] || fail "$app.metainfo.xml is missing"
done

check_installed_host "$folder" "$root/$bindir/corvelle-host" --journal "$scratch/journal"
echo "installed layout under $prefix: programs, Program Data, desktop files; the host resolves its folder"
