#!/bin/sh
# Installs the Debian 12 packages that building, testing and running need.
set -eu
packages="cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
 qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev xvfb xauth fonts-dejavu-core fonts-liberation"
if [ "$(id -u)" = 0 ]; then sudo=""; else sudo="sudo"; fi
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y $missing
