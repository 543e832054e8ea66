#!/usr/bin/env bash
# vk38.exe under Wine against the panel simulator: a table read, a fleet
# backup with a refused panel, a scan of the panels' network, the NUL
# device as an output, an inventory's diff and verified write (and a panel
# that keeps its old table), standard output and a disk that fill up
# (nothing torn, the old file kept), and
# Ctrl-C during a fleet backup with a silent panel and during a table write
# that went out (changed: maybe); a keep assignment confirmed with --yes,
# the page's three exchanges on the wire. Run inside scripts/private-net beside the
# simulator:
#   scripts/with-simulator panel-sim tests/cli/wine_vk38.sh vk38.exe
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env"
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"
program="$1"
work="$(mktemp -d)"
trap 'wine_stop; rm -rf "$work"' EXIT
wine_ready

# Runs one command on the simulator's control channel; prints its answer.
control() { simulator_control 35699 "$1"; }

wine "$program" table get VK1 -o "$(winepath -w "$work/vk1.csv")" >"$work/out" 2>"$work/err"
expect "table get exit code" "$?" 0
expect "table get header" "$(head -1 "$work/vk1.csv" | tr -d '\r')" \
  "CAMERA No,Group,Type,CAMERA Name,SW Input,MAC Address,IP Address,HTTP Port,CAMERA Select,Alarm"
expect "table get rows" "$(wc -l <"$work/vk1.csv")" 102

# 192.168.0.8 has no panel: refused, while the other two are saved.
wine "$program" --json --timeout 5 setup backup VK1 192.168.0.8 VK2 -o "$(winepath -w "$work/b")" \
  >"$work/out" 2>"$work/err"
expect "backup exit code" "$?" 1
expect "backup outcomes" "$(grep -o '"code":"[a-z-]*"' "$work/out" | sort | tr '\n' ' ')" \
  '"code":"ok" "code":"ok" "code":"unreachable" '
expect "backup summary" "$(tail -1 "$work/out")" \
  '{"summary":{"panels":3,"succeeded":2,"failed":1,"interrupted":0,"not-started":0,"changed":null}}'
expect "backup files" "$(ls "$work/b" | wc -l)" 2

# scan of the panels' /24: the four panels that answer with their table, in
# address order; 192.168.0.5 answers as no panel does and is noted; the
# inventory file is the same as standard output.
expect "VK4 no panel" "$(control 'fault 192.168.0.5 reply 485454502F310D0A VK38 IP SETTING REQ')" "OK;"
wine "$program" scan 192.168.0.0/24 -o "$(winepath -w "$work/found.txt")" >"$work/out" 2>"$work/err"
expect "scan exit code" "$?" 0
expect "scan panels" "$(tr -d '\r' <"$work/out" | grep -v '^#' | cut -d' ' -f1 | tr '\n' ' ')" \
  "192.168.0.4 192.168.0.6 192.168.0.7 192.168.0.9 "
expect "scan comments" "$(tr -d '\r' <"$work/out" | grep -c '^192\.168\.0\.[0-9] *# switcher 192\.168\.0\.[0-9], [0-9]* cameras$')" 4
expect "scan file" "$(tr -d '\r' <"$work/found.txt")" "$(tr -d '\r' <"$work/out")"
expect "scan note" "$(grep -c '^vk38: 192\.168\.0\.5: no panel: ' "$work/err")" 1
control 'fault 192.168.0.5 none VK38 IP SETTING REQ' >/dev/null

# NUL, the device, is written into: no file takes its name.
wine "$program" table get VK1 -o NUL >"$work/out" 2>"$work/err"
expect "NUL exit code" "$?" 0
expect "NUL told" "$(grep -c '^192\.168\.0\.9: Read OK (NUL)' "$work/out")" 1

# A fleet from an inventory with names: the diff of a file that renames one
# camera, the verified write to both panels, and a panel that confirms a
# write but keeps its old table.
printf '# studio A\nVK1 left\n192.168.0.7 right  # VK2\n' >"$work/fleet.txt"
printf 'CAMERA No,CAMERA Name\nC001,wine\n' >"$work/names.csv"
fleet="@$(winepath -w "$work/fleet.txt")"
names="$(winepath -w "$work/names.csv")"
wine "$program" table diff "$fleet" "$names" >"$work/out" 2>"$work/err"
expect "diff exit code" "$?" 1
expect "diff changes" "$(grep -c '^192\.168\.0\.[97] \(left\|right\): C001 CAMERA Name: ".*" -> "wine"' "$work/out")" 2
wine "$program" --json table set "$fleet" "$names" --verify --yes >"$work/out" 2>"$work/err"
expect "verified write exit code" "$?" 0
expect "verified write outcomes" "$(grep -o '"name":"[a-z]*","ok":true' "$work/out" | sort | tr '\n' ' ')" \
  '"name":"left","ok":true "name":"right","ok":true '
wine "$program" table diff "$fleet" "$names" >"$work/out" 2>"$work/err"
expect "diff after the write" "$?" 0
expect "keep-old VK2" "$(control 'fault 192.168.0.7 keep-old VK38 IP SETTING CHANGE')" "OK;"
printf 'CAMERA No,CAMERA Name\nC001,kept\n' >"$work/names.csv"
wine "$program" --json table set "$fleet" "$names" --verify --yes >"$work/out" 2>"$work/err"
expect "unverified write exit code" "$?" 1
expect "unverified write outcomes" "$(grep -o '"code":"[a-z-]*"' "$work/out" | sort | tr '\n' ' ')" \
  '"code":"not-verified" "code":"ok" '
control 'fault 192.168.0.7 none VK38 IP SETTING CHANGE' >/dev/null

# Standard output that cannot be written fails the panel.
wine "$program" table get VK1 >/dev/full 2>"$work/err"
expect "full standard output exit code" "$?" 1
expect "full standard output told" "$(grep -c 'FAILED: File write error - cannot write standard output' "$work/err")" 1

# A keep assignment with --yes: the table read, KEEP START and KEEP SET on
# the wire, nothing else, and the page's "Finish!!".
hex_of() { printf '%s\r\n' "$1" | od -An -tx1 | tr -d ' \n' | tr a-f A-F; }
wine "$program" --json table assign VK2 --keep --yes >"$work/out" 2>"$work/err"
expect "assign exit code" "$?" 0
expect "assign outcome" "$(grep -o '"code":"[a-z]*","message":"[^"]*"' "$work/out")" \
  '"code":"ok","message":"Finish!!"'
expect "assign wire" "$(control 'received 192.168.0.7' | tr ';' '\n' | grep '^conn' | tail -3 |
  cut -d' ' -f3 | tr '\n' ' ')" \
  "$(hex_of 'VK38 IP SETTING REQ') $(hex_of 'VK38 IP SET KEEP START') $(hex_of 'VK38 IP SET KEEP SET') "

# A disk that is full: the table is not written, the old one stays, and no
# temporary file is left. The disk is a tmpfs of two pages in a mount
# namespace of its own, with a wineserver of its own that sees it.
wine_stop
mkdir "$work/disk"
unshare --mount bash -c '
  disk="$1" program="$2" work="$3"
  mount -t tmpfs -o size=8k tmpfs "$disk" || exit 1
  printf "old table" >"$disk/t.csv" && head -c 4096 /dev/zero >"$disk/filler"
  wine "$program" table get VK1 -o "$(winepath -w "$disk/t.csv")" >"$work/out" 2>"$work/err"
  echo $? >"$work/code"
  ls -A "$disk" | tr "\n" " " >"$work/listing"
  cat "$disk/t.csv" >"$work/kept"
  wineserver -k; wineserver -w' full-disk "$work/disk" "$program" "$work"
wine_ready
expect "full disk exit code" "$(cat "$work/code")" 1
expect "full disk files" "$(cat "$work/listing")" "filler t.csv "
expect "full disk keeps the old table" "$(cat "$work/kept")" "old table"

# Ctrl-C (SIGINT, which Wine turns into the console's Ctrl+C event) once
# VK1 is told and VK2 stays silent: VK3 is never asked, exit 130.
expect "silent VK2" "$(control 'fault 192.168.0.7 silent VK38 SETTING REQ')" "OK;"
wine "$program" --json --jobs 1 setup backup VK1 VK2 VK3 -o "$(winepath -w "$work/stopped")" \
  >"$work/out" 2>"$work/err" &
vk38_pid=$!
for _ in $(seq 600); do
  grep -q '"panel":"192.168.0.9"' "$work/out" 2>/dev/null && break
  sleep 0.1
done
sleep 1
kill -INT "$vk38_pid"
wait "$vk38_pid"
expect "stopped exit code" "$?" 130
expect "stopped outcomes" "$(grep -o '"code":"[a-z-]*"' "$work/out" | tr '\n' ' ')" \
  '"code":"ok" "code":"interrupted" "code":"interrupted" '
expect "stopped files" "$(ls "$work/stopped" | grep -c '^192\.168\.0\.9_.*\.v38$')" 1
expect "stopped leftovers" "$(ls "$work/stopped" | wc -l)" 1
control 'fault 192.168.0.7 none VK38 SETTING REQ' >/dev/null

# Ctrl-C once a table write went out and no verdict came: the panel may
# hold it, and the line says so.
expect "silent VK1 after acceptance" \
  "$(control 'fault 192.168.0.9 silent-after 20 VK38 IP SETTING CHANGE')" "OK;"
wine "$program" --json table set VK1 "$names" --yes >"$work/out" 2>"$work/err" &
vk38_pid=$!
sleep 5
kill -INT "$vk38_pid"
wait "$vk38_pid"
expect "interrupted write exit code" "$?" 130
expect "interrupted write outcome" "$(grep -o '"code":"[a-z-]*".*"changed":"[a-z]*"' "$work/out" |
  sed 's/"message".*"changed"/"changed"/')" '"code":"interrupted","changed":"maybe"'
control 'fault 192.168.0.9 none VK38 IP SETTING CHANGE' >/dev/null

checks_end "vk38.exe under Wine: all checks passed" "$work/out" "$work/err"
