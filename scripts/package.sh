#!/usr/bin/env bash
# Builds the Debian package build/corvelle_VERSION_amd64.deb (cpack -G DEB) and runs
# lintian over it. Arguments go to the configure step, as with scripts/build.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh "$@"
(cd build && cpack -G DEB >/dev/null)
deb=$(ls -t build/corvelle_*_amd64.deb | head -1)
echo "$deb"
lintian --fail-on error "$deb"
