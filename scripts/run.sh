#!/usr/bin/env bash
# Installs, builds, starts a private MariaDB with the demo championship and
# starts the station against it, with discovery kept on loopback.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build=${VUD_BUILD_DIR:-$root/build}
state=$root/.local/demo-db
home=${VUD_HOME:-$root/.local/station}
port=${VUD_DEMO_DB_PORT:-33760}
"$root/scripts/db-server.sh" start "$state" "$port"
eval "$("$root/scripts/db-server.sh" env "$state")"
export VUD_DB_PORT VUD_DB_PASSWORD
"$build/vud-dbsetup" --demo "$root/data/demo.sql"

mkdir -p "$home"
# Sibling programs read the database host from bd.ini; the station keeps it up to date.
[ -f "$home/bd.ini" ] || printf 'servidorOFF127.0.0.1\n3.8\n' >"$home/bd.ini"
export VUD_HOME=$home
export VUD_DISCOVERY_ADDRESS=${VUD_DISCOVERY_ADDRESS:-127.0.0.1}
export VUD_DISCOVERY_PORT=${VUD_DISCOVERY_PORT:-3334}
export VUD_DISCOVERY_TIMEOUT_MS=${VUD_DISCOVERY_TIMEOUT_MS:-1500}
echo "Station folder: $home (database on 127.0.0.1:$VUD_DB_PORT; stop it with scripts/db-server.sh stop $state)"

# The controller simulator stands in for the timing controller: its
# pseudo-terminal, reached through a fixed link, joins the station's port list.
sim_link=$root/.local/controlador
sim_out=$root/.local/controller-sim.out
sim_log=$root/.local/controller-sim.log
"$build/vud-controller-sim" --link "$sim_link" --log "$sim_log" >"$sim_out" 2>&1 &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  grep -q '^ready ' "$sim_out" && break
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.1
done
if ! grep -q '^ready ' "$sim_out"; then
  echo "The controller simulator did not start:" >&2
  cat "$sim_out" >&2
  exit 1
fi
export VUD_SERIAL_PORTS="$sim_link${VUD_SERIAL_PORTS:+:$VUD_SERIAL_PORTS}"
echo "Controller simulator: choose $sim_link in the port list (commands it receives: $sim_log)"
"$build/vud" "$@"
