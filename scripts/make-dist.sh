#!/usr/bin/env bash
# Lays out dist/: the Windows programs, stripped, a first settings file written by the real
# writer from a fresh record, and what an administrator downloads: the zip and the installer
# of this version (built by the win64 tree's `packages` target).
set -euo pipefail
cd "$(dirname "$0")/.."

bin=build/win64/bin
shipped=(Kivel2.exe KivPx.dll setting.exe kiv2cfg.exe make_settings_file.exe)

rm -rf dist
mkdir -p dist
for file in "${shipped[@]}"; do
    x86_64-w64-mingw32-strip -o "dist/$file" "$bin/$file"
done
build/native/bin/make_settings_file dist/kiv2.bin >/dev/null

cmake --build --preset win64 --target packages >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win64/CMakeCache.txt)
for package in "Kivel2-$version-win64.zip" "Kivel2-$version-win64-setup.exe"; do
    cp "build/win64/packages/$package" dist/
done

echo "dist/:"
ls -l dist | tail -n +2
