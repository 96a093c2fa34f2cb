#!/usr/bin/env bash
# The desktop entries pass the desktop's own validator without a single
# remark. Usage: desktop_entries_test.sh DATA_DIR
set -uo pipefail
data=$1

if ! command -v desktop-file-validate >/dev/null; then
  echo "skipped: desktop-file-validate is missing (Debian package desktop-file-utils)"
  exit 77
fi

failed=0
for entry in "$data"/folioteer.desktop "$data"/folioview.desktop; do
  if ! remarks=$(desktop-file-validate "$entry" 2>&1) || [[ -n $remarks ]]; then
    echo "$entry:"
    echo "$remarks"
    failed=1
  fi
done
exit $failed
