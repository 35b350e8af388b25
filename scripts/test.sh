#!/bin/sh
# Installs what is needed, builds from scratch into build/ and runs every test.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
cd build && ctest --output-on-failure -j2
