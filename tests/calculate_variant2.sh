# Sourced by the Windows test scripts: the road of one calculation, driven from another
# process: Variant 2 (Option1 1) with c = 6 (Text2 4) and S = 12 (Text2 7), then Calculate
# (Command1 0). Prints what the row's four boxes then hold, one line; fails where the
# program shows no window.
# Usage: calculate_variant2 WINE DRIVER
calculate_variant2() {
    local wine=$1 driver=$2 k got=()
    "$wine" "$driver" click Option1 1 || return 1
    "$wine" "$driver" set Text2 4 6
    "$wine" "$driver" set Text2 7 12
    "$wine" "$driver" click Command1 0
    for k in 4 5 6 7; do
        got+=("$("$wine" "$driver" get Text2 "$k" | tr -d '\r')")
    done
    echo "${got[*]}"
}

# The user's decimal separator as the system holds it.
user_decimal() { # user_decimal WINE
    "$1" reg query 'HKCU\Control Panel\International' /v sDecimal 2>/dev/null |
        sed -n 's/.*REG_SZ[[:space:]]*//p' | tr -d '\r'
}
