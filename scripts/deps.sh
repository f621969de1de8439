# Shared by ./test and ./run: installs the Debian packages the project needs,
# nothing when they are already present.
VEMO_PACKAGES=(
  g++ cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libzip-dev libpugixml-dev fonts-noto-cjk locales
  qt6-translations-l10n libx11-dev
)

install_deps() {
  local missing=()
  local p
  for p in "${VEMO_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
