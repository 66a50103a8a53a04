#!/bin/bash
# Le jeu joué comme par un joueur, sur un vrai serveur X (à lancer sous « xvfb-run -a ») :
# le niveau 1 gagné, la partie sauvée dans l'emplacement 3, le jeu quitté puis relancé dans le
# même dossier, l'emplacement 3 rouvert : le niveau 2 revient, pixel pour pixel. Ensuite chaque
# bouton de la barre d'outils. Les captures restent dans le dossier de sortie.
#   partie_sous_xvfb.sh <programme veltor95> <dossier de sortie>
set -u
programme=$(realpath "$1")
sortie=$(realpath -m "$2")
mkdir -p "$sortie"
rm -f "$sortie"/*.png
depart=$(mktemp -d)
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$depart" "$XDG_RUNTIME_DIR"' EXIT
echecs=0
echec() { echo "ÉCHEC : $*"; echecs=$((echecs + 1)); }
legende_principale="VELTOR95  1.0 Pour Windows 95/98/NT"

# La fenêtre de titre exact $1, autre que $2 s'il est donné.
attendre() {
  local w
  for _ in $(seq 100); do
    w=$(xdotool search --name "^$1\$" 2>/dev/null | grep -vx "${2:-aucune}" | tail -1)
    if [ -n "$w" ] && visible "$w"; then echo "$w"; return 0; fi
    sleep 0.1
  done
  echo "fenêtre absente : $1" >&2
  return 1
}
visible() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
photo() { sleep 0.5; import -window root "$sortie/$1.png"; }
# Le plateau seul (500 × 280 à gauche de la barre d'outils) de la fenêtre $1.
plateau() {
  sleep 0.5
  local x y
  x=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ {print $4}')
  y=$(xwininfo -id "$1" | awk '/Absolute upper-left Y/ {print $4}')
  import -window root -crop "500x279+$x+$y" +repage "$sortie/$2.png"
}
clic() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }
touche() { xdotool windowfocus --sync "$1"; xdotool key "$2"; sleep 0.3; }
differents() { [ "$(compare -metric AE "$sortie/$1.png" "$sortie/$2.png" null: 2>&1)" != 0 ]; }
lancer() { (cd "$depart" && exec "$programme" >>"$sortie/jeu.log" 2>&1) & jeu=$!; }
quitter() {
  clic "$1" 566 247
  local q
  q=$(attendre Confirmation) || { echec "pas de question pour quitter"; return; }
  touche "$q" Return
  for _ in $(seq 50); do kill -0 $jeu 2>/dev/null || break; sleep 0.1; done
  if kill -0 $jeu 2>/dev/null; then echec "le jeu ne s'est pas fermé"; kill $jeu; fi
  wait $jeu 2>/dev/null
}

# Première partie : le niveau 1 gagné, puis la sauvegarde.
lancer
p=$(attendre "$legende_principale") || exit 1
clic "$p" 85 200
clic "$p" 249 200
s=$(attendre "Niveau : 1") || echec "pas de fenêtre du niveau suivant"
photo 01_niveau_1_gagne
clic "$s" 82 117
plateau "$p" 02_niveau_2
clic "$p" 566 31
d=$(attendre "Sauver la partie en cours...") || echec "pas de fenêtre de sauvegarde"
photo 03_sauver
clic "$d" 172 25
taille=$(stat -c %s "$depart/VELTOR.CFG" 2>/dev/null || echo 0)
[ "$taille" = 570 ] || echec "VELTOR.CFG fait $taille octets"
for k in 0 1 2 3 4 5; do
  niveau=$(od -A n -t u1 -j $((95 * k + 1)) -N 1 "$depart/VELTOR.CFG" | tr -d ' ')
  attendu=0; [ $k = 3 ] && attendu=2
  [ "$niveau" = "$attendu" ] || echec "emplacement $k : niveau $niveau au lieu de $attendu"
done
quitter "$p"

# Seconde partie, dans le même dossier : elle commence au niveau 1, l'emplacement 3 rend le 2.
lancer
p=$(attendre "$legende_principale") || exit 1
plateau "$p" 04_relance
differents 04_relance 02_niveau_2 || echec "le jeu relancé ne montre pas le niveau 1"
clic "$p" 526 31
o=$(attendre "Ouvrir une partie...") || echec "pas de fenêtre d'ouverture"
photo 05_ouvrir
touche "$o" Escape
visible "$o" || echec "Échap a fermé la fenêtre d'ouverture"
clic "$o" 172 25
plateau "$p" 06_niveau_2_rouvert
differents 06_niveau_2_rouvert 02_niveau_2 && echec "le niveau 2 rouvert n'est pas celui sauvé"
visible "$o" && echec "la fenêtre d'ouverture est restée ouverte"

# La barre d'outils, bouton par bouton.
clic "$p" 566 31
d=$(attendre "Sauver la partie en cours...") || echec "pas de fenêtre de sauvegarde"
clic "$d" 147 61
visible "$d" && echec "« Fermer » n'a pas fermé la fenêtre"
clic "$p" 566 193
a=$(attendre "$legende_principale" "$p") || echec "pas de boîte « A propos... »"
photo 07_a_propos
clic "$a" 150 292
clic "$p" 566 193
a=$(attendre "$legende_principale" "$p") || echec "pas de seconde boîte « A propos... »"
touche "$a" alt+f
clic "$p" 526 139
plateau "$p" 10_mode_simplifie
differents 10_mode_simplifie 06_niveau_2_rouvert || echec "le mode simplifié ne change rien"
clic "$p" 526 247
clic "$p" 566 139
photo 11_vitesse_et_son
clic "$p" 85 200
plateau "$p" 12_levee
differents 12_levee 10_mode_simplifie || echec "le clic sur le panier 1 n'a rien levé"
clic "$p" 526 85
plateau "$p" 13_coup_repris
differents 13_coup_repris 10_mode_simplifie && echec "le coup n'a pas été repris"
clic "$p" 566 85
plateau "$p" 14_niveau_recommence
differents 14_niveau_recommence 10_mode_simplifie && echec "le niveau n'a pas été recommencé"
# L'aide, non modale : on la pousse sous le jeu et on joue à côté ; le second clic
# remontre la même fenêtre.
clic "$p" 526 193
h=$(attendre "Aide de VELTOR95") || echec "pas d'aide"
photo 15_aide
xdotool windowmove "$h" 0 540
sleep 0.3
plateau "$p" 16_avant_levee
clic "$p" 249 200
plateau "$p" 17_levee_pendant_l_aide
differents 17_levee_pendant_l_aide 16_avant_levee || echec "l'aide ouverte empêche de jouer"
clic "$p" 526 193
aides=0
for w in $(xdotool search --name "^Aide de VELTOR95\$" 2>/dev/null); do visible "$w" && aides=$((aides + 1)); done
[ $aides = 1 ] || echec "$aides fenêtres d'aide après le second clic"
photo 18_aide_encore
quitter "$p"

[ $echecs = 0 ] && echo "partie sous X : tout est bon (captures dans $sortie)"
exit $((echecs > 0))
