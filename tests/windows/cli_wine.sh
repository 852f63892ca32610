#!/usr/bin/env bash
# vantor08-cli.exe run under Wine on a demo installation in a scratch prefix: the
# game found through the registry key the game's 32-bit installer writes; reading,
# comparing and setting values with archives named by relative paths, by Windows
# paths with a drive letter (whose colon must not be taken for the level's) and by
# Unix paths; a set read back, its backup on disk, every other entry untouched;
# the output the same under a German locale.
#
#   cli_wine.sh <vantor08-cli.exe> <vantor08-make-demo> <vantor08-e2e-entry> <aidata.xml>
#
# The demo builder and the entry reader are the Linux tools; the program itself
# reads the definition file beside it. Exits with 77 (skipped) when Wine is missing.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cli=$(readlink -f "$1") make_demo=$(readlink -f "$2") entry_tool=$(readlink -f "$3") defs=$(readlink -f "$4")
for tool in wine wineserver cmp; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 77; }
done
started=$SECONDS

work=$(mktemp -d "${TMPDIR:-/tmp}/vantor-wine-cli.XXXXXX")
export WINEPREFIX=$work/prefix WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
mkdir "$WINEPREFIX"
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; rm -rf "$work"' EXIT
# One server for all the runs, so the prefix's services start once, not per run.
wineserver -p
game_dir='C:\Program Files (x86)\EA Sports\NHL08\'
wine reg add 'HKLM\Software\EA Sports\NHL08' /v 'Install Dir' /t REG_SZ /d "$game_dir" /reg:32 /f \
  >"$work/reg.log" 2>&1 || { cat "$work/reg.log"; echo "FAIL: the game's key could not be written"; exit 1; }
"$make_demo" "$defs" "$work/demo" >/dev/null || { echo "FAIL: no demo archive"; exit 1; }
demo="$work/demo/drive_c/Program Files (x86)/EA Sports/NHL08/gamedata/aidata.viv"
mkdir -p "$WINEPREFIX/drive_c/Program Files (x86)/EA Sports/NHL08/gamedata"
cp "$demo" "$WINEPREFIX/drive_c/Program Files (x86)/EA Sports/NHL08/gamedata/aidata.viv"
cd "$work" && cp "$demo" a.viv && cp a.viv old.viv && cp "$defs" defs.xml
echo "prefix ready in $((SECONDS - started)) s"
# The work folder as Windows names it: Wine maps drive Z: to /.
win_work="Z:$(tr / '\\' <<<"$work")"
with=() # NAME=VALUE settings for the program's environment
source "$here/../support/cli_checks.sh"
# Wine's console ends lines with CR LF; the CRs are dropped from out and err.
run_cli() {
  env "${with[@]}" wine "$cli" "$@" >out.raw 2>err.raw
  local rc=$?
  tr -d '\r' <out.raw >out
  tr -d '\r' <err.raw >err
  return $rc
}

# The game found as the editor finds it: the 32-bit view of the registry, the
# folder named there with gamedata\aidata.viv below it.
t 0 '^C:\\Program Files \(x86\)\\EA Sports\\NHL08\\gamedata\\aidata\.viv$' find
t 0 '^Medium\.ubc +608$' levels "$game_dir"'gamedata\aidata.viv'

# Reading, with the archive named three ways; the drive letter's colon is not a level.
t 0 '^manual_deke +Manual Deke +20 +20 +0 +100$' list a.viv:Medium
t 0 '^manual_deke +Manual Deke +20 +20 +0 +100$' list "$win_work\\a.viv:medium"
t 0 '^noLineChange_inc_rate +Inc Rate +0\.25 +0\.25 +0 +1$' list "$work/a.viv:2"
t 0 '^Medium\.ubc +608$' levels "$win_work\\a.viv"
t 0 '' check "$win_work\\a.viv"
t 0 '"value": 0.25$' list a.viv:MEDIUM --json
t 0 '^30$' get "$win_work\\a.viv:Difficlt" manual_deke
t 0 '^manual_deke +Manual Deke +20 +20 +0 +100$' --defs "$win_work\\defs.xml" list a.viv:Medium
t 0 '' diff a.viv:Easy "$win_work\\a.viv:1"
t 1 '^tap_deke +Tap Deke +5 +12$' diff a.viv:Easy a.viv:Medium

# Refused, and nothing written.
t 3 'error 53: ' list missing.viv:Easy
t 3 'error 53: ' list "$win_work\\missing.viv:Easy"
t 3 'error 53: ' get "$win_work\\missing.VNTxp" max_puck_control
t 2 "unknown level 'Hard'" list "$win_work\\a.viv:Hard"
t 2 "unknown key 'nokey'" set a.viv:Medium tap_deke=3 nokey=1
t 2 '101 for max_puck_control lies outside 0 to 100' set "$win_work\\a.viv:Medium" max_puck_control=101
untouched "refused reads and sets"

# Numbers are read and written with "." whatever the locale: the output under a
# German locale (Wine takes the Windows locale from these variables, whether or
# not the system has the locale installed) is the one under C, and a German
# decimal comma is refused.
german=(LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8)
count=$((count + 1))
plain=$(env LC_ALL=C wine "$cli" list a.viv:Medium | tr -d '\r')
in_german=$(env "${german[@]}" wine "$cli" list a.viv:Medium | tr -d '\r')
[ -n "$plain" ] && [ "$in_german" = "$plain" ] || { fail "list depends on the locale:"; diff <(echo "$plain") <(echo "$in_german"); }
with=("${german[@]}")
t 2 "'1,5' is not a number" set a.viv:Medium tap_deke=1,5
t 0 '^noLineChange_inc_rate +Inc Rate +0\.25 +0\.25 +0 +1$' list a.viv:2
with=()
untouched "a German decimal comma"

# set through a Windows path: both values, rounded to the slider's step, printed
# and read back; the backup it names lies beside the archive and equals the old
# archive; every other entry byte-identical.
t 0 '^max_puck_control=80$' set "$win_work\\a.viv:Medium" max_puck_control=80 noLineChange_inc_rate=0.333
also '^noLineChange_inc_rate=0\.33$'
also '^backup: .*a\.viv\.VNT_backup_[0-9_]+$'
printed=$(sed -n 's/^backup: //p' out)
backups=(a.viv.VNT_backup_*)
count=$((count + 1))
[ ${#backups[@]} -eq 1 ] && [ "${printed##*[\\/]}" = "${backups[0]}" ] && cmp -s "${backups[0]}" old.viv \
  || fail "backup printed '$printed', on disk: ${backups[*]}"
t 0 '^80$' get a.viv:Medium max_puck_control
t 0 '^noLineChange_inc_rate +Inc Rate +0\.33 ' list "$work/a.viv:Medium"
t 1 '^max_puck_control +Max Puck Control +[0-9]+ +80$' diff a.viv:Easy "$win_work\\a.viv:Medium"
also '^tap_deke +Tap Deke +5 +12$'
others_untouched Medium.ubc

# A settings file named by a Windows path: exported, read, imported back.
t 0 '' export a.viv:Medium "$win_work\\medium.VNTxp"
t 0 '^80$' get "$win_work\\medium.VNTxp" max_puck_control
t 0 '^max_puck_control=70$' set a.viv:2 max_puck_control=70
t 0 'backup: .*a\.viv\.VNT_backup_[0-9_]+$' import "$win_work\\medium.VNTxp" "$win_work\\a.viv"
t 0 '^80$' get a.viv:Medium max_puck_control
count=$((count + 1))
backups=(a.viv.VNT_backup_*)
[ ${#backups[@]} -eq 3 ] || fail "after two sets and an import, backups: ${backups[*]}"

echo "vantor08-cli.exe under Wine: $((count - failed)) of $count passed, $((SECONDS - started)) s"
[ "$failed" -eq 0 ]
