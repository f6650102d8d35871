#!/bin/sh
# Pictures of the graphical host for the documentation: the main window and every dialog, in
# Chinese and in English. The window tests take them on a virtual display (the layout test shows
# each window in both languages); they are copied into docs/screenshots/<language>/.
# Usage: docs/screenshots.sh BUILD_DIR    (a build with the windows, VIREO_GUI on; needs xvfb-run)
set -eu
build=${1:?usage: docs/screenshots.sh BUILD_DIR}
docs=$(cd "$(dirname "$0")" && pwd)

cmake --build "$build" --target gui_tests
rm -rf "$build/gui-screenshots"
# The desktop's own scale and font settings stay out of the pictures: a plain virtual display.
env -u GDK_SCALE -u GDK_DPI_SCALE xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/tests/gui/gui_tests" --gtest_filter='DialogLayout.*'
for lang in zh en; do
    mkdir -p "$docs/screenshots/$lang"
    rm -f "$docs/screenshots/$lang"/*.png
    cp "$build/gui-screenshots/$lang"/*.png "$docs/screenshots/$lang/"
done
# The tag import once more on a display scaled to 200%.
rm -rf "$build/gui-screenshots"
env -u GDK_DPI_SCALE GDK_SCALE=2 xvfb-run -a -s "-screen 0 2560x2048x24" \
    "$build/tests/gui/gui_tests" --gtest_filter='DialogLayout.*'
for lang in zh en; do
    cp "$build/gui-screenshots/$lang/tag_import.png" "$docs/screenshots/$lang/tag_import_200.png"
done
echo "pictures in $docs/screenshots"
