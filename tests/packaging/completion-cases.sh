#!/usr/bin/env bash
# Runs the installed korvenedit-cli completion the way bash does on <Tab> and compares what it
# offers:   completion-cases.sh COMPLETION_FILE
# Needs bash-completion (for _init_completion and _filedir).
set -uo pipefail
source /usr/share/bash-completion/bash_completion
source "$1"

cd "$(mktemp -d)" || exit 1
touch SaveFile1.SAVE SaveFile2.SAVE notes.txt

failures=0
# expect "COMMAND LINE (the cursor at its end)" "WORDS OFFERED, sorted"
expect() {
    local line="$1" wanted="$2"
    read -ra COMP_WORDS <<<"$line"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="$line"
    COMP_POINT=${#line}
    COMPREPLY=()
    _korvenedit_cli korvenedit-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    local got
    got="$(printf '%s\n' "${COMPREPLY[@]}" | sort | xargs)"
    if [ "$got" != "$wanted" ]; then
        echo "completion of '$line': got '$got', wanted '$wanted'" >&2
        failures=$((failures + 1))
    fi
}

expect "korvenedit-cli " "apply check diff dump fields help info set verify"
expect "korvenedit-cli d" "diff dump"
expect "korvenedit-cli apply SaveFile1.SAVE --c" "--check"
expect "korvenedit-cli diff --j" "--json"
expect "korvenedit-cli check SaveFile1.SAVE --f" "--fix --force"
expect "korvenedit-cli check SaveFile1.SAVE --fix --o" "--output"
expect "korvenedit-cli check --j" "--json"
expect "korvenedit-cli check SaveFile1.SAVE --fix --output Save" "SaveFile1.SAVE SaveFile2.SAVE"
expect "korvenedit-cli fields Sh" "Ship ShipClass ShipClassBlockPos"
expect "korvenedit-cli --ver" "--verbose --version"
expect "korvenedit-cli set --o" "--output"
expect "korvenedit-cli info --o" ""
expect "korvenedit-cli verify Save" "SaveFile1.SAVE SaveFile2.SAVE"
expect "korvenedit-cli set SaveFile1.SAVE --output Save" "SaveFile1.SAVE SaveFile2.SAVE"
expect "korvenedit-cli -o out.SAVE s" "set"
expect "korvenedit-cli help s" "set"
expect "korvenedit-cli frob " ""
exit $((failures > 0))
