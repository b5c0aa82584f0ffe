# Sourced by the scripts that need a private X display.
#
# start_private_display WORKDIR SIZE: starts Xvfb on a free display (Xvfb
# picks it and writes its number to a descriptor), waits for it, exports
# DISPLAY and sets xvfb_pid for the caller's clean-up. Fails with Xvfb's
# messages when it does not start within 10 seconds.
start_private_display() {
    Xvfb -displayfd 8 -screen 0 "${2}x24" -nolisten tcp 8>"$1/display" 2>"$1/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$1/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$1/display" ]; then
        echo "Xvfb did not start:" >&2
        cat "$1/xvfb.log" >&2
        return 1
    fi
    DISPLAY=:$(cat "$1/display")
    export DISPLAY
}
