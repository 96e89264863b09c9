#!/usr/bin/env bash
# Installs the Debian packages the game and its tests need (only when some
# are missing) and builds the game and the tests into build/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  build-essential cmake ninja-build lld pkg-config git
  libsdl2-dev libgl1-mesa-dev libgl1-mesa-dri mesa-utils
  libopenal-dev libvorbis-dev libogg-dev
  libjpeg-dev libpng-dev zlib1g-dev libfreetype-dev fonts-dejavu-core
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-apps imagemagick
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
# A new build folder is made for Ninja; one made before keeps its generator.
generator=()
[ -f "$top/build/CMakeCache.txt" ] || generator=(-G Ninja)
# Line tables and function names are all a crash report needs; fuller debug
# information would only make the build slower.
cmake -S "$top" -B "$top/build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
  -DQV_TESTS=ON >/dev/null
cmake --build "$top/build" -j"$jobs"
