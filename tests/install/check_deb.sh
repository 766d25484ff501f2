#!/usr/bin/env bash
# check_deb.sh BUILD_DIR SAMPLE_SHED_DATA
# Makes the Debian package from the build (cpack), runs lintian over it (no errors),
# checks its control fields and contents, installs it into a scratch root with dpkg
# --root and runs the installed programs there: each user's program folder is their
# own $XDG_DATA_HOME/corvelle, the host's --build writes shed.ifc, and the host started
# through /usr/bin resolves "*\" to the user's folder.
set -euo pipefail
build=$1 sample=$2
scratch=$(mktemp -d)
host=""
trap '[ -n "$host" ] && kill "$host" 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
. "$(dirname "$0")/installed_host.sh"

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/pkg" >/dev/null || fail "cpack failed"
deb=$(ls "$scratch"/pkg/corvelle_*_amd64.deb)
lintian --fail-on error "$deb" >"$scratch/lintian" 2>&1 ||
    { cat "$scratch/lintian"; fail "lintian reports errors"; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = corvelle ] || fail "Package is $(field Package)"
[ "$(field Architecture)" = amd64 ] || fail "Architecture is $(field Architecture)"
[ "$(basename "$deb")" = "corvelle_$(field Version)_amd64.deb" ] || fail "$(basename "$deb") is not named by its version"
# Computed dependencies: the Qt libraries the programs link, with versions.
for lib in libqt6core6 libqt6widgets6 libqt6dbus6 libc6; do
    field Depends | grep -Eq "(^|, )$lib \(>= " || fail "Depends lacks $lib: $(field Depends)"
done

# The listing's sixth field on is the path (with " -> target" for a link); paths hold blanks.
dpkg-deb -c "$deb" | sed -E 's/^([^ ]+ +){5}//; s|^\./|/|' >"$scratch/contents"
has() { grep -Fxq -- "$1" "$scratch/contents" || fail "the package lacks $1"; }
for program in corvelle corvelle-host; do
    has "/usr/lib/corvelle/$program"
    has "/usr/bin/$program -> ../lib/corvelle/$program"
    has "/usr/share/man/man1/$program.1.gz"
done
has /usr/lib/corvelle/per-user-folder
has /usr/lib/corvelle/plugins/libcorvelle-view3d.so
has "/usr/lib/corvelle/Program Data/prices.csv"
has /usr/share/doc/corvelle/copyright
for app in org.corvelle.corvelle org.corvelle.host; do
    has "/usr/share/applications/$app.desktop"
    has "/usr/share/icons/hicolor/scalable/apps/$app.svg"
    has "/usr/share/metainfo/$app.metainfo.xml"
done
! grep -q '^/usr/lib/corvelle/test\|/usr/include' "$scratch/contents" || fail "the package holds build or test files"

root="$scratch/root"
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info"
touch "$root/var/lib/dpkg/status"
# Every dependency is a package, installed on this machine that runs the programs (the
# scratch root has none).
for dependency in $(field Depends | sed -E 's/\([^)]*\)//g; s/\|/,/g; s/[ ,]+/ /g'); do
    dpkg-query -W -f='${Status}' "$dependency" 2>/dev/null | grep -q "ok installed" ||
        fail "the dependency $dependency is not an installed package"
done
dpkg --root="$root" --force-depends --log=/dev/null -i "$deb" >"$scratch/dpkg.log" 2>&1 ||
    { cat "$scratch/dpkg.log"; fail "dpkg cannot install the package"; }
dpkg --root="$root" -s corvelle | grep -q '^Status: install ok installed' || fail "dpkg does not list it as installed"
# Every option corvelle-host takes is documented on its man page. The page is read once:
# grep -q leaving a pipe early would fail the pipeline under pipefail, now and then.
page=$(zcat "$root/usr/share/man/man1/corvelle-host.1.gz")
plain=$(sed 's/\\-/-/g' <<<"$page")
for option in $(QT_QPA_PLATFORM=offscreen "$root/usr/bin/corvelle-host" --help | grep -oE '^ +(-[a-z], )?--[a-z-]+' | grep -oE -- '--[a-z-]+'); do
    grep -q -- "^\.B[IR]* *\\\\-\\\\-${option#--}" <<<"$page" ||
        grep -q -- "^\.B[IR]* .*$option" <<<"$plain" ||
        fail "corvelle-host.1 does not document $option"
done

# The installed programs write into the user's folder, never beside themselves.
export XDG_DATA_HOME="$scratch/home/.local/share"
mkdir -p "$XDG_DATA_HOME"
user="$XDG_DATA_HOME/corvelle"
"$root/usr/bin/corvelle-host" --build "$sample" --out "$scratch/out" >/dev/null || fail "the installed host cannot --build"
[ -s "$scratch/out/shed.ifc" ] || fail "--build wrote no shed.ifc"
[ -f "$user/Program Data/prices.csv" ] || fail "the user's folder did not get the price table"
[ -f "$user/Program Data/2D Sheds/Shed_107.KQ" ] || fail "the user's folder did not get the style drawings"
[ ! -e "$root/usr/lib/corvelle/Program Data/ShedData.txt" ] || fail "something wrote into the installed folder"

check_installed_host "$user" "$root/usr/bin/corvelle-host"
echo "$(basename "$deb"): lintian clean of errors, fields and contents as expected, installs with dpkg --root;" \
     "the installed programs keep their files in \$XDG_DATA_HOME/corvelle"
