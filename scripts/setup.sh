#!/usr/bin/env bash
# Installs what the build, the tests and the program need, from Debian's packages. Idempotent:
# when everything is there it only checks and returns.
set -euo pipefail

packages=(
    cmake make g++ googletest libbenchmark-dev clang clang-format clang-tidy cppcheck
    libclang-rt-14-dev
    g++-mingw-w64-x86-64-posix mingw-w64
    wine wine64 xvfb x11-utils imagemagick fonts-wqy-microhei
    zip unzip wixl msitools osslsigncode openssl python3 libreoffice-calc-nogui
    cups cups-client printer-driver-cups-pdf poppler-utils libxml2-utils rapidjson-dev
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
