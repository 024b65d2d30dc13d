# Sourced: gives the calling script a private headless X display (Xvfb) and stops it on exit.
kavet_start_xvfb() {
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        KAVET_XVFB_PID=$!
        for _ in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X${n}" ] && break
            sleep 0.1
        done
        if kill -0 "$KAVET_XVFB_PID" 2>/dev/null; then
            export DISPLAY=":$n"
            trap 'kill $KAVET_XVFB_PID 2>/dev/null || true' EXIT
            return 0
        fi
    done
    echo "display: could not start Xvfb" >&2
    return 1
}
