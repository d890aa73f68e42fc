#!/usr/bin/env bash
# Installs what is missing, builds, runs every test, then every test
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize
