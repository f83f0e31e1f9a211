# bash completion for transvardelzarp: the commands, the options, a folder
# for CARPETA and --vtemp, a file for --informe, and after "restaurar" the
# names of the copies, as the program itself lists them for the working
# folder of the line (its --vtemp, or the default one).

_transvardelzarp_copies() {  # _transvardelzarp_copies PROGRAM [VTEMP]
  local program=$1 line
  local args=(restaurar)
  [ -n "${2-}" ] && args+=(--vtemp "$2")
  "$program" "${args[@]}" 2>/dev/null </dev/null | while read -r line; do
    line=${line%% *}
    [[ $line =~ ^[0-9]{8}-[0-9]{4}(-[0-9]+)?$ ]] && printf '%s\n' "$line"
  done
}

_transvardelzarp() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=
  ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
  COMPREPLY=()
  # bash splits "--vtemp=DIR" at the "=": "--vtemp" "=" "DIR".
  if [ "$cur" = "=" ]; then
    cur=
  elif [ "$prev" = "=" ] && ((COMP_CWORD > 1)); then
    prev=${COMP_WORDS[COMP_CWORD - 2]}
  fi
  case $prev in
    --vtemp)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -d -- "$cur")
      return 0 ;;
    --informe)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return 0 ;;
  esac
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "--vtemp --informe --help --version" -- "$cur")
    return 0
  fi

  # The command and how many arguments it has before this word, and the
  # working folder of the line; options and their values do not count.
  local i word command='' count=0 vtemp=''
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    case $word in
      --vtemp | --informe)
        [ "${COMP_WORDS[i + 1]-}" = "=" ] && i=$((i + 1))
        i=$((i + 1))
        [ "$word" = --vtemp ] && vtemp=${COMP_WORDS[i]-} ;;
      -*) ;;
      *)
        [ -z "$command" ] && command=${word,,}
        count=$((count + 1)) ;;
    esac
  done
  local program=${COMP_WORDS[0]}
  # A "~/" the shell has not expanded yet, as typed on the line.
  # shellcheck disable=SC2088
  [[ $program == "~/"* ]] && program=$HOME/${program#"~/"}
  # shellcheck disable=SC2088
  [[ $vtemp == "~/"* ]] && vtemp=$HOME/${vtemp#"~/"}

  case $command,$count in
    ,0)
      # Commands in any case, as the program takes them.
      mapfile -t COMPREPLY < <(compgen -W "exportar importar comprobar restaurar" -- "${cur,,}") ;;
    exportar,1 | importar,1 | comprobar,1)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -d -- "$cur") ;;
    restaurar,1)
      mapfile -t COMPREPLY < <(compgen -W "$(_transvardelzarp_copies "$program" "$vtemp")" -- "$cur") ;;
  esac
  return 0
}
complete -F _transvardelzarp transvardelzarp
