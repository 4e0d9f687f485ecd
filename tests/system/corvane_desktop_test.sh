#!/usr/bin/env bash
# Corvane in a Wine virtual desktop, as scripts/run starts it: its icon and the start-up balloon in
# the desktop's notification area, the main window with the Version and Help pages in English and
# Chinese (screenshots under build/screenshots/), the right click's menu (screenshot) whose Quit
# ends the program, and the icon coming back without a balloon after a work-area change and after
# a new taskbar that had lost it ("TaskbarCreated" is sent here: Wine never sends it).
# Usage: corvane_desktop_test.sh PROBE.exe SCRIPTS-DIR WINE-ROOT PROGRAM-DIR
set -u
. "$(dirname "$0")/corvane_test_lib.sh"
trap cleanup_corvane_test EXIT
prepare_prefix
# Every process of the prefix on the one virtual desktop, the probe too.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Corvane /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Corvane /d 1024x768 /f >/dev/null 2>&1

# start_on_desktop LANG: Corvane in the virtual desktop in that language; its pid in $desktop.
start_on_desktop() {
  printf 'QVX_VER=1\r\n%s\r\n' "$1" >"$folder/LangType.txt"
  wine explorer /desktop=Corvane,1024x768 "$corvane_exe" >>"$log" 2>&1 &
  desktop=$!; background_pids+=($desktop)
  probe wait-main 60 >/dev/null || fail "no main window on the desktop ($1)"
}
# until_probe SECONDS EXPECTED ARGS...: until the probe answers EXPECTED.
until_probe() {
  local deadline=$(( $(now_ms) + $1 * 1000 )) expected=$2; shift 2
  until [ "$(probe "$@")" = "$expected" ]; do
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

for lang in ENG CHT; do
  tag=$(echo "$lang" | tr A-Z a-z)
  echo "--- $lang"
  start_on_desktop "$lang"
  until_probe 10 "icon 1" tray-icon || fail "no icon in the notification area"
  until_probe 10 "balloon 1" balloon || fail "no balloon at start-up"
  probe screenshot "desktop_$tag" screen
  probe screenshot "main_${tag}_driver" || fail "no screenshot"
  probe select-tab 1 || fail "cannot select the Version tab"
  probe screenshot "main_${tag}_version"
  probe select-tab 2 || fail "cannot select the Help tab"
  probe screenshot "main_${tag}_help"
  probe select-tab 0

  if [ "$lang" = ENG ]; then
    echo "--- work-area change and a new taskbar"
    until_probe 40 "balloon 0" balloon || fail "the start-up balloon never went"
    probe tray-event workarea
    sleep 0.5
    [ "$(probe tray-icon)" = "icon 1" ] || fail "the icon went at the work-area change"
    probe tray-event forget
    until_probe 5 "icon 0" tray-icon || fail "the taskbar kept the icon it was told to forget"
    probe tray-event taskbar-created
    until_probe 5 "icon 1" tray-icon || fail "the icon did not come back on the new taskbar"
    sleep 1
    [ "$(probe balloon)" = "balloon 0" ] || fail "the icon came back with a balloon"
  fi

  echo "--- the tray menu"
  probe tray-menu || fail "the right click shows no menu"
  sleep 0.5
  probe screenshot "tray_menu_$tag" screen
  probe key 81  # Q: the menu's Quit
  until_probe 30 0 count-main || fail "the tray menu's Quit did not end the program"
  if ! until_probe 30 "icon 0" tray-icon; then
    probe screenshot "desktop_${tag}_icon_left" screen
    fail "the icon stayed after the program ended (build/screenshots/desktop_${tag}_icon_left.png)"
  fi
  # The virtual desktop outlives the program: end it with its server.
  wineserver -k
  wait_pid "$desktop" 20 || fail "the virtual desktop did not end"
done
echo "PASS"
