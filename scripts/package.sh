#!/usr/bin/env bash
# Builds the release program and writes what a Windows user downloads into
# dist/: the portable zip, the installer and their SHA-256 sums.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-release"
dist="$root/dist"

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DPANOREL_BUILD_TESTS=OFF

# The version the program's VERSIONINFO carries, which names the files.
version=$(sed -n 's/^#define PANOREL_VERSION_TEXT "\(.*\)"$/\1/p' "$root/res/Product.h")
files=("Panorel-$version-portable.zip" "Panorel-$version-setup.exe")

mkdir -p "$dist"
rm -f "$dist"/Panorel-* "$dist/SHA256SUMS"
for file in "${files[@]}"; do cp "$build/$file" "$dist/"; done
(cd "$dist" && sha256sum "${files[@]}" >SHA256SUMS)
echo "package: wrote $dist:"
(cd "$dist" && ls -l "${files[@]}" SHA256SUMS)
