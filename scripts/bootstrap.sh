#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine: toolchain, Wine, Xvfb, test sources.
# Idempotent; the Wine prefix and the display are prepared on first use by wine-run.sh.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
qv_install_packages
