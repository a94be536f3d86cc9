"""Software updates end to end: a package list on an HTTP server on loopback
names a newer version of a package installed in a private package-manager
root; the operator's check from the maintenance menu downloads it into the
package cache, the menu then offers to install one package, the
installation runs behind the progress dialog, the package is at the new
version and the program ends to be restarted. Screenshots of the menu and
of the dialog."""

import os
import shutil
import subprocess
import tempfile
import time

from kiosk import Kiosk, KioskError
from maintenance_case import expect, log_length, open_menu, wait_for_log
from usbkeys import Keys

# Where things are on the screen: the two rows under the ten page entries.
MENU_INSTALL_PACKAGES = (540, 1097)
MENU_CHECK_SOFTWARE = (540, 1245)
BUTTON_BLUE = (0, 35, 140)


def build_package(name, version, directory):
    tree = tempfile.mkdtemp()
    try:
        with open(os.path.join(tree, ".PKGINFO"), "w") as f:
            f.write("pkgname = %s\npkgver = %s\npkgdesc = test package\narch = any\nsize = 8\n" % (name, version))
        os.makedirs(os.path.join(tree, "usr", "share", name))
        with open(os.path.join(tree, "usr", "share", name, "version"), "w") as f:
            f.write(version)
        os.makedirs(directory, exist_ok=True)
        package = os.path.join(directory, "%s-%s-any.pkg.tar.gz" % (name, version))
        subprocess.run(["bsdtar", "-czf", package, ".PKGINFO", "usr"], cwd=tree, check=True)
        return package
    finally:
        shutil.rmtree(tree)


def private_root(directory):
    root = os.path.join(directory, "root")
    for sub in ("var/lib/pacman", "var/cache/pacman/pkg"):
        os.makedirs(os.path.join(root, sub))
    config = os.path.join(directory, "pacman.conf")
    with open(config, "w") as f:
        f.write("[options]\nRootDir = {0}\nDBPath = {0}/var/lib/pacman/\nCacheDir = {0}/var/cache/pacman/pkg/\n"
                "LogFile = {0}/pacman.log\nGPGDir = {0}/gnupg/\nHookDir = {0}/hooks/\nArchitecture = auto\n"
                "SigLevel = Never\nLocalFileSigLevel = Never\n".format(root))
    return config


def installed_version(config, name):
    answer = subprocess.run(["pacman", "--config", config, "-Q", name], stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, text=True)
    return answer.stdout.split()[1] if answer.returncode == 0 else None


def start_file_server(directory):
    server = subprocess.Popen(["/usr/bin/python3", "-u", "-m", "http.server", "0", "--bind", "127.0.0.1",
                               "--directory", directory], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    banner = server.stdout.readline()
    port = int(banner.split(" port ")[1].split()[0])
    return server, port


def case_packages(source, build):
    from test_kiosk import SELLING_STATE, SETTINGS

    work = os.path.join(os.path.abspath(build), "tests", "e2e", "packages-server")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    config = private_root(work)
    site = os.path.join(work, "site")
    packages = os.path.join(site, "firmware", "pkgs")
    subprocess.run(["pacman", "--config", config, "-U", "--noconfirm", "--noprogress",
                    build_package("foo", "1.0-1", packages)], check=True, stdout=subprocess.DEVNULL)
    newer = build_package("foo", "1.1-1", packages)
    server, port = start_file_server(site)
    try:
        with open(os.path.join(site, "firmware", "package-list.txt"), "w") as f:
            f.write("# software for every machine\nauto foo 1.1-1 http://127.0.0.1:%d/firmware/pkgs/%s\n"
                    % (port, os.path.basename(newer)))
        os.environ["VM24_PACMAN_CONFIG"] = config
        settings = dict(SETTINGS, UpdatesServer={"address": "127.0.0.1:%d" % port})
        with Kiosk(source, build, "packages", SELLING_STATE, settings) as kiosk:
            run_update(kiosk, config, newer)
    finally:
        server.terminate()
        server.wait(timeout=10)


def run_update(kiosk, config, newer):
    kiosk.wait_for_screen("home", lambda s: s.is_colour(68, 326, (186, 41, 46)), timeout=30)
    keys = Keys(kiosk)
    operator = keys.make_operator_key("sdz1", "1a2b3c4d")
    screen = open_menu(kiosk, keys, "sdz1", operator, 2, "menu-before-check")
    expect(not screen.is_colour(100, MENU_INSTALL_PACKAGES[1], BUTTON_BLUE, 12), "installation offered with nothing cached")
    after = log_length(kiosk)
    kiosk.touch(*MENU_CHECK_SOFTWARE)
    wait_for_log(kiosk, "checking for package updates", after=after)
    kiosk.screenshot("menu-checking")
    cached = kiosk.path("data", "package-cache", os.path.basename(newer))
    deadline = time.monotonic() + 60
    while not os.path.exists(cached):
        kiosk.check_running()
        if time.monotonic() > deadline:
            raise KioskError("the newer package never reached the cache")
        time.sleep(0.3)
    # The entry that installs is enabled (blue) once the download ended.
    kiosk.wait_for_screen("menu-install-1-package", lambda s: s.is_colour(100, MENU_INSTALL_PACKAGES[1], BUTTON_BLUE, 12))
    expect(installed_version(config, "foo") == "1.0-1", "installed before the operator asked")

    after = log_length(kiosk)
    kiosk.touch(*MENU_INSTALL_PACKAGES)
    kiosk.screenshot("installing")
    wait_for_log(kiosk, "installing", after=after)
    time.sleep(1)
    kiosk.screenshot("installation-finished")
    # The dialog closes itself after five seconds and the program ends to be restarted.
    deadline = time.monotonic() + 30
    while kiosk.program.poll() is None:
        if time.monotonic() > deadline:
            raise KioskError("the program did not end for its restart")
        time.sleep(0.3)
    expect(kiosk.program.returncode == 0, "the program ended with %s" % kiosk.program.returncode)
    expect(installed_version(config, "foo") == "1.1-1", "foo is at %s" % installed_version(config, "foo"))
    with open(os.path.join(os.path.dirname(config), "root", "usr", "share", "foo", "version")) as f:
        expect(f.read() == "1.1-1", "the package's files were not replaced")
    left = [n for n in os.listdir(kiosk.path("data", "package-cache")) if not n.startswith(".")]
    expect(left == [], "the cache holds %s" % left)
    power = [r["data"] for r in kiosk.event_log() if r["data"] in ("PowerOn", "Restart", "Reboot", "Shutdown")]
    expect(power[-1:] == ["Restart"], "power events: %s" % power)
    record = kiosk.path("system-actions.log")
    actions = open(record, encoding="utf-8").read() if os.path.exists(record) else ""
    expect("pacman" not in actions and "reboot" not in actions, "system actions: %r" % actions)
