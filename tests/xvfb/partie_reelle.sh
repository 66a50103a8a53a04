#!/bin/bash
# Une vraie fenêtre sous Xvfb, jouée comme un joueur : le titre lu par xprop, la taille par
# xwininfo, le niveau 1 joué par deux appuis xdotool, la fenêtre « Niveau : 1 » vue, Entrée
# pressée, puis une capture du niveau 2 où la porte du panier 3 est montrée.
# Usage : partie_reelle.sh BINAIRE DOSSIER_DE_SORTIE
set -euo pipefail
binaire=$(readlink -f "$1")
mkdir -p "$2"
sortie=$(readlink -f "$2")

if [[ -z "${DANS_XVFB:-}" ]]; then
  export DANS_XVFB=1
  XDG_RUNTIME_DIR=$(mktemp -d)
  chmod 700 "$XDG_RUNTIME_DIR"
  export XDG_RUNTIME_DIR
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

depart=$(mktemp -d)
cd "$depart"
"$binaire" 2> "$sortie/stderr.txt" &
jeu=$!
trap 'kill $jeu 2>/dev/null || true; rm -rf "$depart"' EXIT

echec() { echo "ÉCHEC : $*" >&2; exit 1; }

fenetre=$(timeout 20 xdotool search --sync --onlyvisible --name '^VELTOR95  1\.0 Pour Windows 95/98/NT$' | head -1) \
  || echec "la fenêtre principale n'est pas apparue"
titre=$(xprop -id "$fenetre" _NET_WM_NAME)
[[ "$titre" == '_NET_WM_NAME(UTF8_STRING) = "VELTOR95  1.0 Pour Windows 95/98/NT"' ]] \
  || echec "titre inattendu : $titre"
xprop -id "$fenetre" WM_NAME | grep -q '"VELTOR95  1.0 Pour Windows 95/98/NT"' || echec "WM_NAME"
infos=$(xwininfo -id "$fenetre")
largeur=$(awk '/Width:/ {print $2}' <<<"$infos")
hauteur=$(awk '/Height:/ {print $2}' <<<"$infos")
x=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$infos")
y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$infos")
[[ "$largeur" == 592 && "$hauteur" == 279 ]] || echec "taille ${largeur}x${hauteur}"
sleep 0.5

pixel() { convert "$1" -crop "1x1+$2+$3" -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:; }

import -window root "$sortie/niveau1.png"
# Sous le panier 3, entre le panier et ses boutons : le marron de la porte quand elle est montrée.
porte3_x=$((x + 336 + 78)); porte3_y=$((y + 88 + 152))
[[ "$(pixel "$sortie/niveau1.png" $porte3_x $porte3_y)" != "128,0,0" ]] || echec "porte 3 montrée au niveau 1"

appui() { xdotool mousemove --sync "$1" "$2" click 1; }
appui $((x + 8 + 4 + 73)) $((y + 88 + 4 + 120))     # panier 1
sleep 0.3
appui $((x + 172 + 4 + 73)) $((y + 88 + 4 + 40))    # panier 2
suivant=$(timeout 20 xdotool search --sync --onlyvisible --name '^Niveau : 1$' | head -1) \
  || echec "la fenêtre « Niveau : 1 » n'est pas apparue"
import -window root "$sortie/niveau_suivant.png"
xdotool windowfocus --sync "$suivant"
xdotool key Return
for _ in $(seq 50); do
  xdotool search --name '^Niveau : 1$' >/dev/null 2>&1 || break
  sleep 0.1
done
sleep 0.5
import -window root "$sortie/niveau2.png"
[[ "$(pixel "$sortie/niveau2.png" $porte3_x $porte3_y)" == "128,0,0" ]] \
  || echec "la porte du panier 3 n'est pas montrée au niveau 2"
kill -0 $jeu || echec "le jeu s'est arrêté"
echo "Partie réelle : niveau 1 joué, fenêtre « Niveau : 1 », niveau 2 montré ($sortie)"
