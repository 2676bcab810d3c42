#!/usr/bin/env bash
# Runs one Windows program under Wine, bounded in time. The caller's
# environment names the prefix and the display (scripts/wine-env.sh).
#
# The output goes through a file: a program that is the first of its prefix
# starts Wine's services, which keep whatever stdout they inherit open for
# as long as the prefix lives, and a caller reading a pipe would wait on it.
output=$(mktemp)
timeout --kill-after=10 "${PANOREL_RUN_TIMEOUT:-600}" wine "$@" >"$output" 2>&1
status=$?
cat "$output"
rm -f "$output"
exit $status
