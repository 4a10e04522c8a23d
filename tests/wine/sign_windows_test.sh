#!/usr/bin/env bash
# The Windows files' signing: a small program and its installer package stay as they are and are named
# unsigned without a certificate, and carry a signature that osslsigncode verifies with one (a
# throw-away certificate made here, its key behind a password).
set -euo pipefail
scripts=$(realpath "$(dirname "$0")/../../scripts")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

echo 'int main(void) { return 0; }' | x86_64-w64-mingw32-gcc -x c - -o program.exe
"$scripts/build-msi.sh" program.exe 2.03 program.msi
cp program.exe program.exe.before
cp program.msi program.msi.before

unset KVL_SIGN_CERT KVL_SIGN_KEY
said=$("$scripts/sign-windows.sh" program.exe program.msi)
[[ $said == Unsigned* ]] || { echo "no word of the files being unsigned: $said" >&2; exit 1; }
cmp program.exe program.exe.before
cmp program.msi program.msi.before

echo "throw-away" >password
openssl req -x509 -newkey rsa:2048 -days 2 -subj "/CN=KVL signing test" -passout file:password \
    -addext extendedKeyUsage=codeSigning -keyout key.pem -out cert.pem 2>/dev/null
KVL_SIGN_CERT=cert.pem KVL_SIGN_KEY=key.pem KVL_SIGN_PASSWORD_FILE=password \
    "$scripts/sign-windows.sh" program.exe program.msi
for file in program.exe program.msi; do
    if cmp -s "$file" "$file.before"; then
        echo "$file was not signed" >&2
        exit 1
    fi
    osslsigncode verify -CAfile cert.pem -in "$file" >verify.log 2>&1 || { cat verify.log >&2; exit 1; }
done
[ ! -e program.exe.signed ] && [ ! -e program.msi.signed ]
echo "signed and verified: program.exe program.msi"
