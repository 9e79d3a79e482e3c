#!/usr/bin/env bash
# A release signed with a throwaway self-signed certificate must verify
# against it, still run under Wine, and be this build's own executable again
# once the signature is removed.
#   signing.sh REPO WORKDIR BUILT_EXE E2E_COMMAND...
set -euo pipefail
repo=$1 work=$2 built=$3
shift 3
rm -rf "$work"
mkdir -p "$work"

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=QM27R test signer" \
    -addext "extendedKeyUsage=codeSigning" -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
export QM27R_SIGN_PASSWORD=throwaway
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout env:QM27R_SIGN_PASSWORD \
    -out "$work/cert.pfx"
bash "$repo/scripts/release" --dirty --sign "$work/cert.pfx" --out "$work/dist" >/dev/null
signed="$work/dist/qm27r-install.exe"

status=0
osslsigncode verify -CAfile "$work/cert.pem" -in "$signed" >"$work/verify.log" 2>&1 ||
    { cat "$work/verify.log"; echo "FAILED: the signature does not verify"; status=1; }
unzip -p "$work"/dist/*.zip qm27r-install.exe | cmp - "$signed" ||
    { echo "FAILED: the zip does not hold the signed executable"; status=1; }
osslsigncode remove-signature -in "$signed" -out "$work/unsigned.exe" >/dev/null
cmp "$work/unsigned.exe" "$built" || { echo "FAILED: without its signature it is not $built"; status=1; }
# The e2e command names the build's executable; the --exe given last counts.
"$@" --exe "$signed" || { echo "FAILED: the signed executable does not run as it should"; status=1; }
exit "$status"
