# Sourced by the shell tests: `expect WHAT ACTUAL EXPECTED` names and counts
# every mismatch; `checks_end SUMMARY [FILE...]` then fails with the files
# shown when any check failed, and prints SUMMARY otherwise;
# `simulator_control PORT COMMAND` runs one command on the panel simulator's
# control channel and prints its answer up to OK or ERR, lines joined by ';'.
failures=0

expect() {
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1: got [$2], expected [$3]" >&2
    failures=$((failures + 1))
  fi
}

checks_end() {
  local summary="$1"
  shift
  if [ "$failures" -ne 0 ]; then
    cat "$@" >&2
    exit 1
  fi
  echo "$summary"
}

simulator_control() {
  local line answer=""
  exec 3<>"/dev/tcp/127.0.0.1/$1"
  printf '%s\n' "$2" >&3
  while IFS= read -r -t 10 line <&3; do
    answer+="$line;"
    case "$line" in OK | ERR*) break ;; esac
  done
  exec 3<&-
  printf '%s' "$answer"
}
