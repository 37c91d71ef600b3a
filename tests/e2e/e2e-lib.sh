# Sourced by the end-to-end scripts: what each of them needs to run and watch the program.

# e2e_fail <message>: says why, shows the program's standard error when there is one, stops the
# program and fails the script.
e2e_fail() {
  echo "FAIL: $*"
  if [ -n "${E2E_STDERR:-}" ] && [ -s "$E2E_STDERR" ]; then
    echo "--- program's standard error:"
    cat "$E2E_STDERR"
  fi
  [ -z "${E2E_PROGRAM:-}" ] || kill "$E2E_PROGRAM" 2>/dev/null
  exit 1
}

# e2e_wait_exit <seconds>: waits for $E2E_PROGRAM to end; sets E2E_STATUS to its exit code, or
# fails when it is still running after <seconds>.
e2e_wait_exit() {
  local tenths=$(($1 * 10))
  for ((i = 0; i < tenths; i++)); do
    kill -0 "$E2E_PROGRAM" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$E2E_PROGRAM" 2>/dev/null && e2e_fail "the program did not end within $1 s"
  wait "$E2E_PROGRAM"
  E2E_STATUS=$?
}
