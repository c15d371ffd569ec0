#!/usr/bin/env bash
# Installs every Debian package the build, the programs and the tests need;
# the one list of them. Packages already installed are skipped.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev            # sanitizers and libFuzzer
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libmuparser-dev                     # the peer parser the formula benchmark compares with
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-translations-l10n               # Qt's own Russian texts (standard dialogs and buttons)
  libjpeg62-turbo-dev
  xvfb xauth                          # a display for the programs where none is running
  poppler-utils                       # pdftotext and pdftoppm read back the printed PDF in the tests
  fonts-dejavu-core fonts-liberation2 fontconfig
  locales                             # a decimal-comma locale for the number-text tests
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Number texts must not follow the locale; the tests check that under ru_RU.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  $SUDO sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
