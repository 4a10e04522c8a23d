#!/usr/bin/env bash
# Retakes docs/screenshots: every window of the editor as a user sees it under a window manager, in
# both languages, by the desktop test's own run (which also checks them). Needs ImageMagick's import
# besides what the tests need.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build -j2 --target kvl-settings-editor
for language in ENG GER; do
    tests/desktop/window_manager_test.sh build/kvl-settings-editor demo docs/screenshots "$language"
done
# The main window and the preferences dialog at 100 % and at 200 % (a high-density screen large enough
# to show the whole window).
tests/desktop/screen_scale_test.sh build/kvl-settings-editor demo 1366 768 1 docs/screenshots
tests/desktop/screen_scale_test.sh build/kvl-settings-editor demo 3200 1800 2 docs/screenshots
