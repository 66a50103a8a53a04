#!/bin/bash
# Sur un écran de 256 couleurs le jeu refuse de tourner : la boîte « Information » s'ouvre,
# Entrée la ferme, le programme sort avec le code 0 sans avoir montré sa fenêtre.
# Usage : ecran_8_bits.sh BINAIRE
set -euo pipefail
binaire=$(readlink -f "$1")
if [[ -z "${DANS_XVFB:-}" ]]; then
  export DANS_XVFB=1
  XDG_RUNTIME_DIR=$(mktemp -d); chmod 700 "$XDG_RUNTIME_DIR"; export XDG_RUNTIME_DIR
  exec xvfb-run -a -s "-screen 0 1024x768x8" "$0" "$@"
fi
depart=$(mktemp -d)
cd "$depart"
"$binaire" 2>/dev/null &
jeu=$!
boite=$(timeout 20 xdotool search --sync --name '^Information$' | head -1) \
  || { echo "ÉCHEC : pas de boîte Information" >&2; kill $jeu; exit 1; }
if xdotool search --name '^VELTOR95  1\.0 Pour Windows 95/98/NT$' >/dev/null 2>&1; then
  echo "ÉCHEC : la fenêtre du jeu a été créée" >&2; kill $jeu; exit 1
fi
xdotool windowfocus --sync "$boite"
xdotool key Return
code=0
timeout 20 tail --pid=$jeu -f /dev/null || { echo "ÉCHEC : le jeu ne s'est pas arrêté" >&2; kill $jeu; exit 1; }
wait $jeu || code=$?
[[ $code == 0 ]] || { echo "ÉCHEC : code de sortie $code" >&2; exit 1; }
[[ -z "$(ls -A "$depart")" ]] || { echo "ÉCHEC : un fichier a été écrit" >&2; exit 1; }
echo "Écran de 8 bits : refusé, code de sortie 0"
