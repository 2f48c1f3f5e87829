# Shared by scripts/run, scripts/test and scripts/screenshot: install what is
# missing, then configure and build one preset. Sourced, not run.
set -euo pipefail

ZELKOR_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
ZELKOR_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev qt6-qpa-plugins libgl-dev
  libgtest-dev fonts-dejavu-core librsvg2-bin qt6-translations-l10n libcsv-dev poppler-utils
  libxlsxwriter-dev libminizip-dev zlib1g-dev python3-markdown
)

zelkor_need_packages() {
  local missing=() p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  ((${#missing[@]} == 0)) && return 0
  local sudo=()
  if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "Missing packages (${missing[*]}) and not root: install them or run as root." >&2; exit 1; }
    sudo=(sudo)
  fi
  echo "Installing: ${missing[*]}" >&2
  # apt-get update only when something is missing, so a ready machine stays quick.
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

zelkor_build() {
  local preset="$1"
  zelkor_need_packages "${ZELKOR_PACKAGES[@]}"
  cd "$ZELKOR_ROOT"
  if [[ ! -f "build/$preset/build.ninja" ]]; then
    cmake --preset "$preset" >&2
  fi
  cmake --build --preset "$preset" >&2
}
