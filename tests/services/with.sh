#!/usr/bin/env bash
# Runs a command in the environment of the services it needs (see services.sh).
# Usage: with.sh DIR NAME... -- COMMAND [ARGUMENT...]
set -euo pipefail
shopt -s inherit_errexit
dir=$1
shift
while [ "$1" != "--" ]; do
    [ -f "$dir/$1.env" ] || { echo "the $1 service is not running (no $dir/$1.env)" >&2; exit 1; }
    source "$dir/$1.env"
    shift
done
shift
exec "$@"
