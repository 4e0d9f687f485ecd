#!/usr/bin/env bash
# The language switch across a restart: on the Version page of a running English Corvane the
# language combo is set to Chinese and the question answered Yes; "LangType.txt" then holds CHT,
# the old instance restarts itself through "RESTART" and quits, and the new one comes up in Chinese.
# Usage: corvane_language_test.sh PROBE.exe SCRIPTS-DIR WINE-ROOT PROGRAM-DIR
set -u
. "$(dirname "$0")/corvane_test_lib.sh"
trap cleanup_corvane_test EXIT
prepare_prefix
printf 'QVX_VER=1\r\nENG\r\n' >"$folder/LangType.txt"

corvane_bg; first=$!
probe wait-main 60 >/dev/null || fail "no main window"
# The Version page is the second tab, after the Driver page.
probe select-tab 1 || fail "cannot select the Version tab"
probe texts >"$work/english"
cat "$work/english" >>"$log"
grep -qx 'child -1 Static shown Interface language:' "$work/english" || fail "the first instance is not in English"

echo "--- switch to Chinese on the Version page"
probe select-language 1 || fail "no language combo on the pages"
question=$(probe answer-yes 10) || fail "no question was asked"
echo "$question"
[ "$question" = "question Switch language" ] || fail "unexpected question: $question"
wait_pid "$first" 30 || fail "the old instance did not quit for the restart"
[ "$waited_rc" -eq 0 ] || fail "the old instance's exit code $waited_rc"
[ "$(cat "$folder/LangType.txt")" = $'QVX_VER=1\r\nCHT\r' ] || fail "LangType.txt: $(od -c "$folder/LangType.txt")"

echo "--- the restarted instance"
probe wait-main 40 >/dev/null || fail "the restarted instance shows no main window"
probe select-tab 1 || fail "cannot select the Version tab of the restarted instance"
probe texts >"$work/chinese"
cat "$work/chinese" >>"$log"
grep -qx 'child -1 Static shown 介面語言：' "$work/chinese" || fail "the restarted instance is not in Chinese"
grep -q '^child 1020 ComboBox' "$work/chinese" || fail "the restarted instance has no Version page"
cmp -s "$work/english" "$work/chinese" && fail "the window texts did not change"
corvane QUITAPP
for _ in $(seq 100); do [ "$(probe count-main)" = 0 ] && break; sleep 0.2; done
[ "$(probe count-main)" = 0 ] || fail "the restarted instance did not quit"
echo "PASS"
