"""USB security keys for the end-to-end tests: Ed25519 key pairs made with
openssl, sticks as a directory under the kiosk's media directory plus a vfat
image (mkfs.vfat -i) under its device directory, whose UUID the program reads
with the real blkid."""

import os
import shutil
import subprocess


def run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class Keys:
    def __init__(self, kiosk):
        self.kiosk = kiosk
        self.admin = kiosk.path("admin-test-key.pem")
        run("openssl", "genpkey", "-algorithm", "ed25519", "-out", self.admin)
        run("openssl", "pkey", "-in", self.admin, "-pubout", "-out", kiosk.path("vm24-public.pem"))

    def stick_path(self, device):
        return self.kiosk.path("media", "usbdrive-" + device)

    def security_dir(self, device):
        return os.path.join(self.stick_path(device), ".vm24-security")

    def make_image(self, device, volume_id):
        image = self.kiosk.path("dev", device)
        if os.path.exists(image):
            os.remove(image)
        run("mkfs.vfat", "-C", "-i", volume_id, image, "1024")
        return "%s-%s" % (volume_id[:4].upper(), volume_id[4:].upper())

    def make_operator_key(self, device, volume_id, level=2):
        """A signed key of the level carrying the admin key, not yet inserted."""
        uuid = self.make_image(device, volume_id)
        staging = self.kiosk.path("staging-" + device)
        shutil.rmtree(staging, ignore_errors=True)
        keydir = os.path.join(staging, ".vm24-security")
        os.makedirs(keydir)
        manifest = os.path.join(keydir, "manifest.txt")
        with open(manifest, "w") as f:
            f.write("UUID=%s\nmac=\nlevel=%d\n" % (uuid, level))
        run("openssl", "pkeyutl", "-sign", "-rawin", "-inkey", self.admin, "-in", manifest,
            "-out", manifest + ".sig")
        shutil.copy(self.admin, os.path.join(keydir, "vm24.pem"))
        return staging

    def insert(self, device, staging=None):
        """Plugs the stick in: its content appears under the media directory at once."""
        target = self.stick_path(device)
        if staging:
            shutil.copytree(staging, os.path.join(self.kiosk.path("media"), ".pending-" + device))
            os.rename(os.path.join(self.kiosk.path("media"), ".pending-" + device), target)
        else:
            os.makedirs(target)

    def remove(self, device, keep=None):
        """Pulls the stick out; keep receives a copy of what it held."""
        target = self.stick_path(device)
        if keep:
            shutil.rmtree(keep, ignore_errors=True)
            shutil.copytree(target, keep, symlinks=True)
        shutil.rmtree(target)
