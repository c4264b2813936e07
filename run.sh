#!/usr/bin/env bash
# Installs what is missing, builds and starts Tubalon. Without a display it runs
# the bundled sample through tubalon-calc and prints its result table.
set -euo pipefail
cd "$(dirname "$0")"
. ./tools.sh
tubalon_install
tubalon_build build
bin=build/stage/bin
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "没有图形显示：用 tubalon-calc 计算示例 examples/water-water.sh"
    exec bash examples/water-water.sh "$bin/tubalon-calc"
fi
exec "$bin/tubalon"
