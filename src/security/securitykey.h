#pragma once

#include "core/detachedsignature.h"

#include <QByteArray>
#include <QString>

// The USB security key: a manifest on the stick that binds a user level to
// the stick's file-system UUID (and, for levels 0 and 1, to this machine's
// Ethernet address), signed with Ed25519 by the scripts next to the program.
namespace VM24 {

static const char* const SECURITY_DIR = ".vm24-security";
static const char* const MANIFEST_FILENAME = "manifest.txt";
// Where sign_manifest.sh puts the signature and verify_manifest.sh looks for it.
static const char* const SIGNATURE_SUFFIX = DETACHED_SIGNATURE_SUFFIX;
static const char* const ADMIN_PRIVKEY_FILENAME = "vm24.pem";
static const char* const MASTER_PRIVKEY_FILENAME = "vm24-master.pem";
static const char* const ADMIN_PUBKEY_FILENAME = "vm24-public.pem";
static const char* const MASTER_PUBKEY_FILENAME = "vm24-master-public.pem";
static const char* const SIGN_SCRIPT = SIGN_SIGNATURE_SCRIPT;
static const char* const VERIFY_SCRIPT = VERIFY_SIGNATURE_SCRIPT;

static const int MIN_KEY_LEVEL = 0;
static const int MAX_KEY_LEVEL = 4;
// Levels from which a manifest is valid on every machine and verified with
// the master key.
static const int MACHINE_INDEPENDENT_LEVEL = 2;
static const int MASTER_KEY_LEVEL = 3;
// A manifest is three short lines; anything longer is not one.
static const int MAX_MANIFEST_SIZE = 4096;
static const int MAX_SIGNATURE_SIZE = 1024;
static const int BLKID_TIMEOUT_MS = 30000;

// The watched mount directory: VM24_MEDIA_DIR or "/media".
QString media_dir();
// The device directory handed to blkid: VM24_DEV_DIR or "/dev".
QString device_dir();
// The Ethernet address file: VM24_NET_ADDRESS_FILE or "/sys/class/net/eth0/address".
QString net_address_file();

// File-system UUID of the device as blkid prints it; empty when blkid fails
// or does not answer within timeoutMs.
QByteArray usb_uuid(const QString& device, int timeoutMs = BLKID_TIMEOUT_MS);
// First line of the Ethernet address file, trimmed; empty when unreadable.
QByteArray mac_address();

// Writes the three manifest lines for the device and level to path,
// replacing a file (or symbolic link) of that name.
bool write_manifest(const QString& path, const QString& device, int level,
                    int timeoutMs = BLKID_TIMEOUT_MS);
// The manifest's level when it is bound to the device (and, below level 2,
// to this machine); -1 otherwise.
int check_manifest(const QString& path, const QString& device, int timeoutMs = BLKID_TIMEOUT_MS);
// Runs sign_manifest.sh of the application directory; true on exit code 0.
bool sign_manifest(const QString& manifest, const QString& keyFile);
// Runs verify_manifest.sh with the public key for the level; true on exit code 0.
bool verify_manifest_signature(const QString& manifest, int level);

// Reads a regular file of at most maxSize bytes: how every file that comes
// from a stick is read. False when the file is missing, a symbolic link, not
// a regular file (a device, a fifo) or larger.
bool read_small_file(const QString& path, int maxSize, QByteArray* content);
// Writes content to path, first removing whatever is there, without
// following a symbolic link of that name. False when it cannot be written.
bool replace_file(const QString& path, const QByteArray& content);

} // namespace VM24
