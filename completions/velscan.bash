# bash completion for velscan: its options, the values of --format and --effort, folders
# for --annotate and files or folders for the paths.

_velscan() {
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}

    case $prev in
    -f | --format)
        mapfile -t COMPREPLY < <(compgen -W 'text raw json xml zbar-xml' -- "$cur")
        return
        ;;
    -e | --effort)
        mapfile -t COMPREPLY < <(compgen -W 'fast normal thorough' -- "$cur")
        return
        ;;
    --formats)
        # The names of a comma-separated list: the last one is completed.
        local done=${cur%"${cur##*,}"} names='ean13 ean8 upca upce isbn13 isbn10 ean2 ean5 i25
            databar databar-exp codabar code39 code93 code128 qrcode sqcode pdf417 datamatrix
            aztec maxicode microqr'
        mapfile -t COMPREPLY < <(compgen -P "$done" -W "$names" -- "${cur##*,}")
        return
        ;;
    --annotate)
        mapfile -t COMPREPLY < <(compgen -d -- "$cur")
        return
        ;;
    --resume | --merge | --expect | --library)
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        return
        ;;
    -S | --set | --rect | -j | --jobs | --max-pixels | --max-file-pixels | --timeout | \
        --memory-budget | --pages | --dpi | --shard)
        return # a value of the user's own
        ;;
    esac

    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W '-r --recursive -0 --null -f --format -e --effort
            --formats -S --set --rect -j --jobs --library --max-pixels --max-file-pixels --timeout
            --memory-budget --pages --dpi --no-isolation -p --with-path -q --quiet --stdin-picture
            --annotate --shard --resume --merge --expect -h --help --version -1 --oneshot --xml --raw --noxml -D
            --nodisplay --nodbus -d --display -v --verbose --all-points' -- "$cur")
        return
    fi
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}

complete -o filenames -F _velscan velscan
