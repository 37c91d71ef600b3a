# Sourced by the end-to-end scripts: what each of them needs to run the real program against the
# demo web application and to watch it from outside. Every script is called as
#   <script> <bin-dir> <source-dir> <start-host> <shots-dir>
# and calls e2e_begin "$@" first. Everything started here is stopped on exit.

E2E_PROGRAM=""
E2E_SERVER=""
E2E_TOOL=""
E2E_STDERR=""

# e2e_begin <bin-dir> <source-dir> <start-host> <shots-dir>: a stage folder with the program, the
# stand-in engine and lwtool ($E2E_STAGE), a scratch folder ($E2E_OUT) with an empty folder for
# downloads ($E2E_DOWNLOADS), and where a failure's
# screenshot goes ($E2E_SHOTS/<script>-failure.png).
e2e_begin() {
  E2E_BIN=$1
  E2E_SOURCE=$2
  E2E_HOST=$3
  E2E_SHOTS=$4
  E2E_NAME=$(basename "$0" .sh)
  E2E_OUT=$(mktemp -d)
  E2E_STAGE=$E2E_OUT/stage
  E2E_DOWNLOADS=$E2E_OUT/downloads
  mkdir -p "$E2E_STAGE" "$E2E_DOWNLOADS" "$E2E_SHOTS"
  rm -f "$E2E_SHOTS/$E2E_NAME"-*.png
  cp "$E2E_BIN/Larkwell.exe" "$E2E_BIN/libcef.dll" "$E2E_BIN/lwtool.exe" "$E2E_STAGE/"
  trap e2e_end EXIT
  e2e_tool_start
}

e2e_end() {
  e2e_tool_stop
  [ -z "$E2E_PROGRAM" ] || kill "$E2E_PROGRAM" 2>/dev/null
  [ -z "$E2E_SERVER" ] || kill "$E2E_SERVER" 2>/dev/null
  [ -z "$E2E_SERVER" ] || wait "$E2E_SERVER" 2>/dev/null
  [ -z "${E2E_OUT:-}" ] || rm -rf "$E2E_OUT"
}

# e2e_fail <message>: says why, keeps a screenshot, shows the program's standard error when
# there is one, and fails the script.
e2e_fail() {
  echo "FAIL: $*"
  if [ -n "${DISPLAY:-}" ] && [ -n "${E2E_SHOTS:-}" ]; then
    import -window root "$E2E_SHOTS/$E2E_NAME-failure.png" 2>/dev/null &&
      echo "screenshot: $E2E_SHOTS/$E2E_NAME-failure.png"
  fi
  if [ -n "${E2E_STDERR:-}" ] && [ -s "$E2E_STDERR" ]; then
    echo "--- program's standard error:"
    cat "$E2E_STDERR"
  fi
  if [ -n "${E2E_OUT:-}" ] && [ -s "$E2E_OUT/server.log" ]; then
    echo "--- web application's log:"
    tail -n 30 "$E2E_OUT/server.log"
  fi
  exit 1
}

fail() { e2e_fail "$@"; }

# e2e_shot <name>: a screenshot kept as $E2E_SHOTS/<script>-<name>.png.
e2e_shot() {
  import -window root "$E2E_SHOTS/$E2E_NAME-$1.png" 2>/dev/null || e2e_fail "no screenshot $1"
}

# e2e_tool <lwtool arguments...>: lwtool's output without Wine's carriage returns, and its exit
# code. While e2e_tool_start's lwtool process runs, it answers (starting a Windows program under
# Wine takes longer than most calls); otherwise each call starts one.
e2e_tool() {
  if [ -z "$E2E_TOOL" ]; then
    (cd "$E2E_STAGE" && wine lwtool.exe "$@" </dev/null) | tr -d '\r'
    return "${PIPESTATUS[0]}"
  fi
  local line IFS=$'\t'
  printf '%s\n' "$*" >&"$E2E_TOOL_IN"
  # The answer's last line is "\x1e<exit code>".
  while IFS= read -r line <&"$E2E_TOOL_OUT"; do
    line=${line//$'\r'/}
    if [[ $line == *$'\x1e'* ]]; then
      [ -z "${line%%$'\x1e'*}" ] || printf '%s\n' "${line%%$'\x1e'*}"
      return "${line##*$'\x1e'}"
    fi
    printf '%s\n' "$line"
  done
  e2e_fail "lwtool ended while answering: $*"
}

# e2e_tool_start: one lwtool process, in the current Wine prefix, answers the script's e2e_tool
# calls from now on (a call a line through a pipe, its arguments separated by tabs).
e2e_tool_start() {
  rm -f "$E2E_OUT/tool.in" "$E2E_OUT/tool.out"
  mkfifo "$E2E_OUT/tool.in" "$E2E_OUT/tool.out" || e2e_fail "no pipes for lwtool"
  (cd "$E2E_STAGE" && exec wine lwtool.exe serve <"$E2E_OUT/tool.in" >"$E2E_OUT/tool.out") &
  E2E_TOOL=$!
  exec {E2E_TOOL_IN}>"$E2E_OUT/tool.in" {E2E_TOOL_OUT}<"$E2E_OUT/tool.out"
}

# e2e_tool_stop: ends that process; later calls start one each.
e2e_tool_stop() {
  [ -n "$E2E_TOOL" ] || return 0
  exec {E2E_TOOL_IN}>&- {E2E_TOOL_OUT}<&-
  kill "$E2E_TOOL" 2>/dev/null
  wait "$E2E_TOOL" 2>/dev/null
  E2E_TOOL=""
}

# e2e_winpath <unix path>: the same file through Wine's drive Z:.
e2e_winpath() {
  local path=$1
  printf 'Z:%s' "${path//\//\\}"
}

# e2e_serve: starts the demo web application on the start host's port; waits until it listens.
e2e_serve() {
  local port=${E2E_HOST##*:} i
  python3 "$E2E_SOURCE/demo/webapp/larkwell_demo.py" --port "$port" 2>"$E2E_OUT/server.log" &
  E2E_SERVER=$!
  for ((i = 0; i < 100; i++)); do
    grep -q 'larkwell-demo: serving' "$E2E_OUT/server.log" && return 0
    kill -0 "$E2E_SERVER" 2>/dev/null || break
    sleep 0.1
  done
  e2e_fail "the demo web application did not start on port $port"
}

# e2e_start [program [arguments...]]: starts the program (default Larkwell.exe) in the stage folder with the
# stand-in's exit report on; its output goes to $E2E_OUT/stdout and $E2E_STDERR. Set
# E2E_WINEDEBUG (say, +msg) to have Wine trace into that standard error while hunting a fault.
e2e_start() {
  E2E_STDERR=$E2E_OUT/stderr
  (cd "$E2E_STAGE" && ENGINESIM_REPORT_AT_EXIT=1 WINEDEBUG=${E2E_WINEDEBUG:--all} exec wine "${@:-Larkwell.exe}" \
     >"$E2E_OUT/stdout" 2>"$E2E_STDERR" </dev/null) &
  E2E_PROGRAM=$!
}

# e2e_wait_exit <seconds>: waits for $E2E_PROGRAM to end; sets E2E_STATUS to its exit code, or
# fails when it is still running after <seconds>.
e2e_wait_exit() {
  local tenths=$(($1 * 10)) i
  for ((i = 0; i < tenths; i++)); do
    kill -0 "$E2E_PROGRAM" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$E2E_PROGRAM" 2>/dev/null && e2e_fail "the program did not end within $1 s"
  wait "$E2E_PROGRAM"
  E2E_STATUS=$?
  E2E_PROGRAM=""
}

# e2e_wait_for <seconds> <command...>: retries the command every 0.1 s until it succeeds.
e2e_wait_for() {
  local tenths=$(($1 * 10)) i
  shift
  for ((i = 0; i < tenths; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# --- driving the program like a user

# The Save As dialog's title, in Chinese under the users' locale.
E2E_SAVE_AS_TITLES=("另存为" "Save As")
E2E_SAVE_AS=""

# e2e_x_window <title>: the X window id of the visible window with exactly that title.
e2e_x_window() {
  timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n1
}

# The title of the window that holds the browser.
E2E_MAIN_TITLE=Larkwell

# e2e_follow_link <n>: activates the n-th link (from 1) of the page with the keyboard, as a user
# would: focus the page, Tab to the link, Enter.
e2e_follow_link() {
  local main keys=() i
  main=$(e2e_x_window "$E2E_MAIN_TITLE") || e2e_fail "no main window to type into"
  [ -n "$main" ] || e2e_fail "no main window to type into"
  for ((i = 0; i < $1; i++)); do keys+=(Tab); done
  # A click on an empty part of the page (bottom right, below the content) focuses it.
  xdotool windowfocus --sync "$main" mousemove --window "$main" 1200 700 click 1 ||
    e2e_fail "could not click into the main window"
  xdotool windowfocus --sync "$main" key --delay 40 "${keys[@]}" Return ||
    e2e_fail "could not type into the main window"
}

# e2e_wait_save_as <seconds>: waits for the Save As dialog; sets E2E_SAVE_AS to its title.
e2e_wait_save_as() {
  E2E_SAVE_AS=$(e2e_tool first "$1" "${E2E_SAVE_AS_TITLES[@]}") && [ -n "$E2E_SAVE_AS" ]
}

# e2e_type_file_name <windows path>: types the path into the dialog's file name field with the
# keyboard (ASCII paths only) and checks that it arrived.
e2e_type_file_name() {
  local dialog field attempt
  dialog=$(e2e_x_window "$E2E_SAVE_AS")
  [ -n "$dialog" ] || e2e_fail "no X window for the dialog"
  for attempt in 1 2 3; do
    e2e_tool set "$E2E_SAVE_AS" 1148 "" || e2e_fail "no file name field"
    xdotool windowfocus --sync "$dialog" type --delay 20 "$1"
    field=$(e2e_tool get "$E2E_SAVE_AS" 1148)
    [ "$field" = "$1" ] && return 0
  done
  e2e_fail "the file name field holds '$field', not '$1'"
}

# e2e_box_text <title>: the text of the message box with that title (empty when none).
e2e_box_text() { e2e_tool texts "$1" 2>/dev/null; }

# e2e_same_as_served <file> <size>: true when the file holds exactly the first <size> bytes the
# demo web application sends for every download.
e2e_same_as_served() {
  python3 "$E2E_SOURCE/demo/webapp/larkwell_demo.py" expected "$2" "$E2E_OUT/expected.bin" &&
    cmp -s "$1" "$E2E_OUT/expected.bin"
}

# The start page's links, numbered as Tab reaches them.
E2E_LINK_REPORT=1 E2E_LINK_LARGE=4 E2E_LINK_SLOW=5 E2E_LINK_TRUNCATED=6 E2E_LINK_STALL=7 E2E_LINK_CHINESE=8
E2E_LINK_HOSTILE_FIRST=9   # ..\..\evil.xls, C:\Windows\evil.xls, CON.xls, bad<01><1F>name.xls
E2E_LINK_ABOUT=13

# e2e_page_served <n>: the web application has answered at least n requests for pages.
e2e_page_served() { [ "$(grep -c '"GET /[?p ]' "$E2E_OUT/server.log")" -ge "$1" ]; }

# e2e_start_larkwell: starts Larkwell.exe and waits until its window is up and the start page
# was served and shown.
e2e_start_larkwell() {
  e2e_start
  e2e_tool wait Larkwell 30 >/dev/null || e2e_fail "no visible window titled Larkwell"
  e2e_wait_for 10 e2e_page_served 1 || e2e_fail "the start page was never asked for"
  sleep 1
}

# e2e_download_to <link> <windows path>: follows the link, checks that the Save As dialog came,
# types the path and presses Save.
e2e_download_to() {
  e2e_follow_link "$1"
  e2e_wait_save_as 15 || e2e_fail "no Save As dialog after following link $1"
  e2e_type_file_name "$2"
  e2e_press_save
}

# e2e_press_save: presses Save, with the mouse pointer parked where the progress window will be.
# Without a window manager, X gives the keyboard to the window under the pointer and Wine then
# activates that window: parked on the progress window, the pointer cannot pull the activation
# over to the main window while a test looks at the progress window.
e2e_press_save() {
  local size
  size=$(xdpyinfo 2>/dev/null | awk '/dimensions:/ { print $2 }')
  xdotool mousemove "$(( ${size%x*} / 2 ))" "$(( ${size#*x} / 2 ))"
  e2e_tool press "$E2E_SAVE_AS" 1 || e2e_fail "could not press Save"
}

# e2e_expect_notice <text> <seconds>: waits for the box titled 提示 and checks its text holds
# <text>; E2E_NOTICE is its whole text. Leaves the box up.
e2e_expect_notice() {
  e2e_tool wait 提示 "$2" >/dev/null || e2e_fail "no box titled 提示 within $2 s (expected '$1')"
  E2E_NOTICE=$(e2e_box_text 提示)
  [[ "$E2E_NOTICE" == *"$1"* ]] || e2e_fail "the box says '$E2E_NOTICE', not '$1'"
}

# e2e_answer_notice <text> <seconds>: waits for the box titled 提示, checks that its text holds
# <text> and presses OK in it (one look at the box, for loops that answer many).
e2e_answer_notice() {
  local i
  e2e_tool wait 提示 "$2" >/dev/null || e2e_fail "no box titled 提示 within $2 s (expected '$1')"
  # A box just made may have no text yet; it is answered once it has.
  for ((i = 0; i < 50; i++)); do
    E2E_NOTICE=$(e2e_tool answer 提示 1) && break
    sleep 0.1
  done
  ((i < 50)) || e2e_fail "could not answer the box 提示"
  [[ "$E2E_NOTICE" == *"$1"* ]] || e2e_fail "the box said '$E2E_NOTICE', not '$1'"
}

# e2e_dismiss <title>: presses OK in the box and waits until it is gone.
e2e_dismiss() {
  e2e_tool press "$1" 1 || e2e_fail "could not press OK in $1"
  e2e_tool gone "$1" 5 || e2e_fail "the box $1 stayed up"
}
