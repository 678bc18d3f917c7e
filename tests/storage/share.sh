#!/bin/sh
# Inside the guest: serves the folder $2 on 127.0.0.1 and mounts it twice, at $3 and $4, as two
# results desks' computers would, for configuration $1 (see the README); prints "ready" at the end.
set -eu
config=$1 export=$2 a=$3 b=$4
mkdir -p "$export" "$a" "$b"
mount -t tmpfs -o size=64m tmpfs "$export"

nfs_server() {
  mkdir -p /var/lib/nfs/sm /var/lib/nfs/sm.bak /var/lib/nfs/rpc_pipefs /var/lib/nfs/v4recovery
  : >/var/lib/nfs/etab
  : >/var/lib/nfs/rmtab
  modprobe -a nfsd lockd
  mount -t nfsd nfsd /proc/fs/nfsd
  # A fresh server refuses locks and opens for its grace period: the shortest there is.
  echo 10 >/proc/fs/nfsd/nfsv4gracetime
  echo 10 >/proc/sys/fs/nfs/nlm_grace_period
  rpcbind -w
  rpc.statd --no-notify
  exportfs -o rw,sync,no_root_squash,insecure,no_subtree_check,fsid=0 "127.0.0.1:$export"
  rpc.mountd
  rpc.nfsd 8
}

# The second computer: its own network namespace (a veth link to the server) and host name,
# so that the server sees two NFS clients.
second_computer_mount() {
  ip netns add desk2
  ip link add desk1 type veth peer name desk2 netns desk2
  ip addr add 10.23.0.1/24 dev desk1
  ip link set desk1 up
  nsenter --net=/run/netns/desk2 sh -c 'ip addr add 10.23.0.2/24 dev desk2; ip link set desk2 up; ip link set lo up'
  exportfs -o rw,sync,no_root_squash,insecure,no_subtree_check,fsid=0 "10.23.0.2:$export"
  nsenter --net=/run/netns/desk2 unshare --uts sh -c "hostname desk2; mount -t nfs -o vers=4.2 10.23.0.1:/ $b"
}

smb_server() {
  mkdir -p /run/samba/private /run/samba/lock /run/samba/state /run/samba/cache
  cat >/run/samba/smb.conf <<CONF
[global]
interfaces = lo
bind interfaces only = yes
server role = standalone server
map to guest = Bad User
private dir = /run/samba/private
lock directory = /run/samba/lock
state directory = /run/samba/state
cache directory = /run/samba/cache
pid directory = /run/samba
log file = /run/samba/log
[turnaj]
path = $export
read only = no
guest ok = yes
force user = root
CONF
  modprobe cifs
  smbd -D -s /run/samba/smb.conf
  for _ in $(seq 50); do ss -ltn | grep -q ":445 " && return; sleep 0.2; done
}

case $config in
nfs42) nfs_server
  mount -t nfs -o vers=4.2 127.0.0.1:/ "$a"
  mount -t nfs -o vers=4.2,nosharecache 127.0.0.1:/ "$b" ;;
nfs42-netns) nfs_server
  mount -t nfs -o vers=4.2 127.0.0.1:/ "$a"
  second_computer_mount ;;
nfs3 | nfs3-nolock) nfs_server
  options=vers=3
  [ "$config" = nfs3 ] || options=vers=3,nolock
  mount -t nfs -o "$options" "127.0.0.1:$export" "$a"
  mount -t nfs -o "$options,nosharecache" "127.0.0.1:$export" "$b" ;;
smb3 | smb3-nobrl | smb3-one) smb_server
  options=guest,vers=3.0,nosharesock
  [ "$config" != smb3-nobrl ] || options=$options,nobrl
  mount -t cifs //127.0.0.1/turnaj "$a" -o "$options"
  if [ "$config" = smb3-one ]; then mount --bind "$a" "$b"; else mount -t cifs //127.0.0.1/turnaj "$b" -o "$options"; fi ;;
*) echo "unknown configuration $config" >&2; exit 2 ;;
esac
echo ready
