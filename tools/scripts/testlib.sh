# Helpers of ./test, also sourced by the commands it runs under Xvfb.
# They use $jobs (parallel jobs).

# Configures a build folder quietly; on failure shows why.
configure() {
  local dir=$1
  shift
  mkdir -p "$dir"
  if ! cmake -S . -B "$dir" -G Ninja "$@" >"$dir/configure.log" 2>&1; then
    tail -n 40 "$dir/configure.log"
    return 1
  fi
}

# Builds a folder quietly; on failure shows the end of the build log.
build() {
  local dir=$1
  if ! cmake --build "$dir" -j "$jobs" >"$dir/build.log" 2>&1; then
    grep -E 'error|Error|FAILED' "$dir/build.log" | head -n 40
    tail -n 40 "$dir/build.log"
    return 1
  fi
}

# Runs the tests of a build folder; prints the summary, and the output of
# the failing tests in full.
run_ctest() {  # run_ctest DIR [ctest options...]
  local dir=$1 rc=0
  shift
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure "$@" >"$dir/ctest.log" 2>&1 || rc=$?
  show_ctest "$dir" $rc
  return $rc
}

show_ctest() {  # show_ctest DIR RC
  if [ "$2" -ne 0 ]; then
    grep -v -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed|^ +Start +[0-9]+:' "$1/ctest.log" |
      tail -n 200
  else
    sed -n '/tests passed/,$p' "$1/ctest.log"
  fi
}

# The tests that failed without printing a single line: under wine, about
# one process in a few thousand ends at once, before main, when many start
# side by side. Every test prints its first line from main.
silent_failures() {  # silent_failures DIR
  awk '
    /^[0-9]+\/[0-9]+ Testing: / { name = $0; sub(/^[0-9]+\/[0-9]+ Testing: /, "", name); printed = 0 }
    /^Output:$/ { reading = 1; getline; next }
    /^<end of output>$/ { reading = 0; next }
    reading { printed = 1 }
    /^Test Failed\.$/ && !printed { print name }
  ' "$1/Testing/Temporary/LastTest.log"
}

# run_ctest for tests run by wine: when every failure is such a silent one,
# those tests run once more, and say so; any failure that printed stands.
run_wine_ctest() {  # run_wine_ctest DIR [ctest options...]
  local dir=$1 rc=0 silent failed
  shift
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure "$@" >"$dir/ctest.log" 2>&1 || rc=$?
  if [ $rc -ne 0 ]; then
    silent=$(silent_failures "$dir")
    failed=$(wc -l <"$dir/Testing/Temporary/LastTestsFailed.log")
    if [ -n "$silent" ] && [ "$(printf '%s\n' "$silent" | wc -l)" -eq "$failed" ]; then
      echo "wine ended $failed test process(es) before main; running them once more:"
      printf '%s\n' "$silent" | sed 's/^/  /'
      rc=0
      ctest --test-dir "$dir" -j "$jobs" --output-on-failure --rerun-failed "$@" \
        >"$dir/ctest.log" 2>&1 || rc=$?
      show_ctest "$dir" $rc
      return $rc
    fi
  fi
  show_ctest "$dir" $rc
  return $rc
}

# Starts a persistent wine server (a cold wine start per process costs
# seconds) and boots the prefix, so that no test waits for its creation.
wine_up() {
  wineserver -p >/dev/null 2>&1
  wine wineboot -i >/dev/null 2>&1 || true
}
