# What the real-window tests share (sourced with "." after TESTS, the tests
# folder, is set): start_program runs PROGRAM (with the arguments after LOG)
# in the background on the X display with its output in LOG and kills it
# when the test ends;
# wait_for_end waits up to ten seconds for it to end by itself, with a
# status of 0; fail says what went wrong, with the program's output.
#   TESTS=...; . "$TESTS/window_session.sh"; start_program PROGRAM LOG [ARG...]

start_program() {
  PROGRAM=$1
  LOG=$2
  shift 2
  mkdir -p "$(dirname "$LOG")"
  # The sanitizer build's leak check leaves the window system's libraries out.
  LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$TESTS/calform/window/lsan.supp"
  export LSAN_OPTIONS
  # The tests run with the offscreen platform; these need the X display.
  QT_QPA_PLATFORM=xcb "$PROGRAM" "$@" > "$LOG" 2>&1 &
  PID=$!
  trap 'kill $PID 2>/dev/null || true' EXIT
}

fail() {
  echo "real_window: $1" >&2
  cat "$LOG" >&2
  exit 1
}

# Its argument says what should have ended the program ("after the dialog closed").
wait_for_end() {
  for _ in $(seq 100); do
    kill -0 $PID 2>/dev/null || break
    sleep 0.1
  done
  kill -0 $PID 2>/dev/null && fail "the program did not end $1"
  wait $PID || fail "the program failed"
}
