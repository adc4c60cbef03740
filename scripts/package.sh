#!/usr/bin/env bash
# Builds the release packages of the suite from the checkout:
#   dist/halvimed-tools-VERSION-win64.zip   the twelve programs and the Chinese user guide
#   dist/halvimed-tools-VERSION-x64.msi     a per-machine installer (wixl) with a Start-menu folder
# The version is CMake's project version. PACKAGE_VERSION and PACKAGE_DIST build another version
# into another folder (the upgrade test uses them).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)

scripts/setup.sh
version=$(sed -n 's/^project([a-z_]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no project version in CMakeLists.txt"; exit 1; }
version="${PACKAGE_VERSION:-$version}"
dist=$(realpath -m "${PACKAGE_DIST:-dist}")

cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j"$jobs" >/dev/null
mapfile -t programs < <(cut -f1 build/windows/tool_programs.txt)

stage="build/package-$version"
rm -rf "$stage" && mkdir -p "$stage" "$dist"
for program in "${programs[@]}"; do cp "build/windows/$program.exe" "$stage/"; done
# The guide for Windows: UTF-8 with byte-order mark and CR LF line ends.
{
    printf '\xEF\xBB\xBF'
    sed 's/$/\r/' packaging/user-guide.txt
} >"$stage/使用说明.txt"

zip_file="$dist/halvimed-tools-$version-win64.zip"
rm -f "$zip_file"
(cd "$stage" && zip -q -X "$zip_file" "${programs[@]/%/.exe}" 使用说明.txt)

# wixl takes sources by relative, ASCII names; the Chinese names and the other texts it cannot
# store are written afterwards through the MSI API, under Wine.
msi_file="$dist/halvimed-tools-$version-x64.msi"
rm -f "$msi_file"
cp "$stage/使用说明.txt" "$stage/guide.txt"
cp app/halvimed.ico "$stage/"
python3 packaging/installer_source.py build/windows/tool_programs.txt "$version" \
    "$stage/tools.wxs" "$stage/installer-texts.sql"
(cd "$stage" && LC_ALL=C.UTF-8 wixl --arch x64 -o tools.msi tools.wxs)
(cd "$stage" && "$root/scripts/wine-run.sh" --prefix "$root/build/windows/wineprefix" \
    "$root/build/windows/msi_update.exe" tools.msi installer-texts.sql)
cp "$stage/tools.msi" "$msi_file"

echo "packages: ${zip_file#"$root"/} ${msi_file#"$root"/}"
