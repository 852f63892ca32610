# Drives the editor's window from outside, as a person would: key presses and
# clicks through the X server (xdotool) on a virtual display of its own (Xvfb).
# Sourced by the end-to-end tests (tests/e2e, and tests/windows under Wine) and by
# scripts/screenshot. Every wait is bounded; e2e_fail ends the script with a
# message, and e2e_stop (run on exit) ends the editor and the display.

E2E_WAIT=${E2E_WAIT:-10}   # seconds allowed for each window to appear or go
E2E_EDITOR_PID=
E2E_XVFB_PID=
E2E_MAIN=

e2e_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

e2e_need_tools() {
  local tool
  for tool in Xvfb xdotool "$@"; do
    command -v "$tool" >/dev/null || { echo "missing tool: $tool (scripts/deps.sh installs it)" >&2; return 1; }
  done
}

# Starts Xvfb on a free display number, which it reports once it accepts clients.
e2e_start_display() {
  local fifo=$1/displayfd
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >"$1/xvfb.log" 2>&1 &
  E2E_XVFB_PID=$!
  local number
  read -r -t "$E2E_WAIT" number <"$fifo" || e2e_fail "the virtual display did not start (see $1/xvfb.log)"
  export DISPLAY=:$number
}

e2e_stop() {
  if [ -n "$E2E_EDITOR_PID" ] && kill -0 "$E2E_EDITOR_PID" 2>/dev/null; then
    kill "$E2E_EDITOR_PID" 2>/dev/null
    wait "$E2E_EDITOR_PID" 2>/dev/null
  fi
  if [ -n "$E2E_XVFB_PID" ]; then
    kill "$E2E_XVFB_PID" 2>/dev/null
    wait "$E2E_XVFB_PID" 2>/dev/null
  fi
  E2E_EDITOR_PID=
  E2E_XVFB_PID=
}

# e2e_start_editor PROGRAM PREFIX TEMPFOLDER LOG: starts the editor on that Wine
# prefix and temporary folder, and waits for its window.
e2e_start_editor() {
  local runtime=$3.runtime
  mkdir -p -m 700 "$runtime"
  WINEPREFIX=$2 TEMP=$3 XDG_RUNTIME_DIR=$runtime LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$1" >"$4" 2>&1 &
  E2E_EDITOR_PID=$!
  E2E_MAIN=$(e2e_wait_window 'Vantor 08') || e2e_fail "the editor's window did not appear (see $4)"
}

# e2e_start_wine_editor PROGRAM.exe LOG [SECONDS]: starts the Windows editor under
# Wine, in the prefix WINEPREFIX names (exported by the caller, with any other Wine
# settings), and waits up to SECONDS (default 60) for its window: Wine's first
# window takes far longer than a native one. The launcher execs into the program,
# so its process id is the one the program's X windows carry, and its exit status
# is the program's.
e2e_start_wine_editor() {
  wine "$1" >"$2" 2>&1 &
  E2E_EDITOR_PID=$!
  E2E_MAIN=$(e2e_wait_window 'Vantor 08' "${3:-60}") || e2e_fail "the editor's window did not appear (see $2)"
}

# e2e_wait_window TITLE [SECONDS]: prints the id of the editor's visible window with
# exactly this title, waiting up to SECONDS (default E2E_WAIT) for it.
e2e_wait_window() {
  local pattern=^$(sed 's/[].[*^$?+(){}|\\]/\\&/g' <<<"$1")\$
  local id
  id=$(timeout "${2:-$E2E_WAIT}" xdotool search --all --sync --onlyvisible --pid "$E2E_EDITOR_PID" --name "$pattern" 2>/dev/null \
       | head -n 1)
  [ -n "$id" ] || return 1
  echo "$id"
}

# e2e_poll COMMAND...: true once the command succeeds, false if it has not within
# the wait allowed.
e2e_poll() {
  local deadline=$((SECONDS + E2E_WAIT))
  until "$@"; do
    [ $SECONDS -le $deadline ] || return 1
    sleep 0.1
  done
}

e2e_windows() { xdotool search --onlyvisible --pid "$E2E_EDITOR_PID" 2>/dev/null; }

# Waits until the editor shows this many windows (a popup list counts as one).
e2e_wait_window_count() { e2e_poll eval '[ "$(e2e_windows | wc -l)" -eq '"$1"' ]'; }

# e2e_answer TITLE KEY: waits for the message box of that title and answers it
# with a key (Return presses its default button, Yes in a question).
e2e_answer() {
  local box
  box=$(e2e_wait_window "$1") || e2e_fail "no message box \"$1\" within ${E2E_WAIT}s"
  xdotool windowfocus --sync "$box" key "$2"
  e2e_wait_gone "$box" || e2e_fail "the message box \"$1\" did not close on $2"
}

e2e_wait_gone() { e2e_poll eval '! e2e_windows | grep -qx '"$1"; }

# e2e_click LEFT TOP WIDTH HEIGHT: clicks the middle of a control, its place given
# in twips from the client area's corner (15 twips to the pixel).
e2e_click() {
  local x=$((($1 + $3 / 2 + 7) / 15)) y=$((($2 + $4 / 2 + 7) / 15))
  xdotool windowfocus --sync "$E2E_MAIN" mousemove --window "$E2E_MAIN" "$x" "$y" click 1
}

e2e_keys() {
  xdotool windowfocus --sync "$E2E_MAIN" key --delay 60 "$@"
}

# The steps of an edit, by the controls' places in the window.
e2e_choose_skill() { # number of Down presses from "Select Skill"
  e2e_click 1440 2280 2295 330
  e2e_wait_window_count 2 || e2e_fail "the skill list did not open"
  local downs=()
  for ((i = 0; i < $1; i++)); do downs+=(Down); done
  xdotool key --delay 60 "${downs[@]}" Return
  e2e_wait_window_count 1 || e2e_fail "the skill list did not close"
}

# Max Puck Control: the tree's top node, then AI, Puck Control, opened, Events,
# and the leaf after it. Selecting a leaf gives the slider the focus.
e2e_select_leaf() {
  e2e_click 240 7500 3495 300   # an empty place low in the tree: focus without a node
  e2e_keys Home Down Down Right Down Down
}

e2e_apply() {
  e2e_click 3960 7080 1335 375
  e2e_answer 'Apply changes?' Return
  e2e_answer 'Changes saved...' Return
}

# Quit VNT08, answers Yes, and waits for the editor to end; its exit code is in
# E2E_EDITOR_STATUS.
e2e_quit() {
  e2e_click 7080 7560 1335 375
  e2e_answer 'Quit VNT 08?' Return
  e2e_poll eval '! kill -0 "$E2E_EDITOR_PID" 2>/dev/null' || e2e_fail "the editor did not end after Quit"
  E2E_EDITOR_STATUS=0
  wait "$E2E_EDITOR_PID" || E2E_EDITOR_STATUS=$?
  E2E_EDITOR_PID=
}
