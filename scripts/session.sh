#!/usr/bin/env bash
# The real vovida as a person works with it: under a virtual X server with a window manager,
# driven by X input (xdotool) against a kestoserver process of its own. It closes the login
# window with Alt+F4 (the program ends with 0); queues an article and ends the program with
# SIGTERM (it ends in order, with 0); then logs in again, opens each sign kind's editor from
# its option in the main window, types an article number and Enter where the editor has one,
# waits for the preview to change, prints to PDF, and quits through "Datei" > "Beenden"
# expecting status 0.
# Usage: scripts/session.sh [build folder]   (default: build, the optimized build)
# Every wait polls with a limit; a failure names the step and leaves screenshots behind.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
for tool in Xvfb openbox xdotool xwd xprop pdftotext pdfinfo python3; do
  command -v "$tool" >/dev/null || { echo "session: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done
for program in app/vovida server/program/kestoserver platform/automation/kestoregsvr objectlib/libKestoObject.so; do
  [ -e "$build/$program" ] || { echo "session: $build/$program was not built" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/vovida-session.XXXXXX")
pids=()
cleanup() {
  local status=$?
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if [ "$status" -eq 0 ]; then rm -rf "$work"; else echo "session: kept $work (screenshots, logs)" >&2; fi
}
trap cleanup EXIT

step="start"
shot=0
screenshot() {
  shot=$((shot + 1))
  xwd -root -silent >"$work/screen-$shot.xwd" 2>/dev/null || true
  echo "$work/screen-$shot.xwd"
}
fail() {
  echo "session: $step: $*" >&2
  for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    echo "session:   window open: $(xdotool getwindowname "$w" 2>/dev/null)" >&2
  done
  echo "session: screenshot $(screenshot); program log $work/vovida.log" >&2
  exit 1
}
# poll SECONDS COMMAND...: runs the command every 0.2 s until it succeeds or time is up.
poll() {
  local limit=$(($1 * 5))
  shift
  for ((n = 0; n < limit; n++)); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

# start_display NAME: an X server with a window manager; its DISPLAY goes into $display and
# the X server's process into $xserver.
start_display() {
  local attempt
  step="X server $1"
  # Another X server may take the display number between choosing and binding it: again.
  for attempt in 1 2 3; do
    : >"$work/display-$1"
    exec 3>"$work/display-$1"
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp >>"$work/xvfb-$1.log" 2>&1 &
    xserver=$!
    exec 3>&-
    poll 20 display_ready "$1" && break
    kill "$xserver" 2>/dev/null || true
  done
  kill -0 "$xserver" 2>/dev/null || fail "Xvfb did not start"
  pids+=($xserver)
  display=":$(head -n1 "$work/display-$1")"
  DISPLAY=$display openbox >"$work/openbox-$1.log" 2>&1 &
  pids+=($!)
  step="window manager $1"
  poll 20 env DISPLAY="$display" xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 || fail "openbox did not start"
}
# The X server has written its display number and still runs.
display_ready() { kill -0 "$xserver" 2>/dev/null && test -s "$work/display-$1"; }
start_display main
export DISPLAY=$display

# The server on free loopback ports, and the per-user state of this session only.
export KESTO_ROOT=$work/root
mkdir -p "$KESTO_ROOT"
"$build/server/program/kestoserver" --object-port 0 --odbc-port 0 >"$work/server.log" 2>&1 &
pids+=($!)
step="server"
server_port() { sed -n 's/.*object protocol on 127\.0\.0\.1:\([0-9]*\),.*/\1/p' "$work/server.log"; }
poll 30 grep -q "object protocol on" "$work/server.log" || fail "kestoserver did not start"
"$build/platform/automation/kestoregsvr" "$build/objectlib/libKestoObject.so" >/dev/null

# The settings the login window and the printer assignment would keep: this server, user
# DEMO, and every sign kind printing into a PDF file of its own.
out=$work/pdf
mkdir -p "$out"
python3 - "$KESTO_ROOT/registry/HKEY_CURRENT_USER.json" "$(server_port)" "$out" <<'EOF'
import json, os, sys
datei, port, out = sys.argv[1:]
hive = {"format": "kesto-registry-hive", "version": 1, "root": {"keys": [], "name": "", "values": []}}
def key(path):
    node = hive["root"]
    for part in path.split("\\"):
        node = next((k for k in node["keys"] if k["name"] == part), None) or \
            (node["keys"].append({"keys": [], "name": part, "values": []}) or node["keys"][-1])
    return node
base = "Software\\VB and VBA Program Settings\\"
key(base + "Kesto Login\\Login")["values"] = [
    {"name": "Server", "sz": "127.0.0.1"}, {"name": "Port", "sz": port}, {"name": "Name", "sz": "DEMO"}]
key(base + "Vovida\\Einstellungen")["values"] = [{"name": "Plakatart", "sz": "A4N"}]
key(base + "Vovida\\Drucker")["values"] = [
    {"name": k, "sz": "PDF:" + os.path.join(out, k + ".pdf")}
    for k in ("PRTPLA4N", "PRTPLA3N", "PRTPLA4F", "PRTPLA3F", "PRTFLBESCH", "PRTFLSCH", "PRTREGAL", "PRTPERSON")]
os.makedirs(os.path.dirname(datei), exist_ok=True)
json.dump(hive, open(datei, "w"), indent=1)
EOF

window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
has_window() { [ -n "$(window "$1")" ]; }
wait_window() {
  step=$2
  poll "${3:-30}" has_window "$1" || fail "no window \"$1\""
  window "$1"
}
activate() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1"; }
# Every window of the program lies wholly on the screen, its title bar included.
on_screen() {
  local w x y width height extents left right top bottom
  for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    # xwininfo: the inner window's place on the screen (xdotool counts the frame twice).
    local g_X g_Y g_WIDTH g_HEIGHT
    read -r g_X g_Y g_WIDTH g_HEIGHT < <(xwininfo -id "$w" |
      awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}')
    extents=$(xprop -id "$w" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
    IFS=, read -r left right top bottom <<<"${extents:-0,0,0,0}"
    x=$((g_X - left)) y=$((g_Y - top)) width=$((g_WIDTH + left + right)) height=$((g_HEIGHT + top + bottom))
    if ((x < 0 || y < 0 || x + width > 1920 || y + height > 1080)); then
      fail "\"$(xdotool getwindowname "$w")\" is not wholly on the screen (${width}x${height} at $x,$y)"
    fi
  done
}
checksum() { xwd -silent -id "$1" 2>/dev/null | md5sum | cut -d' ' -f1; }
changed() { [ "$(checksum "$1")" != "$2" ]; }

# ended PID: waits until the program has ended; its exit status goes into $status.
ended() {
  for ((n = 0; n < 150; n++)); do kill -0 "$1" 2>/dev/null || break; sleep 0.2; done
  kill -0 "$1" 2>/dev/null && fail "vovida did not end"
  set +e
  wait "$1"
  status=$?
  set -e
}
start_vovida() {
  "$build/app/vovida" >>"$work/vovida.log" 2>&1 &
  vovida=$!
  pids+=($vovida)
}

# Closing the login window with the window manager's Alt+F4 ends the program as "Abbruch".
start_vovida
login=$(wait_window "Ferrix Benutzeranmeldung" "login window")
activate "$login"
xdotool key alt+F4
step="Alt+F4 on the login window"
ended "$vovida"
[ "$status" -eq 0 ] || fail "vovida ended with status $status"

# login: the user comes from the settings, the password is typed; sets $main.
login() {
  local login
  login=$(wait_window "Ferrix Benutzeranmeldung" "login window")
  activate "$login"
  xdotool type --delay 40 demo
  xdotool key Return
  main=$(wait_window "Ferrix Preisplakat" "main window after login" 60)
}
# enter NUMBER: the number typed into the focused editor's Art.-Nr. box, and Enter.
enter() {
  xdotool key ctrl+a
  xdotool type --delay 40 "$1"
  xdotool key Return
}

# An end the user did not choose (SIGTERM, as at shutdown) while an article is queued: the
# program ends in order, and the next start shows the queued article again. The loss of the
# display itself is tested by the program tests, each under an X server of its own.
start_vovida
login
editor=$(wait_window "Vovida Eigenschaften" "poster editor at start-up")
activate "$editor"
before=$(checksum "$main")
enter 100005
step="queued 100005: preview"
poll 20 changed "$main" "$before" || fail "the preview did not change"
kill -TERM "$vovida"
step="SIGTERM"
ended "$vovida"
[ "$status" -eq 0 ] || fail "vovida ended with status $status after SIGTERM"

start_vovida
login
wait_window "Vovida Eigenschaften" "poster editor at start-up" >/dev/null

# Each sign kind in the order of its option, reached with the arrow key from the one before;
# where the editor takes an article number: the number, Enter, a changed preview, a PDF.
kinds=(
  "A4N|Vovida Eigenschaften|100003|PRTPLA4N"
  "A3N|Vovida Eigenschaften||"
  "A4F|Vovida Eigenschaften||"
  "A3F|Vovida Eigenschaften||"
  "A7|Fliesen||"
  "FVK|Fliesen||"
  "SCHILD|Eigenschaften Regalbeschriftung|100021|PRTREGAL"
  "PERS|Eingabe Personalschilder||"
  "AKTION|Aktionskennzeichen||"
  "EIGENBAU|Nahmenseingabe||"
  "AUSFOLGESCHEIN|Eigenschaften Ausfolgeschein||"
  "FRSCHILD|Eigenschaften Freifl|100021|"
)
first=1
for entry in "${kinds[@]}"; do
  IFS='|' read -r code title number printer <<<"$entry"
  step="$code"
  activate "$main"
  before=$(checksum "$main")
  if [ "$first" -eq 1 ]; then
    first=0  # chosen at start-up: the option has the focus, the poster editor is open
  else
    # The next option: chosen by the arrow key, it draws its kind's preview ("Aktionsartikel"
    # draws none) and opens its editor.
    xdotool key Down
    if [ "$code" != "AKTION" ]; then
      step="$code: preview of the kind"
      poll 20 changed "$main" "$before" || fail "the preview did not change"
    fi
  fi
  editor=$(wait_window "$title" "$code: its editor from its option")
  if [ "$code" = "EIGENBAU" ]; then
    activate "$editor"
    xdotool type --delay 40 Sitzungsentwurf
    xdotool key Return
    editor=$(wait_window "Eigenbauplakates" "$code: its editor after the name")
  fi
  step="$code: windows on the screen"
  on_screen
  [ -n "$number" ] || continue
  activate "$editor"
  enter "$number"
  step="$code: preview after $number and Enter"
  poll 20 changed "$main" "$before" || fail "the preview did not change"
  [ -n "$printer" ] || continue
  step="$code: printing"
  activate "$main"
  xdotool key alt+d
  sleep 0.3
  xdotool key Down Return  # "Drucken", the menu's second entry
  if [ "$code" = "A4N" ]; then
    # Two queued posters: the program says that they are printed together.
    info=$(wait_window "^Druckinformation$" "$code: the note on several articles")
    activate "$info"
    xdotool key Return
  fi
  dialog=$(wait_window "^Drucken$" "$code: print dialog")
  activate "$dialog"
  xdotool key Return
  pdf="$out/$printer.pdf"
  poll 30 test -s "$pdf" || fail "no PDF $pdf"
  poll 10 pdfinfo "$pdf" >/dev/null 2>&1 || fail "$pdf is no complete PDF"
  pdftotext "$pdf" - | grep -q "$number" || fail "$pdf does not show article $number"
  # The poster queue kept the article of the run that SIGTERM ended.
  if [ "$code" = "A4N" ]; then pdftotext "$pdf" - | grep -q 100005 || fail "$pdf lacks the queued 100005"; fi
done

# Quit as a person does: "Datei" > "Beenden".
step="quit"
activate "$main"
xdotool key alt+d
sleep 0.3
xdotool key b  # "&Beenden"
ended "$vovida"
[ "$status" -eq 0 ] || fail "vovida ended with status $status"
echo "session: logged in, opened every sign kind, read, previewed and printed; vovida ended with 0"
