# The benchmarks' argument checks, sourced by each of them: every mistake is
# told on standard error and ends the script with status 2.

# Each path given must be an executable that the build made.
require_built() {
    for executable in "$@"; do
        [ -x "$executable" ] ||
            { echo "${0##*/}: $executable is missing; build first" >&2; exit 2; }
    done
}

# require_count NAME VALUE: VALUE must be a whole number from 1.
require_count() {
    case "$2" in
        '' | *[!0-9]* | 0) echo "${0##*/}: $1 must be a whole number from 1" >&2; exit 2 ;;
    esac
}
