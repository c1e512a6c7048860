#!/usr/bin/env bash
# Lays out dist/: the Windows programs, stripped, and a first settings file written by the
# real writer from a fresh record.
set -euo pipefail
cd "$(dirname "$0")/.."

bin=build/win64/bin
shipped=(Kivel2.exe KivPx.dll setting.exe make_settings_file.exe)

rm -rf dist
mkdir -p dist
for file in "${shipped[@]}"; do
    x86_64-w64-mingw32-strip -o "dist/$file" "$bin/$file"
done
build/native/bin/make_settings_file dist/kiv2.bin >/dev/null

echo "dist/:"
ls -l dist | tail -n +2
