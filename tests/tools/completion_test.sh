#!/bin/bash
# The bash completion of kestrovanectl: it loads, registers itself and
# completes a command, a setting's name and its values.
set -u
source "$1" || exit 1
[[ $(complete -p kestrovanectl) == "complete -F _kestrovanectl kestrovanectl" ]] || exit 1
failed=0
expect() {
    COMP_LINE=$1 COMP_POINT=${#1} COMPREPLY=()
    _kestrovanectl
    if [[ "${COMPREPLY[*]}" != "$2" ]]; then
        echo "'$1' completes to '${COMPREPLY[*]}', expected '$2'"
        failed=1
    fi
}
expect "kestrovanectl re" "read-modes"
expect "kestrovanectl set lighting-c" "lighting-colour="
expect "kestrovanectl set report-rate=" "125 250 500 1000"
expect "kestrovanectl --language=zh_" "zh_CN zh_TW"
expect "kestrovanectl show --mode " "1 2 3 4 5"
expect "kestrovanectl apply --no" "--no-pointer"
expect "kestrovanectl im" "import"
expect "kestrovanectl import --re" "--replace"
exit $failed
