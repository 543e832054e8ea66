# Sourced by the shell tests: `expect WHAT ACTUAL EXPECTED` names and counts
# every mismatch; `checks_end SUMMARY [FILE...]` then fails with the files
# shown when any check failed, and prints SUMMARY otherwise.
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
