#!/usr/bin/env bash
# A private MariaDB server for the station, its demo and its tests.
#   db-server.sh start DIR PORT   starts a server with its data in DIR (created on first use)
#   db-server.sh stop DIR         stops the server of DIR by its PID
# The database `vud` and the user `vud` (password from DIR/password, made on
# first start) are created; `export-env` prints the settings for the station.
set -euo pipefail
cmd=${1:?start|stop|env}
dir=$(mkdir -p "${2:?data folder}" && cd "$2" && pwd)
data=$dir/data
sock=$dir/mysqld.sock
pidfile=$dir/mysqld.pid

password() {
  if [ ! -s "$dir/password" ]; then
    # 11 characters: letters and digits with one '#', the installation's secret.
    local p
    p=$(tr -dc 'A-Za-z0-9' </dev/urandom | head -c 10)
    printf '%s#%s' "${p:0:5}" "${p:5:5}" >"$dir/password"
    chmod 600 "$dir/password"
  fi
  cat "$dir/password"
}

case "$cmd" in
start)
  port=${3:?port}
  if [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null; then
    echo "MariaDB already running on $(cat "$dir/port")"; exit 0
  fi
  if [ ! -d "$data/mysql" ]; then
    mkdir -p "$data"
    mariadb-install-db --no-defaults --user=root --datadir="$data" --skip-test-db \
      --auth-root-authentication-method=socket >"$dir/install.log" 2>&1
  fi
  echo "$port" >"$dir/port"
  mariadbd --no-defaults --user=root --datadir="$data" --port="$port" --bind-address=127.0.0.1 \
    --socket="$sock" --pid-file="$pidfile" --log-error="$dir/error.log" \
    --lower-case-table-names=1 --character-set-server=utf8mb4 \
    --collation-server=utf8mb4_general_ci --skip-name-resolve >/dev/null 2>&1 &
  for _ in $(seq 1 120); do
    mariadb-admin --no-defaults --socket="$sock" -uroot ping >/dev/null 2>&1 && break
    sleep 0.25
  done
  mariadb-admin --no-defaults --socket="$sock" -uroot ping >/dev/null 2>&1 || {
    echo "MariaDB did not start; see $dir/error.log" >&2; tail -20 "$dir/error.log" >&2; exit 1; }
  pw=$(password)
  grants=${VUD_DB_GRANTS:-vud.*}
  mariadb --no-defaults --socket="$sock" -uroot <<SQL
CREATE DATABASE IF NOT EXISTS vud CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci;
CREATE USER IF NOT EXISTS 'vud'@'%' IDENTIFIED BY '$pw';
CREATE USER IF NOT EXISTS 'vud'@'localhost' IDENTIFIED BY '$pw';
GRANT ALL PRIVILEGES ON $grants TO 'vud'@'%';
GRANT ALL PRIVILEGES ON $grants TO 'vud'@'localhost';
FLUSH PRIVILEGES;
SQL
  ;;
stop)
  if [ -f "$pidfile" ]; then
    pid=$(cat "$pidfile")
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 1 120); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
  fi
  ;;
env)
  echo "export VUD_DB_PORT=$(cat "$dir/port") VUD_DB_PASSWORD='$(password)' VUD_DB_SOCKET='$sock'"
  ;;
*) echo "unknown command $cmd" >&2; exit 2 ;;
esac
