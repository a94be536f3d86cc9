"""The machine updates itself, end to end, with the project's own package.

tools/package.sh builds this build's package as release 1, 2 and 3, release
2's package list with its index signed by the owner's key, whose public half
is provisioned in the state directory (updates are authenticated). Real
pacman installs release 1 into a private root, whose var/lib/vm24 is the
machine's state directory; the service's command lines (start step,
program, stop step, read from the installed unit) and its environment file
are run by hand, as systemd would (no systemd runs here). Release 2's update
server tree is published on an HTTP server on loopback; the program's
package check fetches it, the maintenance menu offers "Installa 1 package",
the installation runs and the program ends for its restart. The root then
holds release 2's files, the operator's edit of the environment file is
kept, and the state directory is what it was.

Then the restarted program meets bad input: a list naming release 1 (lower)
and release 3 cut short. Release 1 is not even downloaded; release 3 is, the
kiosk's pacman refuses it (pacman alone would extract it up to the cut), the
failure is logged, and release 2 stays in place."""

import hashlib
import os
import shutil
import sqlite3
import subprocess
import time

from kiosk import Kiosk, KioskError
from maintenance_case import expect, open_menu, wait_for_log, log_length
from packages_case import BUTTON_BLUE, MENU_CHECK_SOFTWARE, MENU_INSTALL_PACKAGES, installed_version, private_root
from usbkeys import Keys

# What the test harness itself keeps in the state directory, and the
# scheduler's time store, which the program writes on its way out: not part
# of the comparison. The event log is compared by its rows.
HARNESS_FILES = {"vm24.log", "system-actions.log", "device-info.xml", "start-state.json", "receipts.txt",
                 "requests.log", "rk710-sim.log", "rk710", "net-address", "admin-test-key.pem", "time-store.ini"}
HARNESS_DIRS = ("media", "dev", "data/package-cache")


def package(source, build, out, release, url_base=None, sign_key=None):
    command = ["bash", os.path.join(source, "tools", "package.sh"), "--release", str(release), "--out", out,
               "--build", build, "--arch", "x86_64"]
    if url_base:
        command += ["--url-base", url_base]
    if sign_key:
        command += ["--sign-key", sign_key]
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)


def owner_key_pair(directory):
    """What an owner does once: an Ed25519 key pair; the public half goes to
    the machine's state directory as updates-public.pem."""
    private, public = os.path.join(directory, "owner.pem"), os.path.join(directory, "owner-public.pem")
    subprocess.run(["openssl", "genpkey", "-algorithm", "ed25519", "-out", private], check=True)
    subprocess.run(["openssl", "pkey", "-in", private, "-pubout", "-out", public], check=True)
    return private, public


def package_file(out, version):
    return os.path.join(out, "vm24-%s-x86_64.pkg.tar.zst" % version)


def project_version(build):
    with open(os.path.join(build, "CMakeCache.txt")) as f:
        for line in f:
            if line.startswith("CMAKE_PROJECT_VERSION:STATIC="):
                return line.split("=", 1)[1].strip()
    raise KioskError("no project version in the build tree")


def platform_package(directory, provides):
    """What a machine has besides vm24: one package that stands for the
    libraries and tools vm24 depends on, so that pacman's dependency check
    holds in the private root as on a machine."""
    tree = os.path.join(directory, "platform-tree")
    os.makedirs(tree)
    with open(os.path.join(tree, ".PKGINFO"), "w") as f:
        f.write("pkgname = platform\npkgver = 1-1\npkgdesc = the machine's platform\narch = any\nsize = 0\n")
        f.writelines("provides = %s\n" % name for name in provides)
    path = os.path.join(directory, "platform-1-1-any.pkg.tar.gz")
    subprocess.run(["bsdtar", "-czf", path, ".PKGINFO"], cwd=tree, check=True)
    return path


def depends_of(path):
    info = subprocess.run(["bsdtar", "-xOf", path, ".PKGINFO"], check=True, stdout=subprocess.PIPE, text=True).stdout
    return [line.split(" = ", 1)[1] for line in info.splitlines() if line.startswith("depend = ")]


def pacman(config, *arguments):
    subprocess.run(["pacman", "--config", config] + list(arguments), check=True, stdout=subprocess.DEVNULL)


def environment_file(path):
    values = {}
    with open(path) as f:
        for line in f:
            line = line.strip()
            if line and not line.startswith("#"):
                name, value = line.split("=", 1)
                values[name] = value
    return values


def service_environment(root, state):
    """The environment file as the service hands it to the program, with the
    machine's paths moved into the private root. The kiosk's wrappers come
    first on the PATH as on the machine: pacman's is the one that runs
    (platform actions are only recorded)."""
    env = environment_file(os.path.join(root, "etc", "vm24", "environment"))
    env["PATH"] = root + env["PATH"].split(":")[0] + ":" + os.environ["PATH"]
    env["QT_PLUGIN_PATH"] = root + env["QT_PLUGIN_PATH"]
    env["VM24_APP_DIR"] = state
    return env


def service_command(root, key):
    """A command line of the installed service unit, in the private root."""
    with open(os.path.join(root, "usr", "lib", "systemd", "system", "vm24.service")) as f:
        lines = [line.strip().split("=", 1)[1] for line in f if line.startswith(key + "=")]
    expect(len(lines) == 1, "the service has %d %s lines" % (len(lines), key))
    command = lines[0].split()
    return [root + command[0]] + command[1:]


def service_step(root, key, env, runtime, **extra):
    """A start or stop step of the service (ExecStartPre, ExecStopPost), as
    systemd runs it."""
    done = subprocess.run(service_command(root, key), env=dict(os.environ, **env, RUNTIME_DIRECTORY=runtime, **extra),
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if done.returncode != 0:
        raise KioskError("%s failed: %s" % (key, done.stdout))


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def state_files(state):
    """Every file of the state directory but the harness's, by content."""
    files = {}
    for directory, dirs, names in os.walk(state):
        relative = os.path.relpath(directory, state)
        dirs[:] = [d for d in dirs if os.path.normpath(os.path.join(relative, d)) not in HARNESS_DIRS]
        for name in names:
            path = os.path.join(directory, name)
            key = os.path.normpath(os.path.join(relative, name))
            if key in HARNESS_FILES or os.path.islink(path):
                continue
            files[key] = digest(path)
    return files


def event_rows(state):
    with sqlite3.connect(os.path.join(state, "log.db")) as connection:
        return [tuple(row) for row in connection.execute("SELECT * FROM Log ORDER BY rowid")]


def event_data(state):
    with sqlite3.connect(os.path.join(state, "log.db")) as connection:
        return list(connection.execute("SELECT data FROM Log ORDER BY rowid"))


def program_said(kiosk, text, after):
    return any(text in line for line in kiosk.program_log_lines()[after:])


def start_server(directory, log):
    server = subprocess.Popen(["/usr/bin/python3", "-u", "-m", "http.server", "0", "--bind", "127.0.0.1",
                               "--directory", directory], stdout=subprocess.PIPE, stderr=open(log, "w"), text=True)
    banner = server.stdout.readline()
    return server, int(banner.split(" port ")[1].split()[0])


def publish(tree, site):
    """What an owner does to publish a release: copy the tree to the server."""
    shutil.rmtree(site, ignore_errors=True)
    shutil.copytree(tree, site)


def wait_until(kiosk, condition, what, timeout=60):
    deadline = time.monotonic() + timeout
    while not condition():
        kiosk.check_running()
        if time.monotonic() > deadline:
            raise KioskError(what)
        time.sleep(0.3)


def wait_for_exit(kiosk, timeout=40):
    deadline = time.monotonic() + timeout
    while kiosk.program.poll() is None:
        if time.monotonic() > deadline:
            raise KioskError("the program did not end for its restart")
        time.sleep(0.3)
    expect(kiosk.program.returncode == 0, "the program ended with %s" % kiosk.program.returncode)


def check_and_install(kiosk, label, expected_cache, stick, keys):
    """The operator's package check and installation from the maintenance
    menu, with a key signed by the machine's admin key; returns the state as
    it was just before the installation and the log line it began at."""
    kiosk.wait_for_screen(label + "-home", lambda s: s.is_colour(68, 326, (186, 41, 46)), timeout=40)
    keys.kiosk = kiosk
    operator = keys.make_operator_key(stick, "1a2b3c4d")
    screen = open_menu(kiosk, keys, stick, operator, 2, label + "-menu")
    expect(not screen.is_colour(100, MENU_INSTALL_PACKAGES[1], BUTTON_BLUE, 12), "installation offered with nothing cached")
    after = log_length(kiosk)
    kiosk.touch(*MENU_CHECK_SOFTWARE)
    wait_for_log(kiosk, "checking for package updates", after=after)
    cache = kiosk.path("data", "package-cache")
    wait_until(kiosk, lambda: all(os.path.exists(os.path.join(cache, name)) for name in expected_cache),
               "the package never reached the cache")
    kiosk.wait_for_screen(label + "-installa-1-package",
                          lambda s: s.is_colour(100, MENU_INSTALL_PACKAGES[1], BUTTON_BLUE, 12))
    cached = sorted(n for n in os.listdir(cache) if not n.startswith("."))
    expect(cached == sorted(expected_cache), "the cache holds %s" % cached)
    before = state_files(kiosk.run_dir), event_rows(kiosk.run_dir)
    after = log_length(kiosk)
    kiosk.touch(*MENU_INSTALL_PACKAGES)
    wait_for_log(kiosk, "installing", after=after)
    kiosk.screenshot(label + "-installing")
    wait_for_exit(kiosk)
    return before, after


def expect_state_kept(state, before):
    files, rows = before
    now = state_files(state)
    changed = sorted(k for k in set(files) | set(now) if files.get(k) != now.get(k) and k != "log.db")
    expect(changed == [], "the state directory changed: %s" % changed)
    for needed in ("Korvane/VM24.ini", "accounting.xml", "log.db"):
        expect(needed in now, "no %s in the state directory" % needed)
    expect(event_rows(state)[:len(rows)] == rows, "the event log lost or changed rows")


def case_selfupdate(source, build):
    from test_kiosk import SELLING_STATE, SETTINGS

    began = time.monotonic()
    build = os.path.abspath(build)
    work = os.path.join(build, "tests", "e2e", "selfupdate-machine")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    version = project_version(build)
    out = os.path.join(work, "packages")
    site = os.path.join(work, "site")
    os.makedirs(site)
    server, port = start_server(site, os.path.join(work, "server.log"))
    try:
        url_base = "http://127.0.0.1:%d" % port
        owner_key, owner_public = owner_key_pair(work)
        package(source, build, out, 1)
        package(source, build, out, 2, url_base, owner_key)
        publish(os.path.join(out, "server-x86_64"), site)
        for name in ("package-list.txt.index", "package-list.txt.index.sig"):
            expect(os.path.exists(os.path.join(site, "firmware", name)), "package.sh wrote no %s" % name)

        config = private_root(work)
        root = os.path.join(work, "root")
        old, new = package_file(out, version + "-1"), package_file(out, version + "-2")
        pacman(config, "-U", "--noconfirm", "--noprogress", platform_package(work, depends_of(old)))
        pacman(config, "-U", "--noconfirm", "--noprogress", old)
        expect(installed_version(config, "vm24") == version + "-1", "release 1 not installed")
        program = service_command(root, "ExecStart")[0]
        old_program = os.stat(program)

        # The operator's edit of the environment file, kept by the update.
        environment = os.path.join(root, "etc", "vm24", "environment")
        with open(environment) as f:
            text = f.read()
        edited = text.replace("VM24_TOUCHEV_OPTIONS=rot=270", "VM24_TOUCHEV_OPTIONS=rot=90:dejitter=3")
        expect(edited != text, "the environment file holds no touchscreen options")
        with open(environment, "w") as f:
            f.write(edited)

        state = os.path.join(root, "var", "lib", "vm24")
        runtime = os.path.join(work, "run")
        env = service_environment(root, state)
        service_step(root, "ExecStartPre", env, runtime)
        # Provisioning: the owner's update key; from now on only signed updates.
        shutil.copy(owner_public, os.path.join(state, "updates-public.pem"))
        os.environ["VM24_PACMAN_CONFIG"] = config
        settings = dict(SETTINGS, UpdatesServer={"address": "127.0.0.1:%d" % port})
        with Kiosk(source, build, "selfupdate", SELLING_STATE, settings, installed=(program, state, env)) as kiosk:
            keys = Keys(kiosk)
            before, _ = check_and_install(kiosk, "update", [os.path.basename(new)], "sdy1", keys)
        updated = time.monotonic() - began

        expect(installed_version(config, "vm24") == version + "-2", "vm24 is at %s" % installed_version(config, "vm24"))
        with open(os.path.join(root, "usr", "lib", "vm24", "release")) as f:
            expect(f.read().strip() == version + "-2", "the program files are not release 2's")
        shipped = subprocess.run(["bsdtar", "-xOf", new, "usr/lib/vm24/vm24"], check=True, stdout=subprocess.PIPE).stdout
        expect(digest(program) == hashlib.sha256(shipped).hexdigest(), "the program is not release 2's")
        expect(os.stat(program).st_ino != old_program.st_ino, "the program file was not replaced")
        with open(environment) as f:
            expect(f.read() == edited, "the operator's environment file was replaced")
        expect(not os.path.exists(environment + ".pacnew"), "an unchanged environment file left a .pacnew")
        expect_state_kept(state, before)
        power = [row[0] for row in event_data(state) if row[0] in ("PowerOn", "Restart", "Reboot", "Shutdown")]
        expect(power[-1:] == ["Restart"], "power events: %s" % power)

        # The operator pulls the key out; the restart systemd makes, with
        # the new program: bad input now.
        keys.remove("sdy1")
        service_step(root, "ExecStopPost", env, runtime, SERVICE_RESULT="success", EXIT_STATUS="0")
        service_step(root, "ExecStartPre", env, runtime)
        package(source, build, out, 3)
        third = package_file(out, version + "-3")
        cut = os.path.join(site, "firmware", os.path.basename(third))
        with open(third, "rb") as whole, open(cut, "wb") as half:
            half.write(whole.read()[:os.path.getsize(third) // 2])
        shutil.copy(old, os.path.join(site, "firmware"))
        listed = os.path.join(site, "firmware", "package-list.txt")
        with open(listed, "w") as f:
            f.write("auto vm24 %s-1 %s/firmware/%s\nauto vm24 %s-3 %s/firmware/%s\n"
                    % (version, url_base, os.path.basename(old), version, url_base, os.path.basename(cut)))
        # Signed as it is: the signature vouches for the bytes, pacman's
        # wrapper still refuses a package cut short.
        subprocess.run(["bash", os.path.join(source, "tools", "sign-index.sh"), listed + ".index", owner_key, "all",
                        listed, os.path.join(site, "firmware", os.path.basename(old)), cut],
                       check=True, stdout=subprocess.DEVNULL)
        installed = digest(program)
        with Kiosk(source, build, "selfupdate-refused", SELLING_STATE, settings, installed=(program, state, env)) as kiosk:
            before, after = check_and_install(kiosk, "refused", [os.path.basename(cut)], "sdz1", keys)
            expect(program_said(kiosk, "package installation failed", after), "the refused package was not logged")
        with open(os.path.join(work, "server.log")) as f:
            requests = f.read()
        expect(os.path.basename(cut) in requests, "the cut package was never fetched")
        expect(os.path.basename(old) not in requests, "the lower release was downloaded")
        expect(installed_version(config, "vm24") == version + "-2", "vm24 is at %s" % installed_version(config, "vm24"))
        expect(digest(program) == installed, "the refused package changed the program")
        with open(os.path.join(root, "usr", "lib", "vm24", "release")) as f:
            expect(f.read().strip() == version + "-2", "the refused package left release 3's files")
        expect_state_kept(state, before)
        print("selfupdate: update %.1f s, whole case %.1f s; packages %d and %d bytes"
              % (updated, time.monotonic() - began, os.path.getsize(old), os.path.getsize(new)))
    finally:
        server.terminate()
        server.wait(timeout=10)
        os.environ.pop("VM24_PACMAN_CONFIG", None)
