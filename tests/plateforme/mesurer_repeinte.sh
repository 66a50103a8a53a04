#!/bin/sh
# Mesure la repeinte des images de l'animation au rapport de pixels 2 : hors écran, puis sur
# un vrai serveur X (Xvfb) s'il est là.
# Usage : tests/plateforme/mesurer_repeinte.sh [dossier de construction]
set -eu
construction=${1:-build-plateforme}
programme=$construction/bin/mesure_repeinte_images
cmake --build "$construction" --target mesure_repeinte_images >/dev/null
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 "$programme"
if command -v xvfb-run >/dev/null; then
  runtime=$(mktemp -d)
  chmod 700 "$runtime"
  XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$programme"
  rm -rf "$runtime"
fi
