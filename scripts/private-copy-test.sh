#!/usr/bin/env bash
# The native acceptance tests once more from a copy of the tree in a folder that only its owner
# may enter (as a clone under /root or in `mktemp -d` is), below a name with a space and a Czech
# letter: no test may depend on where the build lives. Prints the tests' summary last; exits
# non-zero when the copy does not build or a test fails.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
private=$(mktemp -d) || exit 1  # mode 0700
trap 'rm -rf "$private"' EXIT
copy="$private/Můj klon/kvimeter"
mkdir -p "$copy"
tar --exclude=./build --exclude=./dist --exclude=./demo --exclude=./.git -cf - . |
    tar -xf - -C "$copy" || exit 1
cd "$copy" || exit 1
{ cmake --preset linux >/dev/null &&
    cmake --build --preset linux -j "$(nproc)" --target kvimeter-cli kv_acceptance_tests; } ||
    { echo "private copy: build failed"; exit 1; }
build/linux/tests/acceptance/kv_acceptance_tests --gtest_brief=1
status=$?
echo "private copy in $copy: acceptance tests exit $status"
exit $status
