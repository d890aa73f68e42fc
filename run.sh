#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Arguments are
# passed on to it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup
cmake --preset default >/dev/null
cmake --build --preset default
exec build/default/app/ovra "$@"
