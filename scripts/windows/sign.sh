#!/bin/sh
# Signs Windows programs and DLLs in place with Authenticode (SHA-256), stamped by an RFC 3161 time-stamping
# service when one is named:   sign.sh PKCS12 PASSWORD_FILE [-t TIMESTAMP_URL] FILE...
set -eu
pkcs12=$1 password=$2
shift 2
stamp=""
if [ "${1:-}" = -t ]; then
    stamp=$2
    shift 2
fi
for file; do
    rm -f "$file.signed"
    osslsigncode sign -pkcs12 "$pkcs12" -readpass "$password" -h sha256 -n Velto-Configurator \
        ${stamp:+-ts "$stamp"} -in "$file" -out "$file.signed" >/dev/null
    mv "$file.signed" "$file"
done
