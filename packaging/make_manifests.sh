#!/usr/bin/env bash
# Writes the package manifests of the downloads in DIST: a winget manifest set in DIST/winget/
# (version, installer and default locale manifests) for the setups found there, and a Scoop
# manifest for the portable zips in DIST/scoop/haloquill.json (32-bit and 64-bit), each with the
# SHA-256 sums of the downloads beside them. scripts/package.sh runs it once the downloads are
# made.
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
# which winget finds the installed program) from the setup. The version record carries no
# copyright line, so the copyright is the maker's, by the name the record gives.
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
# Scoop's descriptions leave out the name of the program: the read-me's sentence without it.
scoop_description=${summary#"$name "}
scoop_description=${scoop_description^}
copyright="Copyright (c) $publisher"
# Words winget's search finds the program by, lower case.
tags=(angel angel-for-the-day daily tray freeware)
# The maker's pages, addressed as the program addresses them (src/web/web_pages.cpp). The site
# has no page for the licence: the download page, where the program is given free, stands for it.
page() { echo "${site_base}corvel-free-haloquill/ssd.php?page=$1"; }
home_page=$(page home-page)
download_page=$(page download-web-page)

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
# The portable zips, by Scoop's names of the processors.
zips=()
for arch in 64bit 32bit; do
  file="Haloquill-$version-portable.zip"
  [ "$arch" = 32bit ] || file="Haloquill-$version-portable-x64.zip"
  [ -f "$dist/$file" ] && zips+=("$arch=$file")
done
if [ ${#setups[@]} -eq 0 ] || [ ${#zips[@]} -eq 0 ]; then
  echo "make_manifests.sh: $dist lacks the setups or the portable zips" >&2
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
  echo "PublisherUrl: $(yaml "$site_base")"
  echo "PackageUrl: $(yaml "$home_page")"
  echo "License: $(yaml "$license")"
  echo "LicenseUrl: $(yaml "$download_page")"
  echo "Copyright: $(yaml "$copyright")"
  echo "ShortDescription: $(yaml "$summary")"
  echo "Moniker: haloquill"
  echo "Tags:"
  printf -- '- %s\n' "${tags[@]}"
  footer defaultLocale
} >"$dist/winget/$identifier.locale.$locale.yaml"

# Scoop's uninstaller script removes the program's start-with-Windows entry (the value named
# after the executable, src/settings/autorun_entry.cpp) on "scoop uninstall", when the entry
# starts a copy in this app's folder: $dir is the version's folder, so its parent holds both the
# version folders and the "current" link that Scoop's shim and shortcut start the program from.
# An entry of a copy elsewhere stays, and so do the settings. Scoop runs the same script when
# "scoop update" replaces the version; there $cmd, the Scoop command being run, is "update", and
# the entry stays, to start the new version through "current".
mapfile -t uninstall_script <<'SCRIPT'
if ($cmd -eq 'uninstall') {
    $runKey = 'HKCU:\Software\Microsoft\Windows\CurrentVersion\Run'
    $command = (Get-ItemProperty -Path $runKey -ErrorAction SilentlyContinue).Haloquill
    $appFolder = [IO.Path]::GetFullPath((Split-Path $dir)).TrimEnd('\') + '\'
    if (($command -match '^\s*"([^"]+)"') -and
        $Matches[1].StartsWith($appFolder, [StringComparison]::OrdinalIgnoreCase)) {
        Remove-ItemProperty -Path $runKey -Name Haloquill
    }
}
SCRIPT
json_lines() {
  local line separator=""
  for line in "$@"; do
    printf '%s\n            %s' "$separator" "$(json "$line")"
    separator=,
  done
}
# The "architecture" object of the manifest (FIELD url) or of its autoupdate (FIELD template),
# indented by INDENT: each zip's address, and in the manifest its SHA-256 sum.
architectures() {
  local field=$1 indent=$2 pair file separator=""
  echo "{"
  for pair in "${zips[@]}"; do
    file=${pair#*=}
    printf '%s%s    "%s": {\n' "$separator" "$indent" "${pair%%=*}"
    if [ "$field" = url ]; then
      printf '%s        "url": %s,\n' "$indent" "$(json "$release_url/$file")"
      printf '%s        "hash": %s\n' "$indent" "$(json "$(sha256 "$dist/$file")")"
    else
      # shellcheck disable=SC2016 # $version is Scoop's own variable
      printf '%s        "url": %s\n' "$indent" \
        "$(json "$url_template/${file//"$version"/'$version'}")"
    fi
    printf '%s    }' "$indent"
    separator=$',\n'
  done
  printf '\n%s}' "$indent"
}

cat >"$dist/scoop/haloquill.json" <<JSON
{
    "version": $(json "$version"),
    "description": $(json "$scoop_description"),
    "homepage": $(json "$home_page"),
    "license": $(json "$license"),
    "architecture": $(architectures url "    "),
    "bin": "Haloquill.exe",
    "shortcuts": [["Haloquill.exe", $(json "$name")]],
    "uninstaller": {
        "script": [$(json_lines "${uninstall_script[@]}")
        ]
    },
    "checkver": {
        "url": $(json "$download_page"),
        "regex": "Haloquill-([\\\\d.]+)-portable\\\\.zip"
    },
    "autoupdate": {
        "architecture": $(architectures template "        "),
        "hash": { "url": "\$baseurl/SHA256SUMS" }
    }
}
JSON
