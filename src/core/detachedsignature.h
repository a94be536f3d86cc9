#pragma once

#include <QString>

// Ed25519 signatures kept beside the signed file as "<file>.sig", made by
// sign_manifest.sh and checked by verify_manifest.sh of the application
// directory: the one place where the program has openssl check a
// signature, for the USB key manifests and the signed update indexes alike.
namespace VM24 {

// Where the signature of a file is kept.
inline constexpr char DETACHED_SIGNATURE_SUFFIX[] = ".sig";
inline constexpr char VERIFY_SIGNATURE_SCRIPT[] = "verify_manifest.sh";
inline constexpr char SIGN_SIGNATURE_SCRIPT[] = "sign_manifest.sh";

// True when "<file>.sig" is a valid signature of the whole file by the
// public key (PEM). The key is read by openssl from its file.
bool verify_detached_signature(const QString& file, const QString& publicKeyFile);

// Signs the file with the private key file, writing "<file>.sig"; true on success.
bool sign_detached(const QString& file, const QString& privateKeyFile);

} // namespace VM24
