#!/bin/bash
# Runs a test command on the desktop CTest allotted it: an X display, a Wine prefix and a sound
# server of its own (made by make_test_desktops in scripts/common.sh), so that its Ctrl
# presses, windows, sounds and settings file reach no test running beside it. Run by a CTest
# without desktops, the command runs in the environment as it stands.
# usage: on_desktop.sh DESKTOPS_FOLDER COMMAND [ARGUMENTS...]
set -u
desktops="$1"
shift
if [ -n "${CTEST_RESOURCE_GROUP_0_DESKTOPS:-}" ]; then
  id="${CTEST_RESOURCE_GROUP_0_DESKTOPS#id:}"
  id="${id%%,*}"
  . "$desktops/$id/env" || { echo "no desktop $id in $desktops" >&2; exit 1; }
fi
exec "$@"
