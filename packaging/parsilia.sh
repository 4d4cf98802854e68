#!/bin/sh
# Starts Parsilia, installed in ../lib/parsilia beside its "suoni" folder.
# The path is taken from where this script really is, so any prefix works.
qui=$(dirname "$(readlink -f "$0")")
exec "$qui/../lib/parsilia/parsilia" "$@"
