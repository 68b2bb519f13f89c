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
  if [ $rc -ne 0 ]; then
    grep -v -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed|^ +Start +[0-9]+:' "$dir/ctest.log" |
      tail -n 200
  else
    sed -n '/tests passed/,$p' "$dir/ctest.log"
  fi
  return $rc
}

# Starts a persistent wine server (a cold wine start per process costs
# seconds) and boots the prefix, so that no test waits for its creation.
wine_up() {
  wineserver -p >/dev/null 2>&1
  wine wineboot -i >/dev/null 2>&1 || true
}
