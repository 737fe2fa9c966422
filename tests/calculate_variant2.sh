# Sourced by the Windows test scripts: the road of one calculation, driven from another
# process: Variant 2 (option id 201) with c = 6 (box id 104) and S = 12 (box id 107), then
# Calculate (id 300). Prints what the row's four boxes then hold, one line; fails where the
# program shows no window.
# Usage: calculate_variant2 WINE DRIVER
calculate_variant2() {
    local wine=$1 driver=$2 k got=()
    "$wine" "$driver" click 201 || return 1
    "$wine" "$driver" set 104 6
    "$wine" "$driver" set 107 12
    "$wine" "$driver" click 300
    for k in 104 105 106 107; do
        got+=("$("$wine" "$driver" get "$k" | tr -d '\r')")
    done
    echo "${got[*]}"
}

# The user's decimal separator as the system holds it.
user_decimal() { # user_decimal WINE
    "$1" reg query 'HKCU\Control Panel\International' /v sDecimal 2>/dev/null |
        sed -n 's/.*REG_SZ[[:space:]]*//p' | tr -d '\r'
}
