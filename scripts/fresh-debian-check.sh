#!/usr/bin/env bash
# The project on a brand-new Debian 12, as a newcomer meets it. Builds a
# minimal bookworm root with debootstrap, adds make, git and sudo and a user
# who may use sudo, clones the committed HEAD into it and runs `make test`
# there. Then installs the Debian package that build made into a second
# brand-new root with apt (without recommended packages, so its Depends alone
# must bring what the program needs), adds Xvfb and the tools that drive it,
# and compares the program's three windows and its response window there with the
# pictures in docs/.
#   usage: fresh-debian-check.sh [DIR]    (default build/fresh-debian)
# Needs root, or sudo. The roots are made afresh in DIR on every run; the
# downloaded packages stay in DIR/cache, so later runs are quicker. The
# screenshots are left in DIR/screenshots, the package in DIR.
set -euo pipefail
dir=$(realpath -m "${1:-$(dirname "$0")/../build/fresh-debian}")
if [ "$(id -u)" -ne 0 ]; then
    exec sudo --preserve-env=CMAKE_BUILD_PARALLEL_LEVEL bash "$0" "$dir"
fi
cd "$(dirname "$0")/.."
source=$PWD
cache=$dir/cache
suite=bookworm
user=newcomer
# Pixels a window may differ from its picture in docs/.
max_pixels=10

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "== $*"; }

if ! command -v debootstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
fi

# The Debian archives apt uses here: the main archive for debootstrap, and
# every bookworm suite (updates, security) for apt inside the roots.
archives=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' \
    'Identifier: Packages' 'Origin: Debian' | grep -E " $suite(-[a-z]+)? " | sort -u || true)
mirror=$(awk -v s="$suite" '$2 == s { print $1; exit }' <<<"$archives")
[ -n "$mirror" ] || fail "apt has no Debian $suite archive configured"

head=$(git -C "$source" rev-parse HEAD)
[ -z "$(git -C "$source" status --porcelain --untracked-files=no)" ] ||
    echo "note: uncommitted changes are not checked, only HEAD $head"

mkdir -p "$cache/debootstrap" "$cache/apt"
# Mounts a run that was killed left behind would keep the old roots busy.
awk -v d="$dir/" 'index($2, d) == 1 { print $2 }' /proc/mounts | sort -r | xargs -r -n 1 umount -l
mounts=()
root=""

# Processes still running inside the root (a server a test left behind) would
# keep its mounts busy.
stop_root_processes() {
    local proc
    for proc in /proc/[0-9]*; do
        [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ] && kill -9 "${proc#/proc/}" 2>/dev/null
    done
    return 0
}

unmount_all() {
    local i
    [ -n "$root" ] && stop_root_processes
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount -R "${mounts[i]}" 2>/dev/null || umount -R -l "${mounts[i]}"
    done
    mounts=()
}
trap unmount_all EXIT

mount_into() { # mount arguments... target
    mount "$@"
    mounts+=("${!#}")
}

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }

# A fresh root in DIR/NAME, with /proc, /sys and /dev and the package cache.
new_root() { # name
    unmount_all
    root=$dir/$1
    step "debootstrap $suite into $root from $mirror"
    rm -rf --one-file-system "$root"
    debootstrap --variant=minbase --cache-dir="$cache/debootstrap" "$suite" "$root" "$mirror" \
        >"$dir/$1-debootstrap.log" 2>&1 || {
        tail -n 20 "$dir/$1-debootstrap.log"
        fail "debootstrap"
    }
    awk '{ print "deb " $1 " " $2 " " $3 }' <<<"$archives" >"$root/etc/apt/sources.list"
    mount_into -t proc proc "$root/proc"
    mount_into --rbind /sys "$root/sys"
    mount --make-rslave "$root/sys"
    mount_into --rbind /dev "$root/dev"
    mount --make-rslave "$root/dev"
    mount_into --bind "$cache/apt" "$root/var/cache/apt/archives"
    in_root apt-get update -qq
}

apt_install() { # packages or ./files...
    in_root apt-get install -y -qq --no-install-recommends "$@" >"$dir/apt.log" 2>&1 || {
        tail -n 20 "$dir/apt.log"
        fail "apt-get install $*"
    }
}

as_user() { # command
    in_root su - "$user" -c "$1"
}

# ---- make test on a brand-new Debian 12 -----------------------------------------
new_root test
apt_install make git sudo
in_root useradd --create-home --shell /bin/bash "$user"
echo "$user ALL=(ALL) NOPASSWD: ALL" >"$root/etc/sudoers.d/$user"
chmod 0440 "$root/etc/sudoers.d/$user"
home=$root/home/$user
git clone --quiet --no-checkout "$source" "$home/brelkot"
git -C "$home/brelkot" checkout --quiet --detach "$head"
in_root chown -R "$user:$user" "/home/$user/brelkot"

step "make test in the fresh root, as $user, at $(git -C "$source" log -1 --format='%h %s' "$head")"
parallel=""
[ -n "${CMAKE_BUILD_PARALLEL_LEVEL:-}" ] && parallel="CMAKE_BUILD_PARALLEL_LEVEL=$CMAKE_BUILD_PARALLEL_LEVEL"
started=$SECONDS
if ! as_user "cd brelkot && $parallel make test" 2>&1 | tee "$dir/make-test.log" | tail -n 12; then
    fail "make test in the fresh root (log: $dir/make-test.log)"
fi
echo "make test passed in $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s, set-up included"

deb=$(find "$home/brelkot/build/default/tests/resources/deb/package" -maxdepth 1 -name '*.deb')
[ -n "$deb" ] || fail "make test built no .deb"
cp "$deb" "$dir/"
deb=$dir/$(basename "$deb")

# ---- the package on a brand-new Debian 12 ---------------------------------------
new_root package
step "apt-get install $(basename "$deb") into a fresh root"
cp "$deb" "$root/tmp/"
apt_install "/tmp/$(basename "$deb")"
echo "Depends: $(dpkg-deb --field "$deb" Depends)"
window_fonts() {
    echo "$(in_root fc-match -f '%{family[0]}' Arial), $(in_root fc-match -f '%{family[0]}' 'Times New Roman')"
}
fonts=$(window_fonts)
echo "Arial, Times New Roman: $fonts"
[ "$fonts" = "Liberation Sans, Liberation Serif" ] ||
    fail "the windows' fonts are not matched by fonts with their metrics"

step "the installed program under Xvfb"
apt_install xvfb xdotool x11-utils imagemagick
[ "$(window_fonts)" = "$fonts" ] ||
    fail "the tools brought fonts of their own"
check=$root/tmp/check
mkdir -p "$check"
git -C "$source" archive "$head" scripts/screenshots.sh scripts/x11-session.sh docs | tar -x -C "$check"
in_root bash /tmp/check/scripts/screenshots.sh /usr/bin/brelkot /tmp/check/screenshots
differing=""
for form in form1 form2 form3 response; do
    pixels=$(in_root compare -metric AE "/tmp/check/screenshots/$form.png" "/tmp/check/docs/$form.png" \
        "/tmp/check/screenshots/$form-difference.png" 2>&1 || true)
    echo "$form: $pixels pixels differ from docs/$form.png"
    [[ "$pixels" =~ ^[0-9]+$ ]] && [ "$pixels" -le "$max_pixels" ] || differing+=" $form"
done
rm -rf "$dir/screenshots"
cp -r "$check/screenshots" "$dir/screenshots"
[ -z "$differing" ] || fail "differ from docs/:$differing (see $dir/screenshots)"
unmount_all
step "passed in $((SECONDS / 60)) min $((SECONDS % 60)) s; screenshots in $dir/screenshots"
