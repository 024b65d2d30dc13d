# Options dialog: a preview ("Aperçu") undone by Escape, as "Annuler" undoes it: the list comes
# back to sizes in bytes, and the previewed option is not what the program stores at close.
source "$(dirname "$0")/e2e.sh"

head -c 5000 /dev/zero >"$KAVET_DIR/gros.bin"
kavet_start_in "$KAVET_WIN_DIR"
kavet_wait 'list.count=1' '!list.0~=Ko' -- list

kavet_key alt+a o
kavet_wait 'active.caption=Options' -- focus
kavet_click 'top:Options/= Afficher le poids des fichiers en octets'
kavet_click 'top:Options/=Aperç&u'
kavet_wait 'list.0~= Ko' -- list
kavet_wait 'active.caption=Options' -- focus

kavet_key Escape
kavet_wait 'windows.count=1' -- windows
kavet_wait '!list.0~=Ko' -- list

kavet_close
kavet_expect reg.value 0 reg-get "$KAVET_KEY\\Options" SizeKo
