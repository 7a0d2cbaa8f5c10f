#!/usr/bin/env bash
# The Windows tests' benches, side by side: `benches.sh start KEEPER DIR...` brings up one bench in
# each DIR (see bench.sh), each with the keeper and a copy of its own of the programs beside the
# keeper; `benches.sh stop - DIR...` stops them.
set -euo pipefail
usage="usage: benches.sh start|stop KEEPER|- DIR..."
action=${1:?$usage}
keeper=${2:?$usage}
shift 2
bench=$(dirname "$0")/bench.sh
pids=()
for dir in "$@"; do
  case $action in
    start) "$bench" start "$dir" --keeper "$keeper" --programs "$(dirname "$keeper")" & ;;
    stop) "$bench" stop "$dir" & ;;
    *) echo "$usage" >&2; exit 2 ;;
  esac
  pids+=($!)
done
status=0
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
exit $status
