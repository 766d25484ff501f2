#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need, when missing.
set -euo pipefail

packages=(cmake g++ make ccache qt6-base-dev qt6-svg-dev libqt6svg6 libgl-dev dbus dbus-bin dbus-daemon
          xvfb xauth x11-utils libxcb1-dev pkg-config fonts-dejavu-core fonts-urw-base35
          qt6-declarative-dev qt6-quick3d-dev qt6-quick3d-dev-tools qt6-shadertools-dev qml6-module-quick3d
          qml6-module-quick3d-helpers qml6-module-qtquick qml6-module-qtquick-window
          qml6-module-qtqml-workerscript libgl1-mesa-dri mesa-utils
          libtinygltf-dev nlohmann-json3-dev libstb-dev poppler-utils clang libclang-rt-14-dev valgrind
          appstream desktop-file-utils libifcplusplus-dev libboost-dev dpkg-dev lintian file
          libdxflib-dev python3-ezdxf)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
((${#missing[@]})) || exit 0
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    # Without root, only a sudo that works for this user can install; anything else
    # gets the one line a root user would need, rather than sudo's own complaint.
    if ! command -v sudo >/dev/null || ! sudo -v 2>/dev/null; then
        echo "Corvelle needs these Debian packages, which only root can install:" \
             "${missing[*]}; as root, run: apt-get install --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
