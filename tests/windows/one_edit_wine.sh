#!/usr/bin/env bash
# One whole edit on the Windows editor under Wine, driven from outside under a
# virtual display: a scratch prefix holds the game's registry key, written as the
# game's 32-bit installer writes it, and the demo archive where that key points;
# the editor is to find it there, and then, as on Linux: accept the game found,
# pick Medium, select Max Puck Control, move the slider one step right, apply,
# quit. The archive, its backup and the working copies are then checked from
# Linux.
#
#   one_edit_wine.sh <vantor08.exe> <vantor08-make-demo> <vantor08-e2e-entry>
#
# The demo builder and the entry reader are the Linux tools; the definition file
# beside the .exe describes the demo data. Exits with 77 (skipped) when Xvfb,
# xdotool or Wine is missing.
set -uo pipefail
exe=$1 make_demo=$2 entry_tool=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_WAIT=${E2E_WAIT:-30} # Wine's windows come and go more slowly than native ones
source "$here/../e2e/drive.sh"
e2e_need_tools wine wineserver cmp od || exit 77
started=$SECONDS

work=$(mktemp -d "${TMPDIR:-/tmp}/vantor-wine-e2e.XXXXXX")
export WINEPREFIX=$work/prefix WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
mkdir "$WINEPREFIX"
# Ending the prefix's wineserver ends every Windows process in it, the editor too.
trap 'wineserver -k 2>/dev/null; e2e_stop; wineserver -w 2>/dev/null; rm -rf "$work"' EXIT

# The display comes first: the prefix's desktop process starts with its first
# program and keeps the display it found then.
e2e_start_display "$work"
game_dir='C:\Program Files (x86)\EA Sports\NHL08\'
wine reg add 'HKLM\Software\EA Sports\NHL08' /v 'Install Dir' /t REG_SZ /d "$game_dir" /reg:32 /f \
  >"$work/reg.log" 2>&1 || { cat "$work/reg.log"; e2e_fail "the game's key could not be written"; }
"$make_demo" "$(dirname "$exe")/aidata.xml" "$work/demo" >/dev/null || e2e_fail "the demo archive could not be built"
gamedata="$WINEPREFIX/drive_c/Program Files (x86)/EA Sports/NHL08/gamedata"
archive=$gamedata/aidata.viv
mkdir -p "$gamedata"
cp "$work/demo/drive_c/Program Files (x86)/EA Sports/NHL08/gamedata/aidata.viv" "$archive"
cp "$archive" "$work/old.viv"
echo "prefix ready in $((SECONDS - started)) s"

# The attribute edited: Max Puck Control, a 32-bit integer whose value lies at
# position 73 of each skill entry (counted from 1).
offset=73

e2e_start_wine_editor "$exe" "$work/editor.log" 60
echo "editor's window after $((SECONDS - started)) s"
e2e_answer 'Found NHL08...' Return
e2e_choose_skill 2
working=$(find "$WINEPREFIX/drive_c/users" -name vnt08.tmp) # where the editor keeps its working copy
e2e_select_leaf
e2e_keys Right
e2e_apply
e2e_quit
e2e_stop

source "$here/../e2e/edit_checks.sh"

# The working copies and the lock file lie in the TEMP folder Wine gives the
# program (below drive_c/users); none may be left anywhere in the prefix.
temp_folder_clean() {
  local left
  left=$(find "$WINEPREFIX/drive_c" -iname 'vnt08*')
  [ -z "$left" ] || { echo "  left behind:" $left; return 1; }
}

working_copy_in_wine_temp() {
  [ -n "$working" ] || { echo "  no vnt08.tmp below $WINEPREFIX/drive_c/users while a level was open"; return 1; }
}

check "the editor ended by itself with status 0" exited_cleanly
check "the editor kept its working copy in Wine's temporary folder" working_copy_in_wine_temp
check "one backup beside the archive, equal to the old archive, and nothing else" lone_backup_equal_to_old
check "the archive changed only at Medium's value, one step up" only_the_value_changed
check "the working copy, staging copy and lock file are gone" temp_folder_clean

echo "one edit under Wine: $failed checks failed, $((SECONDS - started)) s"
[ "$failed" -eq 0 ]
