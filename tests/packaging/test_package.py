#!/usr/bin/env python3
"""The machine's package built by tools/package.sh from this build tree, taken
apart as a machine and an update server would: what pacman reads of it, the
files it puts where, the update server's tree, the kiosk service as
systemd-analyze sees it, the user systemd-sysusers makes, the sudo rule, and
the service's own start and stop steps run on a directory of the test.

    test_package.py --source SRC --build BUILD
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

SOURCE = BUILD = None
RELEASE = "7"
URL_BASE = "http://127.0.0.1:9/updates"
# The static profile of eth0 exactly as the program writes it.
STATIC_PROFILE = ("Description='Configurazione di rete statica per VM24'\n"
                  "Interface=eth0\n"
                  "Connection=ethernet\n"
                  "IP=static\n"
                  "SkipNoCarrier=yes\n"
                  "Address=('10.1.2.3/16')\n"
                  "Gateway='10.1.0.1'\n"
                  "DNS=('10.1.0.53')")
ROOT_SCRIPTS = {"set_system_time.sh", "change_hostname.sh", "enable_static.sh", "enable_dynamic.sh"}


def run(command, **kwargs):
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, **kwargs)


def project_version():
    with open(os.path.join(BUILD, "CMakeCache.txt")) as f:
        return re.search(r"^CMAKE_PROJECT_VERSION:STATIC=(.*)$", f.read(), re.M).group(1)


def read(path):
    with open(path) as f:
        return f.read()


def environment_file(path):
    values = {}
    with open(path) as f:
        for line in f:
            line = line.strip()
            if line and not line.startswith("#"):
                name, value = line.split("=", 1)
                values[name] = value
    return values


class Package(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="vm24-package-")
        cls.out = os.path.join(cls.work, "out")
        made = run(["bash", os.path.join(SOURCE, "tools", "package.sh"), "--release", RELEASE, "--url-base", URL_BASE,
                    "--out", cls.out, "--build", BUILD, "--arch", "x86_64"])
        if made.returncode != 0:
            raise AssertionError("package.sh failed:\n%s%s" % (made.stdout, made.stderr))
        cls.version = "%s-%s" % (project_version(), RELEASE)
        cls.name = "vm24-%s-x86_64.pkg.tar.zst" % cls.version
        cls.package = os.path.join(cls.out, cls.name)
        cls.tree = os.path.join(cls.work, "tree")
        os.makedirs(cls.tree)
        subprocess.run(["bsdtar", "-xpf", cls.package, "-C", cls.tree], check=True)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work, ignore_errors=True)

    def path(self, *parts):
        return os.path.join(self.tree, *parts)

    def test_package_and_update_server_tree(self):
        answer = run(["pacman", "-Qp", self.package])
        self.assertEqual(answer.stdout.split(), ["vm24", self.version], answer.stderr)
        info = read(self.path(".PKGINFO"))
        self.assertIn("\nbackup = etc/vm24/environment\n", info)
        self.assertIn("\narch = x86_64\n", info)
        with open(self.path("usr", "lib", "vm24", "release")) as f:
            self.assertEqual(f.read().strip(), self.version)

        firmware = os.path.join(self.out, "server-x86_64", "firmware")
        self.assertEqual(sorted(os.listdir(firmware)), sorted(["package-list.txt", self.name]))
        with open(os.path.join(firmware, self.name), "rb") as served, open(self.package, "rb") as built:
            self.assertEqual(served.read(), built.read())
        # The line as the program's package list reader takes it: policy,
        # name, version, URL last; comments and blank lines skipped.
        lines = [l.split() for l in read(os.path.join(firmware, "package-list.txt")).splitlines()
                 if l.strip() and not l.strip().startswith("#")]
        self.assertEqual(lines, [["auto", "vm24", self.version, "%s/firmware/%s" % (URL_BASE, self.name)]])

    def test_layout_on_the_machine(self):
        files = set()
        for directory, _, names in os.walk(self.tree):
            for name in names:
                files.add(os.path.relpath(os.path.join(directory, name), self.tree))
        files -= {".PKGINFO", ".BUILDINFO", ".MTREE"}
        # Nothing of the state directory, nothing outside the package's places.
        allowed = ("usr/lib/vm24/", "usr/share/vm24/", "usr/share/doc/vm24/", "usr/lib/systemd/system/vm24.service",
                   "usr/lib/sysusers.d/vm24.conf", "etc/vm24/environment", "etc/sudoers.d/vm24")
        self.assertEqual([f for f in sorted(files) if not f.startswith(allowed)], [])
        self.assertFalse(os.path.exists(self.path("var")))
        for script in os.listdir(os.path.join(SOURCE, "scripts")):
            self.assertIn("usr/lib/vm24/scripts/" + script, files)
        header = run(["readelf", "-h", self.path("usr", "lib", "vm24", "vm24")]).stdout
        self.assertIn("X86-64", header)
        self.assertNotIn(".debug_info", run(["readelf", "-S", self.path("usr", "lib", "vm24", "vm24")]).stdout)
        self.assertEqual(os.stat(self.path("etc", "sudoers.d", "vm24")).st_mode & 0o777, 0o440)

        # What the service's environment names is in the package.
        environment = environment_file(self.path("etc", "vm24", "environment"))
        self.assertEqual(environment["VM24_APP_DIR"], "/var/lib/vm24")
        self.assertTrue(environment["QT_QPA_PLATFORM"].startswith("linuxfb"))
        plugin = os.path.join(environment["QT_PLUGIN_PATH"], "generic", "libtouchev.so")
        self.assertTrue(os.path.isfile(self.path(plugin.lstrip("/"))), plugin)
        wrappers = environment["PATH"].split(":")[0]
        for command in ("pacman", "reboot", "systemctl", "umount"):
            self.assertTrue(os.access(self.path(wrappers.lstrip("/"), command), os.X_OK), command)
        self.assertIn("VM24_SERIAL_DEVICE", environment)
        self.assertEqual(environment.get("VM24_DEMO_CONTENT"), "0")

    def test_service_unit_and_user(self):
        root = os.path.join(self.work, "unit-root")
        shutil.copytree(self.tree, root, symlinks=True)
        # The units the service names (targets, getty) are the system's.
        units = os.path.join(root, "usr", "lib", "systemd", "system")
        subprocess.run(["cp", "-an", "/lib/systemd/system/.", units], check=True)
        verified = run(["systemd-analyze", "verify", "--root=" + root, "/usr/lib/systemd/system/vm24.service"])
        self.assertEqual((verified.returncode, verified.stdout + verified.stderr), (0, ""))
        unit = read(os.path.join(units, "vm24.service"))
        self.assertIn("\nUser=vm24\n", unit)
        self.assertIn("\nStateDirectory=vm24\n", unit)
        self.assertIn("\nEnvironmentFile=/etc/vm24/environment\n", unit)

        os.makedirs(os.path.join(root, "etc"), exist_ok=True)
        made = run(["systemd-sysusers", "--root=" + root, os.path.join(root, "usr", "lib", "sysusers.d", "vm24.conf")])
        self.assertEqual(made.returncode, 0, made.stderr)
        passwd = [l.split(":") for l in read(os.path.join(root, "etc", "passwd")).splitlines()]
        user = [entry for entry in passwd if entry[0] == "vm24"]
        self.assertEqual(len(user), 1)
        self.assertNotEqual(user[0][2], "0")
        self.assertEqual(user[0][5], "/var/lib/vm24")
        groups = {l.split(":")[0]: l.split(":")[3].split(",") for l in read(os.path.join(root, "etc", "group")).splitlines()}
        for group in ("dialout", "input", "video"):
            self.assertIn("vm24", groups.get(group, []), group)

    def test_sudo_rule_opens_exactly_what_the_wrappers_ask(self):
        sudoers = self.path("etc", "sudoers.d", "vm24")
        visudo = shutil.which("visudo") or "/usr/sbin/visudo"
        checked = run([visudo, "-c", "-q", "-f", sudoers])
        self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)
        allowed = set()
        for line in read(sudoers).splitlines():
            if line.startswith("vm24 "):
                for command in line.split("NOPASSWD:", 1)[1].split(","):
                    allowed.add(command.split()[0])
        asked = set()
        lib = self.path("usr", "lib", "vm24")
        for wrapper in os.listdir(os.path.join(lib, "bin")):
            text = read(os.path.join(lib, "bin", wrapper))
            for target in re.findall(r'sudo -n "?([^" ]+)', text):
                if target.endswith("/$name"):
                    asked |= {target.replace("$name", script) for script in ROOT_SCRIPTS}
                else:
                    asked.add(target)
        self.assertEqual(asked, allowed)
        for command in allowed:
            if command.startswith("/usr/lib/vm24/"):
                self.assertTrue(os.access(self.path(command.lstrip("/")), os.X_OK), command)

    def test_wrappers_hand_the_root_path_only_what_it_checks(self):
        lib = self.path("usr", "lib", "vm24")
        stand_ins = os.path.join(self.work, "stand-ins")
        os.makedirs(stand_ins, exist_ok=True)
        record = os.path.join(self.work, "sudo.log")
        # sudo is played by a recorder: the root side must never run here.
        given = os.path.join(self.work, "sudo.stdin")
        with open(os.path.join(stand_ins, "sudo"), "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\n' % record)
            f.write('case "$*" in *enable_static.sh*) cat > "%s" ;; esac\n' % given)
        os.chmod(os.path.join(stand_ins, "sudo"), 0o755)
        env = dict(os.environ, PATH=stand_ins + ":/usr/bin:/bin")
        cached = self.package
        subprocess.run([os.path.join(lib, "bin", "pacman"), "-U", "--overwrite", "*", "--noconfirm", "--noprogress",
                        cached], env=env, check=True)
        subprocess.run([os.path.join(lib, "bin", "systemctl"), "poweroff"], env=env, check=True)
        subprocess.run([os.path.join(lib, "bin", "reboot")], env=env, check=True)
        subprocess.run([os.path.join(lib, "bin", "umount"), "/media/usbdrive-sda1"], env=env, check=True)
        link = os.path.join(self.work, "set_system_time.sh")
        os.symlink(os.path.join(lib, "bin", "as-root"), link)
        subprocess.run([link, "2026-01-02 03:04:05"], env=env, check=True)
        # The static profile the program wrote reaches the root side on its
        # standard input, never as a path root would open.
        link = os.path.join(self.work, "enable_static.sh")
        os.symlink(os.path.join(lib, "bin", "as-root"), link)
        profile = os.path.join(self.work, "static_ethernet")
        with open(profile, "w") as f:
            f.write(STATIC_PROFILE)
        subprocess.run([link, profile], env=env, check=True)
        self.assertEqual(read(given), STATIC_PROFILE)
        self.assertEqual(run([link], env=env).returncode, 2)
        self.assertEqual(read(record).splitlines(), [
            "-n /usr/lib/vm24/root/install_packages.sh " + cached,
            "-n /usr/bin/systemctl poweroff",
            "-n /usr/bin/systemctl reboot",
            "-n /usr/lib/vm24/root/umount_stick.sh /media/usbdrive-sda1",
            "-n /usr/lib/vm24/scripts/set_system_time.sh 2026-01-02 03:04:05",
            "-n /usr/lib/vm24/scripts/enable_static.sh"])
        # A query stays with the kiosk's own user.
        query = run([os.path.join(lib, "bin", "pacman"), "-Qp", self.package], env=env)
        self.assertEqual(query.stdout.split(), ["vm24", self.version])
        # A package cut short, or a file that is no package, never reaches
        # pacman nor the root path: pacman itself would extract a cut
        # package up to the cut.
        cut = os.path.join(self.work, "vm24-cut.pkg.tar.zst")
        with open(self.package, "rb") as whole, open(cut, "wb") as f:
            f.write(whole.read()[:os.path.getsize(self.package) * 3 // 4])
        text = os.path.join(self.work, "vm24-text.pkg.tar.zst")
        with open(text, "w") as f:
            f.write("not a package\n")
        empty_archive = os.path.join(self.work, "vm24-empty.pkg.tar.gz")
        subprocess.run(["bsdtar", "-czf", empty_archive, "-C", self.work, "sudo.log"], check=True)
        for damaged in (cut, text, empty_archive):
            refused = run([os.path.join(lib, "bin", "pacman"), "-U", "--overwrite", "*", "--noconfirm",
                           "--noprogress", self.package, damaged], env=env)
            self.assertEqual(refused.returncode, 3, damaged)
            self.assertIn("not a whole package", refused.stderr)
        self.assertEqual(len(read(record).splitlines()), 6, "a damaged package reached the root path")
        # The root side refuses what is not the kiosk's: a file outside the
        # cache, another mount point (checked before anything is run).
        refused = run([os.path.join(lib, "root", "install_packages.sh"), self.package])
        self.assertEqual(refused.returncode, 2)
        self.assertIn("not a package of the cache", refused.stderr)
        refused = run([os.path.join(lib, "root", "umount_stick.sh"), "/"])
        self.assertEqual(refused.returncode, 2)

    def test_static_profile_installs_nothing_but_addresses(self):
        script = self.path("usr", "lib", "vm24", "scripts", "enable_static.sh")
        root = os.path.join(self.work, "network-root")
        netctl = os.path.join(root, "etc", "netctl")
        os.makedirs(netctl)
        installed = os.path.join(netctl, "static_ethernet")
        # Recorders stand in for every command that would touch the network.
        stand_ins = os.path.join(self.work, "network-stand-ins")
        os.makedirs(stand_ins)
        calls = os.path.join(self.work, "network-calls.log")
        for command in ("systemctl", "netctl", "ip", "dhcpcd", "logger"):
            with open(os.path.join(stand_ins, command), "w") as f:
                f.write('#!/bin/sh\necho "%s $*" >> "%s"\n' % (command, calls))
            os.chmod(os.path.join(stand_ins, command), 0o755)
        env = dict(os.environ, VM24_NETWORK_ROOT=root, PATH=stand_ins + ":/usr/bin:/bin")

        def install(text):
            return subprocess.run([script], input=text.encode("latin-1"), env=env, stdout=subprocess.PIPE,
                                  stderr=subprocess.PIPE)

        good = install(STATIC_PROFILE)
        self.assertEqual(good.returncode, 0, good.stderr)
        self.assertEqual(read(installed), STATIC_PROFILE + "\n")
        self.assertEqual(os.stat(installed).st_mode & 0o777, 0o644)
        self.assertEqual(sorted(os.listdir(netctl)), ["static_ethernet"])

        lines = STATIC_PROFILE.split("\n")
        hostile = {
            "a command after the address": STATIC_PROFILE.replace("/16')", "/16'); reboot; ('"),
            "a command substitution as gateway": STATIC_PROFILE.replace("'10.1.0.1'", "'$(reboot)'"),
            "a quote closed early": STATIC_PROFILE.replace("'10.1.0.53'", "'10.1.0.53' 'x'"),
            "a hook of netctl's": STATIC_PROFILE + "\nExecUpPost='touch /tmp/owned'",
            "a second address": STATIC_PROFILE + "\nAddress=('10.9.9.9/8')",
            "an octet too large": STATIC_PROFILE.replace("10.1.2.3", "10.1.2.256"),
            "three octets": STATIC_PROFILE.replace("10.1.0.53", "10.1.0"),
            "a prefix too long": STATIC_PROFILE.replace("/16", "/33"),
            "no prefix": STATIC_PROFILE.replace("/16", ""),
            "a second prefix": STATIC_PROFILE.replace("/16", "/16/8"),
            "a name for the server": STATIC_PROFILE.replace("10.1.0.53", "ns.example.com"),
            "carriage returns": "\r\n".join(lines),
            "a nul byte": STATIC_PROFILE.replace("10.1.0.1", "10.1.\0000.1"),
            "a blank in front": STATIC_PROFILE.replace("Gateway=", " Gateway="),
            "no name server": "\n".join(l for l in lines if not l.startswith("DNS")),
            "empty": "",
            "too long": STATIC_PROFILE + "\n" + "IP=static\n" * 500,
        }
        for name, text in hostile.items():
            refused = install(text)
            self.assertEqual(refused.returncode, 2, name)
            self.assertIn(b"profile refused", refused.stderr, name)
            self.assertEqual(read(installed), STATIC_PROFILE + "\n", name)
        self.assertEqual(sorted(os.listdir(netctl)), ["static_ethernet"])
        # The private root leaves the interface alone: nothing but the journal was called.
        for line in read(calls).splitlines():
            self.assertTrue(line.startswith("logger "), line)

    def test_service_start_and_stop_steps(self):
        service = self.path("usr", "lib", "vm24", "vm24-service")
        state = os.path.join(self.work, "state")
        runtime = os.path.join(self.work, "runtime")
        env = dict(os.environ, VM24_APP_DIR=state, RUNTIME_DIRECTORY=runtime, VM24_DEMO_CONTENT="0")

        def step(name, **extra):
            return run([service, name], env=dict(env, **extra))

        # First start: the layout, the platform scripts reached from the
        # application directory, no demo catalogue.
        self.assertEqual(step("prepare").returncode, 0)
        for directory in ("products", "media", "user", "package-cache"):
            self.assertTrue(os.path.isdir(os.path.join(state, "data", directory)), directory)
        self.assertEqual(os.listdir(os.path.join(state, "data", "products")), [])
        for script in os.listdir(os.path.join(SOURCE, "scripts")):
            target = os.readlink(os.path.join(state, script))
            expected = "bin/as-root" if script in ROOT_SCRIPTS else "scripts/" + script
            self.assertEqual(os.path.relpath(target, self.path("usr", "lib", "vm24")), expected, script)
        # An edited settings file is never replaced by a later start.
        with open(os.path.join(state, "Korvane", "VM24.ini"), "w") as f:
            f.write("[advanced]\nserial=42\n")
        self.assertEqual(step("prepare", VM24_DEMO_CONTENT="1").returncode, 0)
        self.assertEqual(read(os.path.join(state, "Korvane", "VM24.ini")), "[advanced]\nserial=42\n")

        # Asked for, a fresh machine starts with the demo content.
        demo_state = os.path.join(self.work, "demo-state")
        self.assertEqual(step("prepare", VM24_APP_DIR=demo_state, VM24_DEMO_CONTENT="1").returncode, 0)
        self.assertTrue(os.path.isfile(os.path.join(demo_state, "data", "products", "main", "index.xml")))

        # A crash loop waits longer each time, up to five minutes.
        delays = []
        for _ in range(8):
            self.assertEqual(step("stopped", SERVICE_RESULT="signal", EXIT_STATUS="SEGV").returncode, 0)
            delays.append(int(step("delay").stdout))
        self.assertEqual(delays, [5, 10, 20, 40, 80, 160, 300, 300])
        # A program that exits at once, even cleanly, counts as a failed run.
        with open(os.path.join(runtime, "failed-runs"), "w") as f:
            f.write("0")
        with open(os.path.join(runtime, "started"), "w") as f:
            f.write(str(int(run(["date", "+%s"]).stdout) - 5))
        step("stopped", SERVICE_RESULT="success", EXIT_STATUS="0")
        self.assertEqual(step("delay").stdout.strip(), "5")
        # An exit for a restart after a run of some minutes comes back at once.
        with open(os.path.join(runtime, "started"), "w") as f:
            f.write(str(int(run(["date", "+%s"]).stdout) - 120))
        step("stopped", SERVICE_RESULT="success", EXIT_STATUS="0")
        self.assertEqual(step("delay").stdout.strip(), "0")

        # A state directory that cannot be made: a clear message, and the
        # program starts to show the fault on screen rather than a start
        # that fails in a loop.
        blocked = os.path.join(self.work, "a-file")
        open(blocked, "w").close()
        started = step("prepare", VM24_APP_DIR=os.path.join(blocked, "state"))
        self.assertEqual(started.returncode, 0)
        self.assertIn("is not writable", started.stderr)
        self.assertTrue(os.path.isfile(os.path.join(runtime, "started")))


def main():
    global SOURCE, BUILD
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True)
    parser.add_argument("--build", required=True)
    arguments, rest = parser.parse_known_args()
    SOURCE, BUILD = os.path.abspath(arguments.source), os.path.abspath(arguments.build)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
