#!/usr/bin/env bash
# The test command: installs what is missing, builds both architectures, runs every test
# under 64-bit Wine in a private prefix and a private X server.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh" x86_64 i686

. "$root/scripts/wine-session.sh"
rm -rf "$root/build/x86_64/test-prefix"
wine_session_start "$root/build/x86_64/test-prefix"
cd "$root/build/x86_64"
ctest --output-on-failure "$@"
