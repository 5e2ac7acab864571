#!/usr/bin/env bash
# Checks every C++ file of the checkout against .clang-format, and every
# translation unit of ours in the given build trees' compile_commands.json
# with clang-tidy and the checks in .clang-tidy. Any finding fails.
#   scripts/lint.sh [BUILD_DIR...]      (default: build/dev)
# A build tree must be built first (Ninja): clang-tidy reads the headers Qt's
# moc generates there, and the list of headers each unit includes decides
# whether an earlier clean result for that unit still holds.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build_dirs=("${@:-build/dev}")

# Tracked files and new ones not yet added, so nothing needs listing here.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t listed < <(git ls-files --cached --others --exclude-standard -- \
    '*.cpp' '*.cc' '*.cxx' '*.h' '*.hh' '*.hpp')
else
  mapfile -t listed < <(find . -path ./build -prune -o -path ./.git -prune -o \
    -type f \( -name '*.cpp' -o -name '*.cc' -o -name '*.cxx' -o -name '*.h' -o -name '*.hh' \
    -o -name '*.hpp' \) -print | sed 's|^\./||')
fi
sources=()
for file in "${listed[@]}"; do
  [[ -f "$file" ]] && sources+=("$file") # a deleted file is still listed until committed
done
[[ ${#sources[@]} -gt 0 ]] || { echo "lint: no C++ files found" >&2; exit 1; }

clang-format --dry-run -Werror "${sources[@]}"
echo "lint: ${#sources[@]} files formatted as .clang-format says"

# Findings are reported in our headers only: not in the system's, and not in
# the build tree's generated ones. The directories come from the files above.
ere_escape() { sed 's/[].[^$*+?(){}|\\]/\\&/g'; }
top_dirs=$(printf '%s\n' "${sources[@]}" | grep / | cut -d/ -f1 | sort -u | ere_escape | paste -sd'|')
header_filter="^$(ere_escape <<<"$root")/($top_dirs)/"

# One line per unit: build tree, source, object file and a hash of its
# compile command. A unit in two trees is checked in the first; generated
# sources are not ours to check.
units=$(python3 - "$root" "${build_dirs[@]}" <<'PY'
import hashlib, json, os, shlex, sys
root, dirs = sys.argv[1], sys.argv[2:]
seen = set()
for d in dirs:
    build = os.path.realpath(d)
    with open(os.path.join(build, "compile_commands.json")) as db:
        entries = json.load(db)
    for e in entries:
        source = os.path.realpath(os.path.join(e["directory"], e["file"]))
        inside = lambda top: os.path.commonpath([source, top]) == top
        if not inside(root) or inside(build) or inside(os.path.join(root, "build")):
            continue
        # The tests' own units are formatted and compiled with every warning
        # as an error, but not tidied: parsing them took a third of the test
        # command's ten minutes. What the programs are built from is.
        if inside(os.path.join(root, "tests")):
            continue
        if source not in seen:
            seen.add(source)
            args = e.get("arguments") or shlex.split(e["command"])
            output = e.get("output") or next((b for a, b in zip(args, args[1:]) if a == "-o"), "-")
            command = hashlib.sha256(json.dumps(e, sort_keys=True).encode()).hexdigest()
            print(build, source, output, command, sep="\t")
PY
)
[[ -n "$units" ]] || { echo "lint: no translation units in ${build_dirs[*]}" >&2; exit 1; }

# A unit passes again without a run while nothing that went into its last
# clean run has changed: clang-tidy, the checks, the compile command and the
# bytes of every file the unit includes. Ninja's record of those files counts
# only while none of them is newer than the object built from them.
settings=$( (clang-tidy --version; cat .clang-tidy; echo "$header_filter") | sha256sum)
check_unit() {
  local build source object command deps files stamp="" output status=0
  IFS=$'\t' read -r build source object command <<<"$1"
  if deps=$(ninja -C "$build" -t deps "$object" 2>/dev/null) && [[ "$deps" == *"(VALID)"* ]]; then
    mapfile -t files < <(sed -n 's/^    //p' <<<"$deps")
    if (cd "$build" && [[ -z "$(find "${files[@]}" -newer "$object" -print -quit)" ]]); then
      stamp=$build/lint-passed/$( (echo "$settings $command"
        cd "$build" && cat "${files[@]}") | sha256sum | cut -c1-64)
      [[ -e "$stamp" ]] && return 0
    fi
  fi
  output=$(clang-tidy -p "$build" --quiet --header-filter="$header_filter" "$source" 2>&1) ||
    status=$?
  grep -v -e '^[0-9]* warnings\? generated\.$' -e '^$' <<<"$output" || true
  [[ $status -eq 0 ]] || return 1
  if [[ -n "$stamp" ]]; then
    mkdir -p "${stamp%/*}" && touch "$stamp"
  fi
}
export -f check_unit
export settings header_filter

count=$(wc -l <<<"$units")
# shellcheck disable=SC2016 # expanded by the inner shell
if ! xargs -d '\n' -n1 -P"$(nproc)" bash -c 'check_unit "$1"' _ <<<"$units"; then
  echo "lint: clang-tidy has findings (checks in .clang-tidy)" >&2
  exit 1
fi
echo "lint: $count translation units clean under clang-tidy"
