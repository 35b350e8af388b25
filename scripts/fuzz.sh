#!/bin/sh
# Runs one fuzz target for a number of seconds: scripts/fuzz.sh TARGET SECONDS
# Targets: record_readers, record_writes, text_encoding. Builds with clang and libFuzzer into
# build-fuzz/. New inputs go to build-fuzz/corpus/TARGET, findings to build-fuzz/findings/;
# a finding, once mended, belongs in fuzz/corpus/TARGET so that the tests keep it fixed.
set -eu
cd "$(dirname "$0")/.."
if [ $# -ne 2 ]; then
    echo "usage: scripts/fuzz.sh TARGET SECONDS" >&2
    exit 2
fi
target=$1
seconds=$2
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y clang libclang-rt-14-dev
fi
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVITALOG_FUZZ=ON \
    -DVITALOG_BUILD_GUI=OFF -DVITALOG_BUILD_TESTS=OFF -DVITALOG_BUILD_BENCHMARKS=OFF \
    -DVITALOG_BUILD_TOOLS=OFF
cmake --build build-fuzz -j2 --target "fuzz_$target"
mkdir -p "build-fuzz/corpus/$target" build-fuzz/findings
# Every input writes record files and syncs them: in memory they cost a fraction.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
exec "build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/findings/ "build-fuzz/corpus/$target" "fuzz/corpus/$target"
