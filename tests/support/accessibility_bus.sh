# Sourced by the tests that read the game as a screen reader does: a private session bus, the accessibility
# bus and its registry, as on a desktop. Needs $work (a scratch folder), the array pids (what the test kills at
# its end, in reverse) and fail(); exports XDG_RUNTIME_DIR and DBUS_SESSION_BUS_ADDRESS.
start_accessibility_bus() {
    mkdir -p -m 700 "$work/runtime"
    export XDG_RUNTIME_DIR=$work/runtime
    dbus-daemon --session --nofork --address="unix:path=$work/session-bus" --print-address=1 >"$work/bus" 2>/dev/null &
    pids+=($!)
    for _ in $(seq 50); do [ -s "$work/bus" ] && break; sleep 0.1; done
    [ -s "$work/bus" ] || fail "no session bus"
    export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/bus")

    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    local launcher=$!
    pids+=($launcher)
    local a11y_bus=
    for _ in $(seq 50); do
        a11y_bus=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null | tr -d ' ')
        [ -n "$a11y_bus" ] && break
        sleep 0.1
    done
    [ -n "$a11y_bus" ] || fail "no accessibility bus"
    local bus_daemon
    for bus_daemon in $(pgrep -P "$launcher"); do pids+=("$bus_daemon"); done # the launcher's own bus
    AT_SPI_BUS_ADDRESS=$a11y_bus /usr/libexec/at-spi2-registryd >/dev/null 2>&1 &
    pids+=($!)
}
