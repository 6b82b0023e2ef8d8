#!/bin/sh
# Checks that a built program embeds exactly the generated stored print jobs.
#   check_embedded_jobs.sh <PosPrinterTester.exe> <generated jobs dir>
# Uses $CHECK_EMBEDDED_JOBS (a built check_embedded_jobs) when set, otherwise
# compiles the checker with the host C++ compiler ($CXX or c++).
# Exit status: 0 equal, 1 mismatch, 2 usage or unreadable input.
set -eu
if [ $# -ne 2 ]; then
  echo "usage: $0 <program.exe> <generated jobs dir>" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
checker=${CHECK_EMBEDDED_JOBS:-}
if [ -z "$checker" ]; then
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  checker=$tmp/check_embedded_jobs
  "${CXX:-c++}" -std=c++20 -O1 -Wall -Wextra -I "$here/../support" -o "$checker" "$here/check_embedded_jobs.cpp" || exit 2
fi
status=0
"$checker" "$1" "$2" || status=$?
exit $status
