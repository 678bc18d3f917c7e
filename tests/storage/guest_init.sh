#!/bin/sh
# First process of the User-Mode Linux guest (the host's / is its root): its own mounts, the
# kernel modules from the user-mode-linux package, then the job, then power off.
# The job comes on the kernel command line as turnaj_job=<script> turnaj_dir=<folder>.
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /run
mount -t tmpfs tmpfs /var/lib/nfs
ip link set lo up
# modprobe with the package's modules, also for the kernel's own module requests.
mkdir -p /run/uml/lib/modules
ln -s /usr/lib/uml/modules/"$(uname -r)" /run/uml/lib/modules/
printf '#!/bin/sh\nexec /sbin/modprobe -d /run/uml "$@"\n' >/run/uml/modprobe
chmod +x /run/uml/modprobe
echo /run/uml/modprobe >/proc/sys/kernel/modprobe
export PATH=/run/uml:/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root
cd "$turnaj_dir" && sh "$turnaj_job" >"$turnaj_dir/guest.log" 2>&1
sync
echo o >/proc/sysrq-trigger
halt -f -p
