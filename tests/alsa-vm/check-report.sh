# Sourced by the checks that run inside the test VMs (tests/alsa-vm, tests/wine-vm): a PASS or
# FAIL line per check, with what differed; $failed turns 1 at the first failure. Also reads
# the receiver's output: each event's bytes, one event a line, and the status it saw.

failed=0
pass() { echo "PASS: $1"; }
fail() {
  echo "FAIL: $1"
  failed=1
}

# expect NAME EXPECTED_FILE ACTUAL_FILE
expect() {
  if cmp -s "$2" "$3"; then
    pass "$1"
  else
    fail "$1"
    echo "  expected:"
    sed 's/^/    /' "$2"
    echo "  got:"
    sed 's/^/    /' "$3"
  fi
}

events() { sed -n 's/^E [0-9.]* //p' "$1"; }
exit_status() { sed -n 's/^X //p' "$1"; }
