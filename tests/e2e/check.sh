# Sourced by the packaging checks: check CONDITION-TEXT COMMAND... runs the command and, when it
# fails, names the condition and marks the run failed ($fail), so that one run lists every fault.
fail=0
check() {
    local what=$1
    shift
    if ! "$@"; then
        echo "FAIL: $what"
        fail=1
    fi
}
