#!/usr/bin/env bash
# vantor08-cli run as a process over the project's real archives (tests/data) and
# a demo installation: every command's output and exit status, under a German
# locale; writes that read back and leave everything else alone; refusals that
# leave the archive byte-identical without a backup; check on broken definitions.
#
#   cli.sh <vantor08-cli> <vantor08-make-demo> <vantor08-e2e-entry> <tests/data> <data/aidata.xml>
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cli=$1 make_demo=$2 entry_tool=$3 data=$4 defs=$5
work=$(mktemp -d "${TMPDIR:-/tmp}/vantor-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$make_demo" "$defs" "$work/prefix" >/dev/null || { echo "no demo prefix"; exit 1; }
demo="$work/prefix/drive_c/Program Files (x86)/EA Sports/NHL08/gamedata/aidata.viv"
cd "$work" && cp "$demo" a.viv && cp a.viv old.viv
source "$here/../support/cli_checks.sh"
# Every run under a German locale: the output must not depend on it.
run_cli() { LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 "$cli" "$@" >out 2>err; }

# Reading: text and JSON, levels by name in any case or by number.
WINEPREFIX="$work/prefix" t 0 'gamedata/aidata.viv$' find
WINEPREFIX="$work/none" t 1 'no installation' find
t 0 '^Medium\.ubc +608$' levels a.viv
t 0 '' levels "$data/car.viv"
t 0 '"size": 608' levels a.viv --json
t 0 '^manual_deke +Manual Deke +20 +20 +0 +100$' list a.viv:medium
t 0 '^noLineChange_inc_rate +Inc Rate +0\.25 +0\.25 +0 +1$' list a.viv:2
t 0 '"value": 0.25$' list a.viv:MEDIUM --json
t 0 '^30$' get a.viv:Difficlt manual_deke
t 0 '^37 +B810 +10$' scan a.viv:1
t 0 '"tag": "B17B",' scan a.viv:1 --json
t 0 '' diff a.viv:Easy a.viv:easy
t 0 '^\[\]$' diff a.viv:Easy a.viv:1 --json
t 1 '^tap_deke +Tap Deke +5 +12$' diff a.viv:Easy a.viv:Medium
t 1 '"second": 12' diff a.viv:Easy a.viv:Medium --json
t 0 '' check a.viv
t 0 '^\[\]$' check a.viv --json
t 0 'vantor08-cli' --version
t 0 'overwritten by the window' --help
t 0 'KEY=VALUE' set --help

# Refused: usage, bad input, unreadable files. Nothing changes, no backup.
t 2 '^vantor08-cli: unknown command' frob
t 2 '^vantor08-cli: ' list
t 2 '^vantor08-cli: Unknown option' list a.viv:1 --jsn
t 2 "unknown level 'Hard'" list a.viv:Hard
t 2 "unknown key 'nokey'" get a.viv:1 nokey
t 2 'error 321: .*has no entry Easy.ubc' list "$data/car.viv:Easy"
t 2 'error 321: ' levels "$data/car.viv.LICENSE.entry"
t 3 'error 53: ' list missing.viv:Easy
t 3 'error 53: ' --defs missing.xml list a.viv:Easy
t 2 '101 for max_puck_control lies outside 0 to 100' set a.viv:Medium tap_deke=3 max_puck_control=101
t 2 "unknown key 'nokey'" set a.viv:Medium tap_deke=3 nokey=1
t 2 "'1,5' is not a number" set a.viv:Medium tap_deke=1,5
t 2 "is not KEY=VALUE" set a.viv:Medium tap_deke
t 2 'has no entry Medium.ubc' set "$data/test.big:Medium" tap_deke=3
printf 'tap_deke = 3\nnokey = 1\n' >unknown.txt
printf '# fine so far\n\ntap_deke = 3\nmax_puck_control = 101  # too much\n' >range.txt
printf 'tap_deke 3\n' >malformed.txt
t 2 "^vantor08-cli: unknown.txt:2: unknown key 'nokey'$" set a.viv:Medium --from unknown.txt
t 2 '^vantor08-cli: range.txt:4: 101 for max_puck_control lies outside 0 to 100$' set a.viv:Medium --from range.txt
t 2 "^vantor08-cli: malformed.txt:1: 'tap_deke 3' is not key = value$" set a.viv:Medium --from malformed.txt
t 2 '^vantor08-cli: usage: vantor08-cli set ' set a.viv:Medium
t 2 "error 321: 'a.viv' is there and is not a text tuning" export a.viv:Medium --text a.viv
untouched "refused sets"
head -c 17 old.viv >short.VNTxp
truncate -s $((16 * 1024 * 1024 + 1)) big.VNTxp
head -c 40 /dev/zero >level0.VNTxp
t 2 "error 321: 'short.VNTxp' holds 17 bytes; a settings file has at least 18" import short.VNTxp a.viv
t 2 "error 321: 'big.VNTxp' holds 16777217 bytes; a settings file has at most 16777216" import big.VNTxp a.viv
t 2 'error 321: .*names skill level 0' import level0.VNTxp a.viv
t 3 'error 53: ' import missing.VNTxp a.viv
t 2 "error 321: 'a.viv' is not a settings file" export a.viv:Medium a.viv
untouched "refused imports and an export onto the archive"

# set: two values, rounded to the slider's step, read back; one backup equal to
# the old archive; every other entry byte-identical.
t 0 '^noLineChange_inc_rate=0\.33$' set a.viv:medium max_puck_control=80 noLineChange_inc_rate=0.333
t 0 '^80$' get a.viv:Medium max_puck_control
t 0 '^noLineChange_inc_rate +Inc Rate +0\.33 ' list a.viv:Medium
backups=(a.viv.VNT_backup_*)
count=$((count + 1))
[ ${#backups[@]} -eq 1 ] && cmp -s "${backups[0]}" old.viv || { echo "FAIL: backup ${backups[*]}"; failed=$((failed + 1)); }
others_untouched Medium.ubc

# export then import round-trip.
t 0 '' export a.viv:Medium medium.VNTxp
t 0 '^80$' get medium.VNTxp max_puck_control
cp a.viv before-import.viv
t 0 '^max_puck_control=70$' set a.viv:2 max_puck_control=70
t 0 'backup: a\.viv\.VNT_backup_[0-9_]+$' import medium.VNTxp a.viv
t 0 '' diff medium.VNTxp a.viv:Medium
t 0 '^80$' get a.viv:Medium max_puck_control

# Text tunings: the values off Medium's default as text, set into a fresh copy of
# the archive, give the same level there; arguments after --from's file win.
t 0 '' export a.viv:Medium --text medium.txt
count=$((count + 1))
[ "$(grep -c '^# Tuning of the level Medium ' medium.txt)" = 1 ] && [ "$(grep -vc '^#' medium.txt)" = 2 ] \
  && grep -qE '^max_puck_control = 80  # Max Puck Control, default [0-9]+$' medium.txt \
  || { echo "FAIL: medium.txt:"; cat medium.txt; failed=$((failed + 1)); }
cp old.viv fresh.viv
t 0 '^backup: fresh\.viv\.VNT_backup_' set fresh.viv:Medium --from medium.txt
t 0 '' diff a.viv:Medium fresh.viv:Medium
t 0 '^tap_deke=7$' set fresh.viv:Medium --from medium.txt tap_deke=7
t 1 '^tap_deke +Tap Deke +12 +7$' diff a.viv:Medium fresh.viv:Medium

# Output is the same in every locale.
count=$((count + 1))
[ "$(LC_ALL=C "$cli" list a.viv:Medium --json)" = "$(LC_ALL=de_DE.UTF-8 "$cli" list a.viv:Medium --json)" ] \
  || { echo "FAIL: list depends on the locale"; failed=$((failed + 1)); }

# check on definitions made wrong: one fault of each kind.
perl -0pe 's|<offset>37</offset>|<offset>9999</offset>|; s|<offset>49</offset>|<offset>50</offset>|;
  s|(<key>spin_deke</key>.*?<max_range>)100|${1}5|s; s|<key>max_puck_control</key>|<key>bogus</key>|;
  s|<key>noLineChange_dec_rate</key>|<key>noLineChange_inc_rate</key>|' "$defs" >bad.xml
for problem in '^Easy +manual_deke +offset 9999 lies beyond the entry \(608 bytes\)$' \
    '^Medium +tap_deke +the tag at offset 50 is [0-9A-F]+, not B17B or B810$' \
    '^Difficlt +spin_deke +the stored value 35 lies outside 0 to 5$' \
    '^Easy +spin_deke +the default 15 lies outside 0 to 5$' \
    '^- +bogus +the key is not a leaf of the attribute tree$' \
    '^- +max_puck_control +the definitions lack this leaf' \
    '^- +noLineChange_inc_rate +the key appears more than once$'; do
  t 1 "$problem" --defs bad.xml check a.viv
done
t 1 '"level": null' --defs bad.xml check a.viv --json

echo "vantor08-cli: $((count - failed)) of $count passed"
[ "$failed" -eq 0 ]
