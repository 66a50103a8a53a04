#!/bin/bash
# Les chiffres de la fenêtre, sous Xvfb :
#  - démarrage jusqu'à la fenêtre peinte, médiane de N lancements, à côté d'une fenêtre Qt vide
#    mesurée dans le même passage (le rapport des deux) ;
#  - le temps processeur du jeu qui attend le joueur pendant 10 s ;
#  - la mémoire de pointe du jeu une fois le niveau 1 montré ;
#  - une étape d'animation de 15 entrées au rapport de pixels 2.
# Usage : bancs/mesurer_fenetre.sh [DOSSIER_DE_CONSTRUCTION] [N]
set -euo pipefail
construction=$(readlink -f "${1:-build}")
n=${2:-11}
if [[ -z "${DANS_XVFB:-}" ]]; then
  export DANS_XVFB=1
  XDG_RUNTIME_DIR=$(mktemp -d); chmod 700 "$XDG_RUNTIME_DIR"; export XDG_RUNTIME_DIR
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
banc="$construction/bin/veltor95-banc-fenetre"
jeu="$construction/bin/veltor95"
cd "$(mktemp -d)"

mediane() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
duree_ms() { local t0 t1; t0=$(date +%s%N); "$@" >/dev/null 2>&1; t1=$(date +%s%N); echo $(((t1 - t0) / 1000000)); }

"$banc" vide >/dev/null 2>&1; "$banc" jeu >/dev/null 2>&1   # chauffe des caches
vide=(); jeu_ms=()
for _ in $(seq "$n"); do
  vide+=("$(duree_ms "$banc" vide)")
  jeu_ms+=("$(duree_ms "$banc" jeu)")
done
m_vide=$(printf '%s\n' "${vide[@]}" | mediane)
m_jeu=$(printf '%s\n' "${jeu_ms[@]}" | mediane)
echo "demarrage_fenetre_vide_ms_mediane $m_vide"
echo "demarrage_jeu_ms_mediane $m_jeu"
awk -v a="$m_jeu" -v b="$m_vide" 'BEGIN {printf "rapport_jeu_sur_vide %.2f\n", a / b}'

"$jeu" 2>/dev/null &
pid=$!
sleep 3
tic() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
avant=$(tic); sleep 10; apres=$(tic)
echo "cpu_en_attente_10s_tics $((apres - avant)) (tics de $(getconf CLK_TCK) par seconde)"
echo "memoire_de_pointe_kio $(awk '/VmHWM/ {print $2}' "/proc/$pid/status")"
kill "$pid"

QT_SCALE_FACTOR=2 "$banc" etape 20
