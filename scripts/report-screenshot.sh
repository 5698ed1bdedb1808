#!/usr/bin/env bash
# Makes the README's picture of the room's report, docs/report.png: runs the
# end-to-end report tests of the 32-bit build, which leave a sample room's report in
# build/room-report/, and renders its page with Chromium in headless mode at a
# laptop's screen size. Installs Debian's chromium when it is missing. Not part of
# the test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if ! command -v chromium >/dev/null 2>&1; then
  SUDO=""
  [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends chromium >/dev/null
fi
MISEAJOUR_WINE_ARCH=32 bash "$root/scripts/test.sh" -R '^e2e_report_page$'
page="$root/build/room-report/rapport.html"
[ -s "$page" ] || { echo "report-screenshot: no report in $page" >&2; exit 1; }
chromium --headless --disable-gpu --no-sandbox --hide-scrollbars --window-size=1366,768 \
  --screenshot="$root/docs/report.png" "file://$page" >/dev/null 2>&1
echo "report-screenshot: docs/report.png"
