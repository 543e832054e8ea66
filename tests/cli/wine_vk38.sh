#!/usr/bin/env bash
# vk38.exe under Wine against the panel simulator: one table read and one
# fleet backup with a refused panel, checked by their outcome lines and exit
# codes. Run inside scripts/private-net beside the simulator:
#   scripts/with-simulator panel-sim tests/cli/wine_vk38.sh vk38.exe
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env"
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"
program="$1"
work="$(mktemp -d)"
trap 'wine_stop; rm -rf "$work"' EXIT
wine_ready

wine "$program" table get VK1 -o "$(winepath -w "$work/vk1.csv")" >"$work/out" 2>"$work/err"
expect "table get exit code" "$?" 0
expect "table get header" "$(head -1 "$work/vk1.csv" | tr -d '\r')" \
  "CAMERA No,Group,Type,CAMERA Name,SW Input,MAC Address,IP Address,HTTP Port,CAMERA Select,Alarm"
expect "table get rows" "$(wc -l <"$work/vk1.csv")" 102

# 192.168.0.8 has no panel: refused, while the other two are saved.
wine "$program" --json --timeout 5 setup backup VK1 192.168.0.8 VK2 -o "$(winepath -w "$work/b")" \
  >"$work/out" 2>"$work/err"
expect "backup exit code" "$?" 1
expect "backup outcomes" "$(grep -o '"ok":[a-z]*' "$work/out" | tr '\n' ' ')" \
  '"ok":true "ok":false "ok":true '
expect "backup files" "$(ls "$work/b" | wc -l)" 2

checks_end "vk38.exe under Wine: all checks passed" "$work/out" "$work/err"
