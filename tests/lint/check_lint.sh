#!/usr/bin/env bash
# scripts/lint.sh on a scratch checkout that holds this project's lint
# settings and one file nobody listed: each case says whether the lint must
# pass, and what it must name when it fails.   check_lint.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
for tool in git clang-format clang-tidy python3; do
  command -v "$tool" >/dev/null || { echo "lint check: no $tool, skipped"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name | file | content | expected: "pass" or a text the failure must show
cases=(
  "clean unit|lib/clean.cpp|int twice(int value) {\n    return 2 * value;\n}\n|pass"
  "unformatted header|lib/loose.h|int  twice(int value);\n|clang-format-violations"
  "use after move|lib/moved.cpp|#include <string>\n#include <utility>\n\nstd::size_t moved(std::string text) {\n    std::string other = std::move(text);\n    return text.size() + other.size();\n}\n|bugprone-use-after-move"
  "finding in an included header|lib/unit.cpp|#include \"copies.h\"\n|performance-for-range-copy"
  "test program, formatted but not tidied|tests/moved_test.cpp|#include <string>\n#include <utility>\n\nstd::size_t moved(std::string text) {\n    std::string other = std::move(text);\n    return text.size() + other.size();\n}\n|pass"
  "generated file in the build tree|build/dev/gen.cpp|#include <string>\n#include <utility>\n\nstd::size_t moved(std::string text) {\n    std::string other = std::move(text);\n    return text.size() + other.size();\n}\n|pass"
)
copies='#include <string>\n#include <vector>\n\ninline std::size_t total(const std::vector<std::string>& texts) {\n    std::size_t sum = 0;\n    for (const std::string text : texts)\n        sum += text.size();\n    return sum;\n}\n'

unit() { printf '{"directory": "%s", "file": "%s", "command": "c++ -std=c++20 -c %s -o %s.o"}' \
  "$1/build/dev" "$1/$2" "$1/$2" "${2//\//_}"; }

failed=0
for case in "${cases[@]}"; do
  IFS='|' read -r name file content expected <<<"$case"
  tree=$work/${name// /-}
  mkdir -p "$tree/scripts" "$tree/build/dev" "$tree/lib" "$tree/$(dirname "$file")"
  cp "$source_dir/scripts/lint.sh" "$tree/scripts/"
  cp "$source_dir/.clang-format" "$source_dir/.clang-tidy" "$tree/"
  printf '/build/\n' >"$tree/.gitignore"
  printf '%b' "$copies" >"$tree/lib/copies.h"
  printf 'int one() {\n    return 1;\n}\n' >"$tree/lib/base.cpp"
  printf '%b' "$content" >"$tree/$file"
  git -C "$tree" init -q
  # The units in the compile database; the file itself is never listed anywhere.
  units=$(unit "$tree" lib/base.cpp)
  [[ "$file" == *.cpp ]] && units+=", $(unit "$tree" "$file")"
  echo "[$units]" >"$tree/build/dev/compile_commands.json"
  status=0
  output=$("$tree/scripts/lint.sh" build/dev 2>&1) || status=$?
  if [[ "$expected" == pass && $status -ne 0 ]] ||
    [[ "$expected" != pass && ($status -eq 0 || "$output" != *"$expected"*) ]]; then
    echo "FAIL $name: status $status, expected $expected; output:"$'\n'"$output"
    failed=1
  else
    echo "ok   $name"
  fi
done
exit "$failed"
