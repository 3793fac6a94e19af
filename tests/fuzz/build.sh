#!/usr/bin/env bash
# Builds the import fuzz target natively with clang's libFuzzer and sanitizers, and
# runs it when asked:  bash tests/fuzz/build.sh [seconds]
# Not part of scripts/test.sh; the seeds are replayed there by a unit test instead.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=build/fuzz
# clang with its libFuzzer runtime; not in install-deps.sh because the test run never needs it.
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  apt-get install -y -q clang libclang-rt-dev
fi
mkdir -p "$out/corpus"
mapfile -t sources < <(find src -name '*.cpp' -not -path '*/win32/*' -not -path 'src/ui/*' | sort)
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -Isrc -Itests -Itests/fakes "${sources[@]}" tests/fakes/FakeRegistry.cpp tests/fakes/FakeLetterCase.cpp tests/fakes/FakeFiles.cpp tests/fuzz/ImportFuzz.cpp \
  -o "$out/import_fuzz"
echo "built $out/import_fuzz"
if [ "${1:-}" != "" ]; then
  "$out/import_fuzz" -max_total_time="$1" -max_len=4096 -dict=tests/fuzz/tvf.dict \
    -artifact_prefix="$out/" "$out/corpus" tests/fuzz/seeds
fi
