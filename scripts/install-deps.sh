#!/bin/sh
# Installs the Debian 12 packages that building, testing and running need, and the
# de_DE.UTF-8 locale that the number tests run under (numbers must keep their decimal point
# under a comma locale). The print tests read the PDF files they print with poppler-utils.
# Does nothing that is already done.
set -eu
packages="cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
 qt6-base-dev qt6-base-dev-tools qt6-charts-dev libgl1-mesa-dev xvfb xauth fonts-dejavu-core
 fonts-liberation qt6-image-formats-plugins locales poppler-utils
 libcups2-dev cups-daemon cups-client cups-filters ghostscript libarchive-dev"
if [ "$(id -u)" = 0 ]; then sudo=""; else sudo="sudo"; fi
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    $sudo apt-get update
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y $missing
fi

if ! locale -a 2>/dev/null | grep -qiE '^de_DE\.utf-?8$'; then
    if grep -qE '^# *de_DE\.UTF-8 UTF-8' /etc/locale.gen; then
        $sudo sed -i -E 's/^# *(de_DE\.UTF-8 UTF-8)/\1/' /etc/locale.gen
    elif ! grep -qE '^de_DE\.UTF-8 UTF-8' /etc/locale.gen; then
        echo "de_DE.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    fi
    $sudo locale-gen
fi
