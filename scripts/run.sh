#!/usr/bin/env bash
# Sets up a fresh machine, builds Zelpo and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake -S . -B build -G Ninja -DZELPO_BUILD_TESTS=OFF >/dev/null
cmake --build build --target zelpo

if [[ "$(uname -s)" == Linux && -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    cat >&2 <<'MSG'
Zelpo está compilado en build/app/zelpo, pero no hay pantalla donde mostrarlo
(DISPLAY y WAYLAND_DISPLAY están vacías). Ejecútelo desde un escritorio, o con
una pantalla virtual:  xvfb-run -a ./scripts/run.sh
MSG
    exit 1
fi
exec build/app/zelpo
