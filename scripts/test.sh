#!/usr/bin/env bash
# Installs, builds, starts a private MariaDB on its own port, runs every test
# and stops the server whatever the outcome.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build=${VUD_BUILD_DIR:-$root/build}
state=$root/.local/test-db
port=${VUD_TEST_DB_PORT:-33761}
trap '"$root/scripts/db-server.sh" stop "$state"' EXIT
# Tests create and drop a database of their own each, so the user needs more than `vud`.
VUD_DB_GRANTS='*.*' "$root/scripts/db-server.sh" start "$state" "$port"
eval "$("$root/scripts/db-server.sh" env "$state")"
export VUD_DB_PORT VUD_DB_PASSWORD
export QT_QPA_PLATFORM=offscreen QTEST_FUNCTION_TIMEOUT=120000
cd "$build"
ctest --output-on-failure -j2 --timeout 600
