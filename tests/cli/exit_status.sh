#!/usr/bin/env bash
# The command-line tool run as a program: its exit statuses, its streams, and
# addresses piped in with no argument.   exit_status.sh QUELLAN
set -uo pipefail
quellan=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# expect STATUS STDOUT STDERR -- ARGUMENTS...   (standard input from $input)
input=$work/in
expect() {
  local status=$1 out=$2 err=$3
  shift 4
  "$quellan" "$@" <"$input" >"$work/out" 2>"$work/err"
  local got=$?
  if [[ $got -ne $status || "$(cat "$work/out")" != "$out" || "$(cat "$work/err")" != "$err" ]]; then
    echo "quellan $*: status $got, out <$(cat "$work/out")>, err <$(cat "$work/err")>;" \
      "expected $status, <$out>, <$err>" >&2
    failures=$((failures + 1))
  fi
}

: >"$work/in"
expect 0 "192.168.1.0/26" "" -- --get cidr 192.168.1.10/26
expect 1 "" "quellan: 300.1.1.1: Value is larger than 254." -- 300.1.1.1
expect 0 "" "" -- # nothing piped in: nothing to do
printf '# hosts\n10.0.0.1\n\n172.16.0.1 255.255.255.0\n' >"$work/in"
expect 0 $'10.0.0.0/8\n172.16.0.0/24' "" -- --get cidr
printf '10.0.0.1\n10.0.0.2' >"$work/in" # the last line without its line end
expect 0 $'10.0.0.1\n10.0.0.2' "" -- --get input
# Read in blocks: lines that cross the edge of a block, and one far longer than a block.
awk 'BEGIN { for (i = 0; i < 20000; i++) printf "10.%d.%d.1/%d\n", i % 250, i % 200, 8 + i % 24 }' >"$work/in"
"$quellan" --get cidr <"$work/in" | awk '!/^10\.[0-9]+\.[0-9]+\.0\/[0-9]+$/ { bad++ } END { exit bad > 0 || NR != 20000 }' ||
  { echo "a long input did not give one network per line" >&2; failures=$((failures + 1)); }
{ printf '10.0.0.1/'; head -c 200000 /dev/zero | tr '\0' '2'; printf '\n10.0.0.3\n'; } >"$work/in"
"$quellan" --get input <"$work/in" >"$work/out" 2>/dev/null
grep -qx '10.0.0.3' "$work/out" ||
  { echo "the line after a very long one was lost" >&2; failures=$((failures + 1)); }
input=$work expect 1 "" "quellan: cannot read the standard input: Is a directory" -- --get input
# A line without an end is refused as soon as it passes the limit, in memory
# that stays bounded, however long it goes on.
"$quellan" --get cidr </dev/zero >/dev/null 2>"$work/err" &
endless=$!
sleep 1
rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$endless/status" 2>/dev/null)
kill "$endless" 2>/dev/null
wait "$endless" 2>/dev/null
[[ -n "$rss" && $rss -lt 262144 && "$(cat "$work/err")" == "quellan: line 1: "*": The line is longer than 65536 bytes." ]] ||
  { echo "quellan </dev/zero: ${rss:-no} KiB resident after a second, <$(cat "$work/err")>" >&2; failures=$((failures + 1)); }
"$quellan" 10.0.0.1/30 <"$work/in" | grep -qx 'Usable address range: 10.0.0.1 - 10.0.0.2' ||
  { echo "text output lacks the range line" >&2; failures=$((failures + 1)); }
# A program that feeds addresses one at a time gets each answer before it sends the next.
coproc answers { "$quellan" --get cidr; }
# Bash forgets answers_PID once the coprocess has ended, which may be before the wait.
answers_pid=$answers_PID
for address in 10.0.0.1 172.16.0.1; do
  echo "$address" >&"${answers[1]}"
  read -r -t 5 answer <&"${answers[0]}" || answer="no answer within 5 seconds"
  [[ "$answer" == "${address%%.*}".* ]] ||
    { echo "fed $address one line at a time, got: $answer" >&2; failures=$((failures + 1)); }
done
exec {answers[1]}>&-
wait "$answers_pid"
# A split of 2^48 subnets ends, with status 0 and nothing on standard error,
# as soon as its reader has what it wants.
status=$( (timeout 10 "$quellan" split 64 2001:db8::/16 2>"$work/err"; echo $? >"$work/status") | head -3 | wc -l)
[[ $status -eq 3 && "$(cat "$work/status")" == 0 && ! -s "$work/err" ]] ||
  { echo "split | head -3: $status lines, status $(cat "$work/status"), <$(cat "$work/err")>" >&2; failures=$((failures + 1)); }
"$quellan" --help >"$work/out" && grep -q '^Usage: quellan' "$work/out" ||
  { echo "--help did not print the usage" >&2; failures=$((failures + 1)); }
# A full disk is a failure, reported once; the reader going away is none.
for args in "192.168.1.10" "split 26 10.0.0.0/8" "--help" "merge 10.0.0.0/24"; do
  # shellcheck disable=SC2086
  "$quellan" $args </dev/null >/dev/full 2>"$work/err"
  status=$?
  [[ $status -eq 1 && "$(cat "$work/err")" == "quellan: write error: No space left on device" ]] ||
    { echo "quellan $args >/dev/full: status $status, <$(cat "$work/err")>" >&2; failures=$((failures + 1)); }
done
"$quellan" --frobnicate 2>/dev/null
[[ $? -eq 2 ]] || { echo "an unknown option did not end with status 2" >&2; failures=$((failures + 1)); }
# A plan kept in git checked in a pipeline: a broken file gives its lines on
# standard error, nothing on standard output, and status 1.
"$quellan" plan --new 10.0.0.0/24 >"$work/p.qplan"
: >"$work/in"
"$quellan" plan --json "$work/p.qplan" >/dev/null ||
  { echo "a new plan did not pass its own check" >&2; failures=$((failures + 1)); }
sed 's|10.0.0.0/24"}|10.0.0.0/25"}|' "$work/p.qplan" >"$work/gap.qplan"
expect 1 "" "$work/gap.qplan:6: 10.0.0.128-10.0.0.255 of 10.0.0.0/24 is in no subnet." -- plan --json "$work/gap.qplan"

[[ $failures -eq 0 ]] && echo "quellan: exit statuses and streams as expected"
exit $((failures > 0))
