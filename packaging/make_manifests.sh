#!/usr/bin/env bash
# Writes the package manifests of the downloads in DIST: a winget manifest set in DIST/winget/
# (version, installer and default locale manifests) for the setups found there, and a Scoop
# manifest for the portable zip in DIST/scoop/haloquill.json, each with the SHA-256 sums of the
# downloads beside them. scripts/package.sh runs it once the downloads are made.
#   make_manifests.sh DIST VERSION SITE_BASE
# VERSION is the one people see (major.minor), SITE_BASE the maker's web site the program links
# to. The downloads' address is the folder HALOQUILL_RELEASE_URL, with the version in it where
# each release has a folder of its own; without it a placeholder under example.invalid stands
# there. With SOURCE_DATE_EPOCH set, its day is the release date.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -ne 3 ]; then
  echo "usage: make_manifests.sh DIST VERSION SITE_BASE" >&2
  exit 2
fi
dist=$1 version=$2 site_base=$3

identifier=Corvel.Haloquill
locale=en-US
manifest_version=1.10.0
license=Freeware
placeholder="https://downloads.example.invalid/haloquill/$version"
release_url=${HALOQUILL_RELEASE_URL:-$placeholder}
release_url=${release_url%/}
if [ -z "${HALOQUILL_RELEASE_URL:-}" ]; then
  echo "The manifests name $placeholder: HALOQUILL_RELEASE_URL gives no release address."
fi
if [[ "$release_url" != *"$version"* ]]; then
  echo "Note: $release_url holds no version, so Scoop's autoupdate cannot find later releases."
fi
# Scoop puts each later version where this one's stands in the address.
# shellcheck disable=SC2016 # $version is Scoop's own variable
url_template=${release_url//"$version"/'$version'}

# The maker and the name from the program's version record, the description from the first
# sentence the portable read-me gives of the program, and the uninstall entry's key name (under
# which winget finds the installed program) from the setup.
record_value() {
  sed -n "s/^ *VALUE \"$1\", \"\(.*\)\"\$/\1/p" "$here/../src/win32/haloquill.rc.in"
}
publisher=$(record_value CompanyName)
name=$(record_value FileDescription)
summary=$(awk '/^Corvel Haloquill shows/,/^$/' "$here/portable_readme.txt.in" | tr '\n' ' ' |
  sed 's/\. .*/./')
product_code=$(sed -n 's/^!define UNINSTALL_KEY ".*\\\([^\\]*\)"$/\1/p' "$here/haloquill.nsi")
for value in publisher name summary product_code; do
  if [ -z "${!value}" ]; then
    echo "make_manifests.sh: found no $value in the project's files" >&2
    exit 1
  fi
done
home_page="${site_base}corvel-free-haloquill/ssd.php?page=home-page"
download_page="${site_base}corvel-free-haloquill/ssd.php?page=download-web-page"

# YAML single-quoted and JSON strings; the texts hold no control characters.
yaml() { printf "'%s'" "${1//\'/\'\'}"; }
json() {
  local text=${1//\\/\\\\}
  printf '"%s"' "${text//\"/\\\"}"
}
sha256() { sha256sum "$1" | cut -d' ' -f1; }

setups=()
for arch in x86 x64; do
  file="Haloquill-$version-setup.exe"
  [ "$arch" = x86 ] || file="Haloquill-$version-setup-x64.exe"
  [ -f "$dist/$file" ] && setups+=("$arch=$file")
done
zip_name="Haloquill-$version-portable.zip"
if [ ${#setups[@]} -eq 0 ] || [ ! -f "$dist/$zip_name" ]; then
  echo "make_manifests.sh: $dist lacks the setups or $zip_name" >&2
  exit 1
fi

mkdir -p "$dist/winget" "$dist/scoop"
header() {
  echo "# Made by packaging/make_manifests.sh for $name $version."
  local schema="https://aka.ms/winget-manifest.$1.$manifest_version.schema.json"
  echo "# yaml-language-server: \$schema=$schema"
  echo
  echo "PackageIdentifier: $identifier"
  echo "PackageVersion: $(yaml "$version")"
}
footer() {
  echo "ManifestType: $1"
  echo "ManifestVersion: $manifest_version"
}

{
  header version
  echo "DefaultLocale: $locale"
  footer version
} >"$dist/winget/$identifier.yaml"

{
  header installer
  echo "InstallerType: nullsoft"
  echo "Scope: user"
  echo "UpgradeBehavior: install"
  echo "ProductCode: $(yaml "$product_code")"
  if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    echo "ReleaseDate: $(yaml "$(date -u -d "@$SOURCE_DATE_EPOCH" +%Y-%m-%d)")"
  fi
  echo "Installers:"
  for pair in "${setups[@]}"; do
    file=${pair#*=}
    echo "- Architecture: ${pair%%=*}"
    echo "  InstallerUrl: $(yaml "$release_url/$file")"
    echo "  InstallerSha256: $(sha256 "$dist/$file" | tr a-f A-F)"
  done
  footer installer
} >"$dist/winget/$identifier.installer.yaml"

{
  header defaultLocale
  echo "PackageLocale: $locale"
  echo "Publisher: $(yaml "$publisher")"
  echo "PackageName: $(yaml "$name")"
  echo "PackageUrl: $(yaml "$home_page")"
  echo "License: $(yaml "$license")"
  echo "ShortDescription: $(yaml "$summary")"
  echo "Moniker: haloquill"
  footer defaultLocale
} >"$dist/winget/$identifier.locale.$locale.yaml"

cat >"$dist/scoop/haloquill.json" <<JSON
{
    "version": $(json "$version"),
    "description": $(json "$summary"),
    "homepage": $(json "$home_page"),
    "license": $(json "$license"),
    "url": $(json "$release_url/$zip_name"),
    "hash": $(json "$(sha256 "$dist/$zip_name")"),
    "bin": "Haloquill.exe",
    "shortcuts": [["Haloquill.exe", $(json "$name")]],
    "checkver": {
        "url": $(json "$download_page"),
        "regex": "Haloquill-([\\\\d.]+)-portable\\\\.zip"
    },
    "autoupdate": {
        "url": $(json "$url_template/Haloquill-\$version-portable.zip"),
        "hash": { "url": "\$baseurl/SHA256SUMS" }
    }
}
JSON
