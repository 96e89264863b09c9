#!/usr/bin/env bash
# Long fuzzing, run by hand (CI runs only a short round in scripts/test.sh):
#   scripts/fuzz.sh SECONDS [JOBS] [TARGET...]
# builds the clang fuzz tree as scripts/test.sh does, then runs every fuzz
# target (or the ones named) for SECONDS each, JOBS at a time (default: one
# per core). Each starts from its committed corpus, tests/fuzz/corpus/<name>/,
# and its shipped seed files; afterwards the committed corpus is replaced by
# a merge (libFuzzer's -merge=1) of the old one and the new inputs, keeping
# only inputs that reach code the seed files do not (edges, not hit counts,
# so that the corpora stay small). Crash reproducers are
# kept under build-fuzz/fuzz-artifacts/<date-time>/<name>/ and make the
# script fail.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/fuzz-common.sh
. "$top/scripts/fuzz-common.sh"

if [ $# -lt 1 ] || ! [[ $1 =~ ^[0-9]+$ ]] || [ "$1" -lt 1 ]; then
  echo "usage: $0 SECONDS [JOBS] [TARGET...]" >&2
  exit 2
fi
fuzz_seconds=$1
jobs=${2:-$(nproc 2>/dev/null || echo 2)}
shift $(( $# >= 2 ? 2 : 1 ))

# The fuzz tree copies the generated content of the plain tree, whose files
# are the targets' seeds: made here (only the content, not the program).
generator=()
[ -f "$top/build/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S "$top" -B "$top/build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_TESTS=ON >/dev/null
cmake --build "$top/build" -j"$jobs" --target qv_content qv_generated_content
configure_fuzz_tree
cmake --build "$top/build-fuzz" -j"$jobs" --target qv_fuzz_targets

targets=()
if [ $# -gt 0 ]; then
  for name in "$@"; do
    [ -x "$top/build-fuzz/tests/fuzz/$name" ] || { echo "no fuzz target $name" >&2; exit 2; }
    targets+=("$top/build-fuzz/tests/fuzz/$name")
  done
else
  mapfile -t targets < <(fuzz_targets)
fi

# The leak checker knows the same leaks of outside libraries as in the tests.
export LSAN_OPTIONS=suppressions="$top/tests/lsan.supp"
fuzz_work=$(mktemp -d)
trap 'rm -rf "$fuzz_work"' EXIT
fuzz_artifacts="$top/build-fuzz/fuzz-artifacts/$(date +%Y%m%d-%H%M%S)"
echo "== fuzzing ${#targets[@]} targets, ${fuzz_seconds} s each, ${jobs} at a time"
status=0
run_fuzzers "${targets[@]}" || status=1

# corpus_kb <folder>: the bytes of the files in it, in KB.
corpus_kb() {
  find "$1" -type f -printf '%s\n' | awk '{ s += $1 } END { printf "%d", (s + 1023) / 1024 }'
}

# merge_corpus <target>: the seed files, then the old committed corpus and
# the new inputs merged onto them; what the merge added beyond the seeds
# becomes the committed corpus. Inputs over 8 KB are left out: they are
# mostly seed files with a few bytes changed, which the fuzzing finds again.
merge_corpus() {
  local target=$1 name dir merged
  name=$(basename "$target")
  dir="$fuzz_work/$name"
  merged="$dir/merged"
  rm -rf "$merged"
  cp -r "$dir/seeds" "$merged"
  find "$dir/committed" "$dir/corpus" -type f -size +8k -delete
  (cd "$dir" && "$target" -merge=1 -use_counters=0 "$merged" "$dir/committed" "$dir/corpus" >"$dir.merge.log" 2>&1) || {
    echo "-- $name: merge failed:"; tail -n 20 "$dir.merge.log"; return 1
  }
  (cd "$dir/seeds" && find . -maxdepth 1 -type f -exec rm -f "$merged/{}" \;)
  rm -rf "$top/tests/fuzz/corpus/$name"
  mkdir -p "$top/tests/fuzz/corpus/$name"
  find "$merged" -maxdepth 1 -type f -exec cp {} "$top/tests/fuzz/corpus/$name/" \;
  echo "-- $name: $(find "$top/tests/fuzz/corpus/$name" -type f | wc -l) inputs," \
       "$(corpus_kb "$top/tests/fuzz/corpus/$name") KB"
}

echo "== merging the corpora into tests/fuzz/corpus"
for target in "${targets[@]}"; do
  merge_corpus "$target" || status=1
done
echo "== corpora: $(corpus_kb "$top/tests/fuzz/corpus") KB in all"

# Slow inputs are reported there too, but are no failure.
crashes=$(find "$fuzz_artifacts" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
            -o -name 'oom-*' \) 2>/dev/null | sort || true)
if [ -n "$crashes" ]; then
  echo "== reproducers (run the target on one to see its report):"
  echo "$crashes"
  status=1
fi
[ "$status" -eq 0 ] && echo "== fuzzing found nothing"
exit "$status"
