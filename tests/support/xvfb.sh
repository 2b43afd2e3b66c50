# Sourced by every test that needs a display of its own; defines start_own_xvfb and nothing else.

# Starts an Xvfb and waits until it answers. Xvfb takes the first free display number itself and writes it
# to FILE, so two runs started at the same moment never share a display (and never press each other's
# buttons). -noreset: without it the server resets when its last client (the readiness check below) leaves,
# and refuses the game meanwhile. Sets xvfb_display (":N") and xvfb_started (the server's process id, for the
# caller to end). When the server does not come up it is ended, xvfb_problem says why and the status is 1.
start_own_xvfb() { # FILE
    local file=$1
    xvfb_display=
    xvfb_problem=
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$file" >/dev/null 2>&1 &
    xvfb_started=$!
    for _ in $(seq 50); do [ -s "$file" ] && break; sleep 0.1; done
    if [ -s "$file" ]; then
        xvfb_display=:$(head -1 "$file")
        for _ in $(seq 50); do DISPLAY=$xvfb_display xdotool getdisplaygeometry >/dev/null 2>&1 && return 0; sleep 0.1; done
        xvfb_problem="Xvfb did not answer on $xvfb_display"
    else
        xvfb_problem="Xvfb did not start"
    fi
    kill "$xvfb_started" 2>/dev/null
    wait "$xvfb_started" 2>/dev/null
    xvfb_started=
    return 1
}
