#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need.
# Runs as root; does nothing when everything is already there.
set -euo pipefail
packages=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  libicu-dev libsqlite3-dev qt6-base-dev fonts-liberation xvfb)
# PostgreSQL: libpq for the engine, the server for the tests' throwaway one
# (scripts/pg-server.sh), which runs as the package's "postgres" user.
packages+=(libpq-dev postgresql)
# The real-window tests: keys and clicks (xdotool), keys for characters the
# keyboard lacks (xmodmap), screen captures (xwd) and their conversion to PNG
# (ImageMagick).
packages+=(xdotool x11-apps x11-xserver-utils imagemagick)
# The accessibility test: a session bus, the AT-SPI bus and registry, and the
# Python AT-SPI client it reads the demo with.
packages+=(dbus at-spi2-core python3-pyatspi)
# Fonts for text beyond the Latin, Greek and Cyrillic ones the Liberation
# fonts hold: Chinese, Japanese and Korean, emoji, Devanagari and Thai (the
# DejaVu fonts, which come with the font system, hold Hebrew and Arabic);
# and the sqlite3 tool, with which a test reads back what the demo stored.
packages+=(fonts-dejavu-core fonts-wqy-microhei fonts-noto-color-emoji fonts-lohit-deva
  fonts-tlwg-garuda sqlite3)
# The locale sources: the locale tests compile de_DE, fr_FR, ru_RU, en_US and
# ps_AF into a folder of their own with localedef; the demo's --locale system
# is shown under de_DE.UTF-8, generated below.
packages+=(locales)
# The fuzz step of scripts/test.sh: clang with libFuzzer and the sanitizers.
packages+=(clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
for l in de_DE fr_FR ru_RU; do
  locale -a 2>/dev/null | grep -qx "$l.utf8" || localedef -i "$l" -f UTF-8 "$l.UTF-8"
done
