#!/usr/bin/env bash
# panel-sim.exe under Wine: it starts, lists its panels on the control
# channel, serves a panel's connection on Winsock and records what it
# received. Run inside scripts/private-net:
#   tests/sim/wine_panel_sim.sh panel-sim.exe
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env"
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"
program="$1"
work="$(mktemp -d)"
simulator_pid=""
finish() {
  if [ -n "$simulator_pid" ]; then
    kill -TERM "$simulator_pid" 2>/dev/null
    wait "$simulator_pid" 2>/dev/null
  fi
  wine_stop
  rm -rf "$work"
}
trap finish EXIT
wine_ready

wine "$program" --control-port 35695 >"$work/out" 2>"$work/err" &
simulator_pid=$!
until grep -q '^panel-sim ready' "$work/out"; do
  if ! kill -0 "$simulator_pid" 2>/dev/null || [ "$SECONDS" -ge 60 ]; then
    echo "FAIL: panel-sim.exe did not become ready" >&2
    cat "$work/out" "$work/err" >&2
    exit 1
  fi
  sleep 0.1
done

# Runs one control command; prints its answer up to OK or ERR.
control() { simulator_control 35695 "$1"; }

expect "panels" "$(control panels)" \
  "panel 192.168.0.9;panel 192.168.0.7;panel 192.168.0.6;panel 192.168.0.5;panel 192.168.0.4;OK;"

# A log read from VK2: the panel sends the whole log and closes.
expect "fault" "$(control 'log 192.168.0.7 1000 100')" "OK;"
exec 4<>/dev/tcp/192.168.0.7/35600
printf 'VK38 LOG REQ\r\n' >&4
expect "log size" "$(timeout 20 cat <&4 | wc -c)" 1000
exec 4<&-
expect "wait" "$(control 'wait 192.168.0.7 1')" "OK;"
expect "received" "$(control 'received 192.168.0.7')" "conn 0 564B3338204C4F47205245510D0A;OK;"

checks_end "panel-sim.exe under Wine: all checks passed" "$work/out" "$work/err"
