#!/bin/sh
# Installs what is needed, builds and starts Vitalog. The arguments go to the program
# (./scripts/run.sh --data-dir DIR); without a display the program says how to start it.
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" -j2 --target vitalog
exec "$root/build/vitalog" "$@"
