#!/usr/bin/env bash
# One whole edit on the built editor, driven from outside under a virtual display:
# accept the game found in a demo Wine prefix, pick Medium, select Max Puck
# Control, move the slider one step right, apply, quit; then check the archive,
# its backup and the temporary folder on disk.
#
#   one_edit.sh <vantor08> <vantor08-make-demo> <vantor08-e2e-entry>
#
# Exits with 77 (skipped) when Xvfb or xdotool is missing.
set -uo pipefail
editor=$1 make_demo=$2 entry_tool=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/drive.sh"
e2e_need_tools cmp od || exit 77
# In a sanitizer build, ignore what the system's D-Bus library leaves unfreed.
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

work=$(mktemp -d "${TMPDIR:-/tmp}/vantor-e2e.XXXXXX")
trap 'e2e_stop; rm -rf "$work"' EXIT
prefix=$work/prefix
temp=$work/temp
mkdir "$temp"
"$make_demo" "$(dirname "$editor")/aidata.xml" "$prefix" || e2e_fail "the demo prefix could not be built"
gamedata="$prefix/drive_c/Program Files (x86)/EA Sports/NHL08/gamedata"
archive=$gamedata/aidata.viv
cp "$archive" "$work/old.viv"

# The attribute edited: Max Puck Control, a 32-bit integer whose value lies at
# position 73 of each skill entry (counted from 1).
offset=73

e2e_start_display "$work"
e2e_start_editor "$editor" "$prefix" "$temp" "$work/editor.log"
e2e_answer 'Found NHL08...' Return
e2e_choose_skill 2
e2e_select_leaf
e2e_keys Right
e2e_apply
e2e_quit
e2e_stop

source "$here/edit_checks.sh"

temp_folder_empty() {
  local left
  left=$(ls -A "$temp")
  [ -z "$left" ] || { echo "  left in the temporary folder:" $left; return 1; }
}

check "the editor ended by itself with status 0" exited_cleanly
check "one backup beside the archive, equal to the old archive, and nothing else" lone_backup_equal_to_old
check "the archive changed only at Medium's value, one step up" only_the_value_changed
check "the working copy, staging copy and lock file are gone" temp_folder_empty

echo "one edit: $failed checks failed"
[ "$failed" -eq 0 ]
