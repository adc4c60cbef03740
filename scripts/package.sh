#!/usr/bin/env bash
# Builds the release packages from the checkout:
#   dist/braden-VERSION-win64.zip   braden.exe and the Chinese user guide
#   dist/braden-VERSION-x64.msi     a per-machine installer (wixl)
# The version is CMake's project version. BRADEN_PACKAGE_VERSION and BRADEN_PACKAGE_DIST build
# another version into another folder (the upgrade test uses them).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)

scripts/setup.sh
version=$(sed -n 's/^project(braden VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no project version in CMakeLists.txt"; exit 1; }
version="${BRADEN_PACKAGE_VERSION:-$version}"
dist=$(realpath -m "${BRADEN_PACKAGE_DIST:-dist}")

cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j"$jobs" --target braden msi_update >/dev/null

stage="build/package-$version"
rm -rf "$stage" && mkdir -p "$stage" "$dist"
cp build/windows/braden.exe "$stage/braden.exe"
# The guide for Windows: UTF-8 with byte-order mark and CR LF line ends.
{
    printf '\xEF\xBB\xBF'
    sed 's/$/\r/' packaging/user-guide.txt
} >"$stage/使用说明.txt"

zip_file="$dist/braden-$version-win64.zip"
rm -f "$zip_file"
(cd "$stage" && zip -q -X "$zip_file" braden.exe 使用说明.txt)

# wixl takes sources by relative, ASCII names; the guide's Chinese name and the other texts it
# cannot store are written afterwards through the MSI API, under Wine.
msi_file="$dist/braden-$version-x64.msi"
rm -f "$msi_file"
cp "$stage/使用说明.txt" "$stage/guide.txt"
cp app/braden.ico packaging/braden.wxs packaging/installer-texts.sql "$stage/"
(cd "$stage" && LC_ALL=C.UTF-8 wixl --arch x64 -D Version="$version" -D ProgramFile=braden.exe \
    -D GuideFile=guide.txt -D IconFile=braden.ico -o braden.msi braden.wxs)
(cd "$stage" && "$root/scripts/wine-run.sh" --prefix "$root/build/windows/wineprefix" \
    "$root/build/windows/msi_update.exe" braden.msi installer-texts.sql)
cp "$stage/braden.msi" "$msi_file"

echo "packages: ${zip_file#"$root"/} ${msi_file#"$root"/}"
