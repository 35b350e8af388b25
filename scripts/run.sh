#!/bin/sh
# Installs what is needed, builds and starts Vitalog.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2 --target vitalog
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found. Start Vitalog in a virtual X server with:"
    echo "    xvfb-run -a build/vitalog"
    echo "or without any window system with:"
    echo "    QT_QPA_PLATFORM=offscreen build/vitalog"
    exit 1
fi
exec build/vitalog "$@"
