#!/usr/bin/env bash
# The Version and Help pages against the maker's web host, in a computer of their own: the
# computer's hosts file (/etc/netns/<computer>/hosts, which `ip netns exec` puts over /etc/hosts)
# gives the host name to 127.0.0.1, where a web server of the test listens on port 80, and a
# recording program is the prefix's browser: the http handler, and, for a run that Wine reports
# as Windows XP, the prefix's "iexplore.exe" in system32 (where the shell finds it).
# Nothing in the program knows it is being tested.
# Usage: info_pages_web_test.sh PROBE.exe RECORDER.exe COMPUTERS-SCRIPT WINE-ROOT SERVER.py
set -u
probe=$1 recorder=$2 computers=$3 root=$4 server_script=$5
if [ "$(id -u)" -ne 0 ]; then
  echo "FAIL: must run as root (it makes a network namespace with its own hosts file and a server on port 80)"
  exit 1
fi
host=www.corvane-lan.com
tree=$(echo -n "$root" | cksum | cut -c1-6)
pc=cvc-$tree-web
work=$(mktemp -d /tmp/cvc-pages.XXXXXX)
log=$work/probe.log
server_pid=
# WinINet's preconfigured access takes the Linux proxy variables: the test talks to its own server.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY

winpath() { local p=${1//\//\\}; echo "Z:$p"; }
fail() {
  echo "FAIL: $*"
  echo "--- probe output:"; cat "$log" 2>/dev/null
  echo "--- server output:"; cat "$work/server.out" 2>/dev/null
  exit 1
}
start_server() {
  : >"$work/server.out"
  # ip netns exec itself, so that the process to stop is the server's.
  ip netns exec "$pc" python3 "$server_script" 127.0.0.1 80 "$work/www" "$work/requests.log" \
    >"$work/server.out" 2>&1 &
  server_pid=$!
  for _ in $(seq 50); do grep -q serving "$work/server.out" && return 0; sleep 0.1; done
  return 1
}
stop_server() {
  [ -n "$server_pid" ] || return 0
  kill "$server_pid" 2>/dev/null
  wait "$server_pid" 2>/dev/null
  server_pid=
}
cleanup() {
  stop_server
  "$computers" stop "$pc" "$root"
  "$computers" down "$pc"
  rm -rf "/etc/netns/$pc" "$work"
}
# A program of the computer, cut off after 5 minutes: a browser that stays would keep it waiting.
win() { timeout 300 "$computers" wine "$pc" "$root" "$@"; }

"$computers" down "$pc" >/dev/null 2>&1  # what an interrupted run left
trap cleanup EXIT
mkdir -p "/etc/netns/$pc" "$work/www/LatestVer" "$work/browser" "$work/xp"
printf '127.0.0.1 localhost\n127.0.0.1 %s\n' "$host" >"/etc/netns/$pc/hosts"
"$computers" up "$pc" --net 237 >/dev/null || fail "cannot make the computer"
resolved=$("$computers" exec "$pc" getent hosts "$host" | awk '{print $1}')
[ "$resolved" = 127.0.0.1 ] || fail "$host resolves to '$resolved' in the computer, not to 127.0.0.1"
start_server || fail "the web server did not start"

cp "$recorder" "$work/browser/url_recorder.exe"
cp "$probe" "$work/xp/info_pages_xp_probe.exe"
browser=$(winpath "$work/browser/url_recorder.exe")
# The http handler takes the address as it is (%1 unquoted), so that a run as Windows XP shows
# the quotes the program itself puts around it for Internet Explorer.
win reg add 'HKCR\http\shell\open\command' /ve /d "\"$browser\" %1" /f >>"$log" || fail "cannot register the browser"
win reg delete 'HKCR\http\shell\open\ddeexec' /f >/dev/null 2>&1
win reg add 'HKCU\Software\Wine\AppDefaults\info_pages_xp_probe.exe' /v Version /d winxp64 /f >>"$log" ||
  fail "cannot make the XP run"
# The prefix is this test's own: its Internet Explorer may be the recorder.
cp "$recorder" "$root/prefix-$pc/drive_c/windows/system32/iexplore.exe" || fail "cannot replace iexplore.exe"
win reg add 'HKCU\Software\Wine\DllOverrides' /v iexplore.exe /d native /f >>"$log" ||
  fail "cannot make the recorder Internet Explorer"

export CORVANE_WWW CORVANE_WWW_LOG CORVANE_OPENED
CORVANE_WWW=$(winpath "$work/www")
CORVANE_WWW_LOG=$(winpath "$work/requests.log")
CORVANE_OPENED=$(winpath "$work/browser/opened.txt")

echo "--- with the server" | tee -a "$log"
win "$probe" '--gtest_filter=-*NoServer*' >>"$log" 2>&1 || fail "the pages against the server"
grep -q . "$work/requests.log" || fail "no request reached the server"
echo "--- as Windows XP" | tee -a "$log"
win "$work/xp/info_pages_xp_probe.exe" '--gtest_filter=*HelpButtons*:*CheckShows*' >>"$log" 2>&1 ||
  fail "the pages as Windows XP"
grep -qx 'OsTypeCode 9' "$log" || fail "the XP run did not see Windows XP"
stop_server
"$computers" exec "$pc" ss -ltnH 'sport = :80' | grep -q . && fail "the web server still listens"
echo "--- without a server" | tee -a "$log"
win "$probe" '--gtest_filter=*NoServer*' >>"$log" 2>&1 || fail "the pages without a server"
cat "$log"
echo "PASS"
