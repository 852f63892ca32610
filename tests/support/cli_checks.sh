# The checks of vantor08-cli run as a process, sourced by the Linux run
# (tests/cli/cli.sh) and the Wine run (tests/windows/cli_wine.sh). The caller
# defines run_cli ARGS... (the program's standard output into out, its errors
# into err, its exit status returned), works in a folder holding a.viv and its
# first state old.viv, and sets entry_tool (vantor08-e2e-entry).
failed=0 count=0

fail() { echo "FAIL: $*"; failed=$((failed + 1)); }

# t STATUS PATTERN ARGS...: the exit status must be STATUS and a line of the
# output or errors match PATTERN (an extended regular expression; empty: nothing
# on standard output).
t() {
  local want=$1 pattern=$2; shift 2
  count=$((count + 1))
  run_cli "$@"
  local got=$?
  if [ "$got" -ne "$want" ]; then
    fail "$* exited with $got, not $want"; cat out err
  elif [ -z "$pattern" ] && [ -s out ]; then
    fail "$* printed"; cat out
  elif [ -n "$pattern" ] && ! cat out err | grep -qE -- "$pattern"; then
    fail "$* printed no line like /$pattern/:"; cat out err
  fi
}

# also PATTERN: the last run printed a line like this too.
also() {
  count=$((count + 1))
  cat out err | grep -qE -- "$1" || { fail "no line like /$1/ in:"; cat out err; }
}

# untouched WHAT: a.viv equals old.viv and has no backup beside it.
untouched() {
  count=$((count + 1))
  cmp -s a.viv old.viv && ! ls a.viv.VNT_backup_* >/dev/null 2>&1 || fail "changed by: $1"
}

# others_untouched ENTRY: every entry of a.viv but ENTRY is byte-identical to old.viv's.
others_untouched() {
  local name
  while read -r name; do
    [ "$name" = "$1" ] && continue
    count=$((count + 1))
    cmp -s <("$entry_tool" old.viv "$name") <("$entry_tool" a.viv "$name") || fail "$name changed"
  done < <("$entry_tool" old.viv list)
}
