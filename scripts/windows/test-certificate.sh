#!/bin/sh
# Makes a throwaway self-signed code-signing certificate for the tests, once: FOLDER/certificate.p12 and the
# file of its password, FOLDER/password.   test-certificate.sh FOLDER
set -eu
mkdir -p "$1"
cd "$1"
[ -f certificate.p12 ] && exit 0
umask 077
openssl rand -hex 16 >password
openssl req -x509 -newkey rsa:3072 -nodes -keyout key.pem -out certificate.pem -days 3650 \
    -subj "/CN=Velto-Configurator test signing" -addext "keyUsage=critical,digitalSignature" \
    -addext "extendedKeyUsage=codeSigning" 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in certificate.pem -out certificate.p12 -passout file:password
rm key.pem certificate.pem
