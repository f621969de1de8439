# Shared by ./test and ./run: installs the Debian packages the project needs,
# nothing when they are already present. `install_deps test` adds the packages only the tests use.
VEMO_PACKAGES=(
  g++ cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libzip-dev libpugixml-dev fonts-noto-cjk fonts-liberation2 locales
  qt6-translations-l10n libx11-dev
)

# LibreOffice reads the saved report workbooks back, as a reader independent of the report engine;
# pdftotext reads back the text of the PDF files the program writes.
VEMO_TEST_PACKAGES=(
  libreoffice-calc-nogui poppler-utils
)

install_deps() {
  local wanted=("${VEMO_PACKAGES[@]}")
  [ "${1:-}" = test ] && wanted+=("${VEMO_TEST_PACKAGES[@]}")
  local missing=()
  local p
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
