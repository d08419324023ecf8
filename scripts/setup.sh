#!/usr/bin/env bash
# Installs every Debian package the project needs. Quick when everything is present already.
set -euo pipefail

packages=(
  zlib1g-dev libpng-dev libglfw3 libglfw3-dev libglew-dev libenet-dev rapidjson-dev libfmt-dev
  libminizip-dev libxxhash-dev libdeflate-dev xvfb xauth libgl1-mesa-dri libglx-mesa0 libgl-dev libopenal-dev
  libsndfile1-dev pkg-config ccache cmake g++ ninja-build libgtest-dev libgmock-dev libbenchmark-dev xdotool
  libfreetype-dev fonts-dejavu-core xdg-utils libxrandr-dev libxrender-dev libasound2-dev
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
