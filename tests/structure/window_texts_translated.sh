#!/usr/bin/env bash
# Every text the window program (host/gui, host/wx_backend) marks for translation has its Chinese
# text in the catalog, so that no window shows an English text in a Chinese user interface.
#   usage: window_texts_translated.sh SOURCE_ROOT
set -euo pipefail
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
xgettext --from-code=UTF-8 --keyword=_ --keyword=wxTRANSLATE --keyword=WindowMessage -o "$work/host.pot" "$root"/host/gui/*.cpp "$root"/host/wx_backend/*.cpp
# msgcmp fails for a marked text the catalog lacks; msgattrib lists the ones left empty.
msgcmp "$root/host/gui/po/zh_CN.po" "$work/host.pot"
if msgattrib --untranslated "$root/host/gui/po/zh_CN.po" | grep -q '^msgid "[^"]'; then
    echo "untranslated texts in host/gui/po/zh_CN.po:" >&2
    msgattrib --untranslated "$root/host/gui/po/zh_CN.po" >&2
    exit 1
fi
