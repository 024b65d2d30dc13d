# An operation over the subfolders searches them on a worker: the search shows its progress, the
# window keeps answering, and Escape stops it before any file is changed, without the question
# about the subfolders; the status bar says it was stopped.
source "$(dirname "$0")/e2e.sh"

# Made from the Linux side: through Wine, thousands of folders take minutes. Enough of them that
# the search outlasts the checks below on a busy machine.
mkdir -p "$KAVET_DIR"/dossier{1..100}/sous{1..200}
for top in "$KAVET_DIR"/dossier*; do
    touch "$top"/sous{1..200}/fichier.txt
done
kavet_probe reg-set-dword "$KAVET_KEY\\Options" FirstMaj 0 >/dev/null || kavet_fail "cannot skip the confirmation"
kavet_probe reg-set-dword "$KAVET_KEY\\Options" SubFolders 1 >/dev/null || kavet_fail "cannot choose the subfolders"
kavet_start_in "$KAVET_WIN_DIR"

kavet_key alt+o m # "Majuscules" over the folder and its subfolders
kavet_wait 'window.*.buttons~=&Arrêter' 'window.*.text~=Recherche des fichiers : ' -- windows
for i in 1 2 3; do
    facts=$(kavet_probe send main WM_NULL) || kavet_fail "the main window does not answer during the search"
    echo "main window answered in $(sed -n 's/^ms=//p' <<<"$facts") ms"
done
kavet_key Escape
KAVET_TIMEOUT_MS=60000 kavet_wait 'windows.count=1' -- windows
kavet_wait 'status.2~=Recherche des fichiers arrêtée' -- status
changed=$(find "$KAVET_DIR" -name 'FICHIER*' | wc -l)
[ "$changed" = 0 ] || kavet_fail "$changed files changed after the search was stopped"
[ "$(find "$KAVET_DIR" -name 'fichier*' | wc -l)" = 20000 ] || kavet_fail "files lost"
