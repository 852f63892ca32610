# The checks of one whole edit on disk, shared by the Linux and the Windows
# end-to-end tests: sourced after the edit, with work (the scratch folder, holding
# old.viv and editor.log), archive, gamedata, offset (the value's position in
# Medium.ubc, counted from 1) and entry_tool set, and E2E_EDITOR_STATUS from drive.sh.

failed=0
check() { # check DESCRIPTION COMMAND...: runs the command and prints the result
  if "${@:2}"; then echo "PASS: $1"; else echo "FAIL: $1"; failed=$((failed + 1)); fi
}

value_at() { # value_at ARCHIVE: the attribute's value in that archive's Medium.ubc
  "$entry_tool" "$1" Medium.ubc >"$work/medium.ubc" || e2e_fail "cannot read Medium.ubc from $1"
  od -An -t d4 -j $((offset - 1)) -N 4 "$work/medium.ubc" | tr -d ' '
}

exited_cleanly() {
  [ "$E2E_EDITOR_STATUS" -eq 0 ] || { echo "  exit status $E2E_EDITOR_STATUS; its output:"; cat "$work/editor.log"; return 1; }
}

lone_backup_equal_to_old() {
  local names backups=("$gamedata"/aidata.viv.VNT_backup_*)
  names=$(cd "$gamedata" && shopt -s dotglob && echo *) # hidden leftovers too
  [ "$names" = "aidata.viv ${backups[0]##*/}" ] || { echo "  beside the archive: $names"; return 1; }
  cmp "${backups[0]}" "$work/old.viv"
}

# The store keeps the archive's layout, so the whole file differs from the old one
# in at most the four bytes of one value, and that value is Medium's, one step up.
only_the_value_changed() {
  local positions first last
  positions=$(cmp -l "$work/old.viv" "$archive" | awk '{print $1}')
  [ "$(stat -c %s "$work/old.viv")" -eq "$(stat -c %s "$archive")" ] || { echo "  the archive's size changed"; return 1; }
  first=$(head -n 1 <<<"$positions") last=$(tail -n 1 <<<"$positions")
  [ -n "$first" ] && ((last - first < 4)) || { echo "  changed at:" $positions; return 1; }
  local before after
  before=$(value_at "$work/old.viv") after=$(value_at "$archive")
  [ "$after" -eq $((before + 1)) ] || { echo "  value $before became $after, not one step more"; return 1; }
}
