#!/usr/bin/env bash
# Builds the release packages of the suite from the checkout, into dist/:
#   halvimed-tools-VERSION-win64.zip     every program and the toolbox (stripped), and the Chinese
#                                        user guide
#   halvimed-tools-VERSION-x64.msi       a per-machine installer (wixl) with a Start-menu folder and
#                                        the toolbox on the desktop
#   halvimed-tools-VERSION-symbols.zip   the programs' debug information, NAME.exe.debug each
#   SHA256SUMS                           checksums of the three (sha256sum -c)
# The version is CMake's project version; times in the packages are the last commit's
# (SOURCE_DATE_EPOCH), so that the programs and the zips are the same bytes in every build.
# PACKAGE_VERSION and PACKAGE_DIST build another version into another folder.
#
# Signing: with HALVIMED_SIGN_CERT and HALVIMED_SIGN_KEY naming a PEM certificate and its PEM
# private key, every program is signed before it is packed, and then the installer, with
# osslsigncode; HALVIMED_SIGN_TIMESTAMP adds a time stamp from that server's address.
#
#   scripts/package.sh --check-reproducible   builds the packages twice in different folders (this
#                                              checkout, when it is clean, and a clone of HEAD, or
#                                              two clones) and compares them
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)
scripts/setup.sh

if [ "${1:-}" = "--check-reproducible" ]; then
    work=$(mktemp -d "${TMPDIR:-/tmp}/reproducible.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    sums=()
    # Two builds in different folders: this checkout's own, when it holds exactly the last commit
    # (its build is then mostly done already), and a clone elsewhere; or two clones.
    second="$work/second/at/another/path"
    builds=("$work/first" "$second")
    clean=false
    [ -z "$(git status --porcelain --untracked-files=normal 2>/dev/null)" ] && clean=true
    for out in "${builds[@]}"; do
        if [ "$out" = "$work/first" ] && $clean; then
            mkdir -p "$out"
            HALVIMED_SIGN_CERT="" PACKAGE_DIST="$out/dist" scripts/package.sh >/dev/null
        else
            git clone -q "$root" "$out"
            (cd "$out" && HALVIMED_SIGN_CERT="" scripts/package.sh >/dev/null)
            WINEPREFIX="$out/build/windows/wineprefix" wineserver -k 2>/dev/null || true
        fi
        mkdir -p "$out/unpacked" && unzip -q "$out"/dist/*-win64.zip -d "$out/unpacked"
        sums+=("$(cd "$out/dist" && sha256sum ./*-win64.zip ./*-symbols.zip)
$(cd "$out/unpacked" && sha256sum ./*.exe)")
        msi=$(ls "$out"/dist/*-x64.msi)
        mkdir -p "$out/msi-parts"
        # Exporting a table with binary columns writes their streams into the current folder.
        for table in $(msiinfo tables "$msi"); do
            (cd "$out/msi-parts" && msiinfo export "$msi" "$table" >"table-$table" 2>/dev/null) ||
                true
        done
        for stream in $(msiinfo streams "$msi"); do
            msiinfo extract "$msi" "$stream" >"$out/msi-parts/stream-$stream" 2>/dev/null || true
        done
        msiinfo suminfo "$msi" >"$out/msi-summary.txt" 2>/dev/null || true
    done
    # The installers differ by design in their package code; say what else differs, if anything.
    echo "installer differences between the builds (the package code must differ):"
    summary=$(diff "$work/first/msi-summary.txt" "$second/msi-summary.txt" |
        grep '^[<>]' || true)
    echo "${summary:-  no summary difference}"
    diff -rq "$work/first/msi-parts" "$second/msi-parts" || true
    echo "first build:"
    echo "${sums[0]}"
    echo "second build:"
    echo "${sums[1]}"
    echo "  (tables and streams: none listed above means all identical)"
    if [ "${sums[0]}" != "${sums[1]}" ]; then
        echo "reproducibility check FAILED: the two builds differ"
        exit 1
    fi
    echo "reproducible: the programs and the zips are identical"
    exit 0
fi

version=$(sed -n 's/^project([a-z_]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no project version in CMakeLists.txt"; exit 1; }
version="${PACKAGE_VERSION:-$version}"
dist=$(realpath -m "${PACKAGE_DIST:-dist}")
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}"
commit=$(git rev-parse HEAD 2>/dev/null || echo unknown)

scripts/configure-windows.sh
mapfile -t programs < <(cut -f1 build/windows/tool_programs.txt)
cmake --build build/windows -j"$jobs" --target "${programs[@]}" toolbox_program msi_update >/dev/null
programs+=(toolbox)

stage="build/package-$version"
rm -rf "$stage" && mkdir -p "$stage/programs" "$stage/symbols" "$dist"
objcopy=x86_64-w64-mingw32-objcopy
for program in "${programs[@]}"; do
    # The debug information to the symbols archive, linked from the stripped program.
    $objcopy --only-keep-debug "build/windows/$program.exe" "$stage/symbols/$program.exe.debug"
    (cd "$stage/symbols" && $objcopy --strip-all --add-gnu-debuglink="$program.exe.debug" \
        "$root/build/windows/$program.exe" "$root/$stage/programs/$program.exe")
done

sign=false
if [ -n "${HALVIMED_SIGN_CERT:-}" ] && [ -n "${HALVIMED_SIGN_KEY:-}" ]; then
    sign=true
else
    echo "not signing: set HALVIMED_SIGN_CERT and HALVIMED_SIGN_KEY to sign the programs"
fi
sign_file() { # file
    local stamp=()
    [ -n "${HALVIMED_SIGN_TIMESTAMP:-}" ] && stamp=(-ts "$HALVIMED_SIGN_TIMESTAMP")
    osslsigncode sign -certs "$HALVIMED_SIGN_CERT" -key "$HALVIMED_SIGN_KEY" \
        -n "HalviMed 护理工具箱" -i "http://www.halvimed.example" "${stamp[@]}" \
        -in "$1" -out "$1.signed" >/dev/null
    mv "$1.signed" "$1"
}
if $sign; then
    for program in "${programs[@]}"; do sign_file "$stage/programs/$program.exe"; done
fi

# The guide for Windows: UTF-8 with byte-order mark and CR LF line ends.
{
    printf '\xEF\xBB\xBF'
    sed 's/$/\r/' packaging/user-guide.txt
} >"$stage/programs/使用说明.txt"

# The administrative templates of Group Policy, for IT's central store.
policy_files=(policy/halvimed.admx policy/zh-CN/halvimed.adml policy/en-US/halvimed.adml)
rm -rf "$stage/programs/policy"
mkdir -p "$stage/programs/policy/zh-CN" "$stage/programs/policy/en-US"
for file in "${policy_files[@]}"; do cp "packaging/$file" "$stage/programs/$file"; done
touch -d "@$SOURCE_DATE_EPOCH" "$stage/programs/policy" "$stage/programs/policy/zh-CN" \
    "$stage/programs/policy/en-US"

# Zips with fixed times, modes and order, in UTC.
pack() { # zip file, folder, names...
    local zip_file="$1" folder="$2"
    shift 2
    rm -f "$zip_file"
    (cd "$folder" && chmod 644 "$@" && touch -d "@$SOURCE_DATE_EPOCH" "$@" &&
        printf '%s\n' "$@" | LC_ALL=C sort | TZ=UTC zip -q -X -D "$zip_file" -@)
}
zip_file="$dist/halvimed-tools-$version-win64.zip"
symbols_file="$dist/halvimed-tools-$version-symbols.zip"
pack "$zip_file" "$stage/programs" "${programs[@]/%/.exe}" 使用说明.txt "${policy_files[@]}"
pack "$symbols_file" "$stage/symbols" "${programs[@]/%/.exe.debug}"

# wixl takes sources by relative, ASCII names; the Chinese names and the other texts it cannot
# store are written afterwards through the MSI API, under Wine.
msi_file="$dist/halvimed-tools-$version-x64.msi"
rm -f "$msi_file"
msi_stage="$stage/installer"
mkdir -p "$msi_stage"
cp "$stage/programs/"*.exe "$msi_stage/"
cp "$stage/programs/使用说明.txt" "$msi_stage/guide.txt"
cp app/halvimed.ico "$msi_stage/"
rm -rf "$msi_stage/policy"
cp -r "$stage/programs/policy" "$msi_stage/policy"
touch -d "@$SOURCE_DATE_EPOCH" "$msi_stage"/* "$msi_stage"/policy/*
python3 packaging/installer_source.py build/windows/tool_programs.txt "$version" "$commit" \
    "$SOURCE_DATE_EPOCH" "$msi_stage/tools.wxs" "$msi_stage/installer-texts.sql"
(cd "$msi_stage" && LC_ALL=C.UTF-8 wixl --arch x64 -o tools.msi tools.wxs)
(cd "$msi_stage" && "$root/scripts/wine-run.sh" --prefix "$root/build/windows/wineprefix" \
    "$root/build/windows/msi_update.exe" tools.msi installer-texts.sql)
$sign && sign_file "$msi_stage/tools.msi"
cp "$msi_stage/tools.msi" "$msi_file"

(cd "$dist" && sha256sum "$(basename "$zip_file")" "$(basename "$msi_file")" \
    "$(basename "$symbols_file")" >SHA256SUMS)
echo "packages: ${zip_file#"$root"/} ${msi_file#"$root"/} ${symbols_file#"$root"/} and SHA256SUMS"
