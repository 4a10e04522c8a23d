#!/usr/bin/env bash
# Signs Windows files (.exe, .msi) in place with an Authenticode signature (osslsigncode), when a code
# signing certificate and its private key are given; without them, says that the files stay unsigned.
#
# Usage: sign-windows.sh <file>...
# Environment (paths only; the certificate and key never belong in the tree):
#   KVL_SIGN_CERT           certificate (chain) in PEM or DER
#   KVL_SIGN_KEY            its private key in PEM or DER
#   KVL_SIGN_PASSWORD_FILE  optional: a file holding the key's password
#   KVL_SIGN_TIMESTAMP_URL  optional: an RFC 3161 time-stamping server, so that the signature outlives
#                           the certificate
set -euo pipefail
if [ -z "${KVL_SIGN_CERT:-}" ] || [ -z "${KVL_SIGN_KEY:-}" ]; then
    echo "Unsigned (set KVL_SIGN_CERT and KVL_SIGN_KEY to sign): $*"
    exit 0
fi
options=(-certs "$KVL_SIGN_CERT" -key "$KVL_SIGN_KEY" -h sha256
    -n "KVL-17+ Settings Editor" -i "https://www.example.org/kvl-settings-editor")
[ -n "${KVL_SIGN_PASSWORD_FILE:-}" ] && options+=(-readpass "$KVL_SIGN_PASSWORD_FILE")
[ -n "${KVL_SIGN_TIMESTAMP_URL:-}" ] && options+=(-ts "$KVL_SIGN_TIMESTAMP_URL")
signed=
trap 'rm -f "$signed"' EXIT
for file in "$@"; do
    signed="$file.signed"
    osslsigncode sign "${options[@]}" -in "$file" -out "$signed" >/dev/null
    mv "$signed" "$file"
    echo "Signed: $file"
done
