# shellcheck shell=bash disable=SC2154  # top, jobs and the fuzz_ settings come from the caller
# Sourced by scripts/test.sh (a short fuzzing run) and scripts/fuzz.sh (long
# runs that grow the committed corpora): building the clang fuzz tree and
# running its targets. Needs `top` (the source tree) and `jobs` set.

# configure_fuzz_tree: one clang tree with AddressSanitizer,
# UndefinedBehaviorSanitizer and the fuzzers' coverage, optimised a little
# (the searches' property tests take minutes unoptimised) and with line
# tables only, which is all the sanitizers' reports need. It copies the plain
# tree's generated content rather than building and running the generators
# again. It is a unity build (cmake/UnityBuild.cmake): a few sources compiled
# as one, which halves its build. A new folder is made for Ninja; one made
# before keeps its generator.
configure_fuzz_tree() {
  local generator=()
  [ -f "$top/build-fuzz/CMakeCache.txt" ] || generator=(-G Ninja)
  CC=clang CXX=clang++ cmake -S "$top" -B "$top/build-fuzz" "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_FLAGS_DEBUG="-O1 -gline-tables-only" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
    -DQV_FUZZ=ON -DQV_SANITIZE=address,undefined -DCMAKE_UNITY_BUILD=ON -DQV_CONTENT_FROM="$top/build/game" >/dev/null
}

# fuzz_targets: the built targets' paths, one a line.
fuzz_targets() {
  local target
  for target in "$top"/build-fuzz/tests/fuzz/Fuzz*; do
    [ -x "$target" ] && [ -f "$target" ] && echo "$target"
  done
  return 0
}

# run_fuzzer <target>: runs one target for fuzz_seconds in
# fuzz_work/<name>/. New inputs go to its own corpus folder there; read as
# further corpora are a copy of the committed corpus
# (tests/fuzz/corpus/<name>/, never written here) and the shipped files that
# seeds.txt names for it. All are given whole, as some targets work in a
# folder of their own. Crash reproducers are written under fuzz_artifacts
# when that is set. Exported for xargs.
run_fuzzer() {
  local target=$1 name pattern file patterns dir
  name=$(basename "$target")
  dir="$fuzz_work/$name"
  mkdir -p "$dir/corpus" "$dir/committed" "$dir/seeds"
  read -ra patterns <<<"$(awk -v t="$name" '$1 == t { $1 = ""; print }' "$top/tests/fuzz/seeds.txt")"
  for pattern in "${patterns[@]}"; do
    for file in "$top/build-fuzz/game"/$pattern; do
      [ -f "$file" ] || continue
      cp "$file" "$dir/seeds/$(echo "${file#"$top/build-fuzz/game"/}" | tr / _)"
    done
  done
  if [ -d "$top/tests/fuzz/corpus/$name" ]; then
    cp -r "$top/tests/fuzz/corpus/$name/." "$dir/committed/"
  fi
  local artifacts=()
  if [ -n "${fuzz_artifacts:-}" ]; then
    mkdir -p "$fuzz_artifacts/$name"
    artifacts=(-artifact_prefix="$fuzz_artifacts/$name/")
  fi
  if (cd "$dir" && "$target" -max_total_time="$fuzz_seconds" -print_final_stats=1 "${artifacts[@]}" \
        "$dir/corpus" "$dir/committed" "$dir/seeds" >"$dir.log" 2>&1); then
    echo "-- $name: $(grep -m1 'stat::number_of_executed_units' "$dir.log" | awk '{print $2}') runs"
  else
    echo "-- $name FAILED:"; tail -n 40 "$dir.log"
    grep -h 'Test unit written to' "$dir.log" | sed 's/^.*Test unit written to /-- reproducer: /' || true
    return 1
  fi
}

# run_fuzzers <target>...: runs the targets, `jobs` at a time; fails when
# one failed, after all have run.
run_fuzzers() {
  export -f run_fuzzer
  export top fuzz_work fuzz_seconds fuzz_artifacts
  # shellcheck disable=SC2016  # $1 is the inner shell's
  printf '%s\n' "$@" | xargs -P "$jobs" -I{} bash -c 'run_fuzzer "$1"' _ {}
}
