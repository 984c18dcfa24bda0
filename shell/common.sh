# The project's machine: the Debian packages it needs (packages.txt) and a way
# to install the missing ones, the cache folder, the compiler cache, the date
# and umask of a reproducible build, the skip list and the version.

# Every build and test run uses each core of this machine, once: the presets
# name no count of their own.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

# The folder that keeps what is built once per machine (the Windows Qts, the
# Debian 13 system, the compilers' cache), outside the clone: QUILLMERE_CACHE,
# or /var/cache/quillmere.
cache_dir() {
    echo "${QUILLMERE_CACHE:-/var/cache/quillmere}"
}

# The packages of the named groups of packages.txt, one a line.
packages_of() {
    local group
    for group in "$@"; do
        sed -n "s/^$group: *//p" "$(dirname "${BASH_SOURCE[0]}")/packages.txt"
    done | tr ' ' '\n' | sed '/^$/d'
}

# Installs those packages of the named groups that are not installed yet, adding
# the i386 architecture first where a group needs it. Needs root (or sudo) only
# when something is missing.
ensure_packages() {
    local wanted=() missing=()
    mapfile -t wanted < <(packages_of "$@")
    mapfile -t missing < <(missing_packages "${wanted[@]}")
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi
    with_mirror_retries /var/lib/apt/lists as_root apt-get update -qq
    apt_install --no-install-recommends "${missing[@]}"
}

# Installs npm where node came without it: the page's pinned audit rules come
# from npm's registry.
ensure_npm() {
    command -v npm > /dev/null || ensure_packages npm
}

# as_root COMMAND...: runs the command as root, through sudo unless it is root.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# apt_install [OPTION...] PACKAGE...: installs with apt-get (a package's name
# or a .deb's path) and never removes a package: where apt would remove some to
# resolve a conflict, nothing is installed and the script stops, naming them.
apt_install() {
    local removed
    removed=$(apt-get install -s "$@" 2> /dev/null | sed -n 's/^Remv \([^ ]*\).*/\1/p' | tr '\n' ' ')
    [ -z "$removed" ] ||
        fail "Installing $* would remove ${removed% }: nothing was installed. Remove those yourself if they may go."
    # --no-remove as well: apt stops rather than remove what it did not show.
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-remove "$@"
}

# with_mirror_retries LISTS COMMAND...: runs the command (an apt-get update
# that writes its package lists into the folder LISTS), tried again twice
# over some 75 s: a mirror in the middle of its sync serves index files of
# another size than its Release file says. When it still fails, apt-get has
# kept the lists it could fetch (and the old ones of the others), so the
# script goes on with them: a package they lack then makes the install fail,
# naming it. With no list at all there is nothing to go on with: it fails.
with_mirror_retries() {
    local lists=$1 wait
    shift
    for wait in ${MIRROR_RETRY_WAITS:-15 60}; do
        "$@" && return 0
        echo "Tried again in $wait s: $*" >&2
        sleep "$wait"
    done
    "$@" && return 0
    if ! compgen -G "$lists/*_Packages*" > /dev/null && ! compgen -G "$lists/*_Sources*" > /dev/null; then
        echo "No package list could be fetched into $lists: $*" >&2
        return 1
    fi
    echo "Going on with the package lists apt-get could fetch: $*" >&2
}

# Those of the named packages (NAME or NAME:ARCH) that are not installed, one
# a line. An installed package that provides the name counts: Debian 13's
# libcups2t64 provides libcups2, so one name serves both releases.
missing_packages() {
    local native installed pkg
    native=$(dpkg --print-architecture)
    # Each installed package and each name it provides, as NAME:ARCH.
    installed=$(dpkg-query -W -f='${db:Status-Status} ${binary:Package} ${Provides}\n' |
        awk -v native="$native" '$1 == "installed" {
            name = $2; arch = native
            if (split($2, part, ":") == 2) { name = part[1]; if (part[2] != "all") arch = part[2] }
            print name ":" arch
            for (i = 3; i <= NF; i++)
                if ($i !~ /^\(/ && $i !~ /\),?$/) { sub(/,$/, "", $i); print $i ":" arch }
        }')
    for pkg in "$@"; do
        [[ $pkg == *:* ]] || pkg+=":$native"
        grep -qxF "$pkg" <<< "$installed" || echo "${pkg%:"$native"}"
    done
}

# The Debian mirrors the system's own package list names, main archive then
# security archive (which may be missing), on one line: from its deb822 list,
# or else from its one-line list. Stops when the system names no archive.
debian_archives() {
    local deb822=/etc/apt/sources.list.d/debian.sources oneline=/etc/apt/sources.list
    local main="" security=""
    if [ -f "$deb822" ] && grep -q '^Types: deb$' "$deb822"; then
        main=$(awk '/^URIs:/ { uri = $2 } /^Suites:/ && !/-security/ { print uri; exit }' "$deb822")
        security=$(awk '/^URIs:/ { uri = $2 } /^Suites:/ && /-security/ { print uri; exit }' "$deb822")
    elif [ -f "$oneline" ]; then
        main=$(awk '$1 == "deb" && $3 !~ /-security/ { print $2; exit }' "$oneline")
        security=$(awk '$1 == "deb" && $3 ~ /-security/ { print $2; exit }' "$oneline")
    fi
    if [ -z "$main" ]; then
        echo "Neither $deb822 nor $oneline names a Debian archive" >&2
        exit 1
    fi
    echo "$main $security"
}

# Compiles through ccache, its folder beside the other caches. The compiler's
# own bytes are part of each key, so an upgraded or another compiler never
# reuses an object; paths below the source tree are keyed relative to it, so
# another clone of the tree hits the same objects.
use_compiler_cache() {
    local dir
    dir=$(cache_dir)/ccache
    if ! mkdir -p "$dir" 2> /dev/null || [ ! -w "$dir" ]; then
        echo "No compiler cache: $dir cannot be written"
        return 0
    fi
    compiler_cache_settings "$dir" "$(project_root)"
    export "${COMPILER_CACHE[@]}"
}

# compiler_cache_settings DIR TREE: sets COMPILER_CACHE to the environment
# (NAME=VALUE words) that compiles the tree in TREE through the cache in DIR.
compiler_cache_settings() {
    COMPILER_CACHE=(CCACHE_DIR="$1" CCACHE_COMPILERCHECK=content CCACHE_MAXSIZE=5G
                    CCACHE_BASEDIR="$2" CCACHE_NOHASHDIR=1 CMAKE_C_COMPILER_LAUNCHER=ccache
                    CMAKE_CXX_COMPILER_LAUNCHER=ccache)
}

# The list of the checks the scripts skipped, a line each: the check, a tab and
# the reason; scripts/test shows it with the tests' skips.
skip_list() {
    echo "$(project_root)/build/skipped.txt"
}

# report_skip CHECK REASON: says that a check was skipped and why; the reason
# names the condition the machine lacks in brackets ("[root] ...").
report_skip() {
    echo "SKIP $2"
    mkdir -p "$(dirname "$(skip_list)")"
    printf '%s\t%s\n' "$1" "$2" >> "$(skip_list)"
}

# What makes the same commit give the same bytes whenever and by whomever it is
# built: exports SOURCE_DATE_EPOCH, the one date every tool that stamps a date
# writes instead of the clock's (GCC's __DATE__, CPack's archives), the date of
# the tree's last commit unless the caller exported one; and sets the umask
# the package's folders and archive members take their permissions from.
reproducible_build_environment() {
    if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
        SOURCE_DATE_EPOCH=$(git -C "$(project_root)" log -1 --format=%ct 2> /dev/null) ||
            fail "SOURCE_DATE_EPOCH is not set and $(project_root) is no git checkout to take it from"
    fi
    export SOURCE_DATE_EPOCH
    umask 022
}

# write_checksums DIR FILE...: writes DIR/SHA256SUMS for the files in DIR, as
# "sha256sum -c SHA256SUMS" checks them beside the downloads.
write_checksums() {
    local dir=$1
    shift
    (cd "$dir" && sha256sum "$@" > SHA256SUMS)
}

# The program's version, as the top CMakeLists.txt gives it to every build.
project_version() {
    sed -n 's/^project(Quillmere VERSION \([0-9.]*\) .*/\1/p' "$(project_root)/CMakeLists.txt"
}

# versioned_file DIR FORMAT [VERSION]: the path of the file FORMAT names (a
# printf format, %s the version) in DIR, for this version unless given; stops
# when the build made none. A folder may still hold another version's file.
versioned_file() {
    local file
    # shellcheck disable=SC2059 # the format is the caller's
    file=$1/$(printf "$2" "${3:-$(project_version)}")
    [ -f "$file" ] || fail "The build made no $file"
    echo "$file"
}

# The top of the source tree.
project_root() {
    cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd
}
