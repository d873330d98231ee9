# bash completion for glossmark-tra: the commands, then file names.
# The commands are read from the tool's own --help, so they never fall behind it.
_glossmark_tra()
{
    local current=${COMP_WORDS[COMP_CWORD]}
    if ((COMP_CWORD == 1)); then
        local commands
        commands=$("${COMP_WORDS[0]}" --help 2>/dev/null | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p')
        mapfile -t COMPREPLY < <(compgen -W "$commands --help" -- "$current")
        return
    fi
    COMPREPLY=()
}
complete -o default -F _glossmark_tra glossmark-tra
