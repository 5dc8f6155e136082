#!/usr/bin/env bash
# Builds the program and starts it on an embedded database that it prepares next to the program.
set -euo pipefail
cd "$(dirname "$0")"
source ./scripts-common.sh
ostoja_install_packages
ostoja_build build

app=build
if [ ! -f "$app/ostoja.ini" ]; then
    # Embedded engine: no password is checked, but the key holds the server's factory default.
    printf 'masterkey' | "$app/ostoja-admin" write-ini "$app/ostoja.ini" --embedded \
        --database '${APP_DIR}arvo.fdb' --user SYSDBA
fi
if [ ! -f "$app/arvo.fdb" ]; then
    # The database as it comes with the program: version 1, so the first start offers the upgrade.
    "$app/ostoja-admin" create-db "$app/arvo.fdb"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Everything is ready in $app/, but the program needs a display (DISPLAY is not set)."
    exit 1
fi
exec "$app/ostoja" "$@"
