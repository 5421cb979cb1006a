#!/usr/bin/python3
"""The winget and Scoop manifests that packaging/make_manifests.sh writes for the downloads the
build made: each parses, holds the fields its format requires with the values the setup and the
release give, and names the SHA-256 sums of the files beside it; a changed download is caught.
  package_manifests_test.py WORK VERSION DOWNLOAD...
"""
import hashlib, json, os, re, shutil, subprocess, sys, time, zipfile
import yaml

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
ID, LOCALE = "Corvel.Haloquill", "en-US"
# What winget's 1.10.0 schemas ask of an address, and the fields Scoop's schema.json allows.
URL = re.compile(r"^([Hh][Tt][Tt][Pp][Ss]?)://.+$")
SCOOP_FIELDS = {"$schema", "_comment", "##", "architecture", "autoupdate", "bin", "persist",
                "checkver", "cookie", "depends", "description", "env_add_path", "env_set",
                "extract_dir", "extract_to", "hash", "homepage", "innosetup", "installer",
                "license", "msi", "notes", "post_install", "post_uninstall", "pre_install",
                "pre_uninstall", "psmodule", "shortcuts", "suggest", "uninstaller", "url",
                "version"}
SCOOP_ARCH_FIELDS = {"bin", "checkver", "env_add_path", "env_set", "extract_dir", "hash",
                     "installer", "msi", "post_install", "post_uninstall", "pre_install",
                     "pre_uninstall", "shortcuts", "uninstaller", "url"}


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def uninstall_key_name():
    with open(os.path.join(ROOT, "packaging", "haloquill.nsi"), encoding="utf-8") as f:
        return re.search(r'^!define UNINSTALL_KEY ".*\\([^\\"]+)"$', f.read(), re.M).group(1)


def check(dist, version):
    """The faults of the manifests in dist, as sentences."""
    faults = []
    expect = lambda ok, fault: ok or faults.append(fault)
    names = {"version": f"{ID}.yaml", "installer": f"{ID}.installer.yaml",
             "defaultLocale": f"{ID}.locale.{LOCALE}.yaml"}
    found = sorted(os.listdir(os.path.join(dist, "winget")))
    if found != sorted(names.values()):
        return [f"winget/ holds {found}"]
    m = {}
    for kind, name in names.items():
        with open(os.path.join(dist, "winget", name), encoding="utf-8") as f:
            m[kind] = yaml.safe_load(f)
        for key, value in [("PackageIdentifier", ID), ("PackageVersion", version),
                           ("ManifestType", kind), ("ManifestVersion", "1.10.0")]:
            expect(m[kind].get(key) == value, f"{name}: {key} is {m[kind].get(key)!r}")
    expect(m["version"]["DefaultLocale"] == m["defaultLocale"]["PackageLocale"] == LOCALE,
           "the default locale differs between the manifests")
    setup = m["installer"]
    for key, value in [("InstallerType", "nullsoft"), ("Scope", "user"),
                       ("UpgradeBehavior", "install"), ("ProductCode", uninstall_key_name())]:
        expect(setup.get(key) == value, f"installer: {key} is {setup.get(key)!r}")
    day = time.strftime("%Y-%m-%d", time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"])))
    expect(setup.get("ReleaseDate") == day, f"installer: ReleaseDate {setup.get('ReleaseDate')!r}")
    arches = {"x86": f"Haloquill-{version}-setup.exe", "x64": f"Haloquill-{version}-setup-x64.exe"}
    present = [a for a, f in arches.items() if os.path.exists(os.path.join(dist, f))]
    expect([i["Architecture"] for i in setup["Installers"]] == present,
           f"installers for {[i['Architecture'] for i in setup['Installers']]}, not {present}")
    for i in setup["Installers"]:
        file = os.path.join(dist, arches[i["Architecture"]])
        expect(re.fullmatch(r"https://.+/" + re.escape(os.path.basename(file)), i["InstallerUrl"]),
               f"{i['Architecture']}: InstallerUrl {i['InstallerUrl']}")
        expect(i["InstallerSha256"] == sha256(file).upper(), f"{file}: not its InstallerSha256")
    locale = m["defaultLocale"]
    for key, low, high in [("Publisher", 2, 256), ("PackageName", 2, 256), ("License", 3, 512),
                           ("ShortDescription", 3, 256), ("Copyright", 3, 512)]:
        value = locale.get(key)
        expect(isinstance(value, str) and low <= len(value) <= high, f"locale: {key} is {value!r}")
    for key in ("PublisherUrl", "PackageUrl", "LicenseUrl"):
        value = locale.get(key)
        expect(isinstance(value, str) and URL.match(value) and len(value) <= 2048,
               f"locale: {key} is {value!r}")
    tags = locale.get("Tags")
    expect(isinstance(tags, list) and 0 < len(tags) <= 16 and len(set(tags)) == len(tags)
           and all(isinstance(t, str) and re.fullmatch(r"[a-z0-9-]{1,40}", t) for t in tags),
           f"locale: Tags are {tags!r}")

    zips = {"32bit": f"Haloquill-{version}-portable.zip",
            "64bit": f"Haloquill-{version}-portable-x64.zip"}
    zips = {a: f for a, f in zips.items() if os.path.exists(os.path.join(dist, f))}
    with open(os.path.join(dist, "scoop", "haloquill.json"), encoding="utf-8") as f:
        scoop = json.load(f)
    expect(set(scoop) <= SCOOP_FIELDS and "url" not in scoop and "hash" not in scoop,
           f"scoop: fields {sorted(scoop)}")
    expect(scoop.get("version") == version, f"scoop: version {scoop.get('version')!r}")
    for key in ("description", "homepage", "license"):
        expect(isinstance(scoop.get(key), str) and scoop[key], f"scoop: no {key}")
    expect("Haloquill" not in scoop["description"], "scoop: the description names the program")
    arch, update = scoop["architecture"], scoop["autoupdate"]
    expect(sorted(arch) == sorted(zips) == sorted(update["architecture"]),
           f"scoop: architectures {sorted(arch)}, for the zips {sorted(zips)}")
    # Scoop's autoupdate finds each zip's sum by its name in the release's SHA256SUMS, which
    # lists every download so.
    sums = "".join(f"{sha256(os.path.join(dist, f))}  {f}\n"
                   for f in sorted(list(zips.values()) + list(arches.values()))
                   if os.path.exists(os.path.join(dist, f)))
    for a, zip_name in zips.items():
        entry = arch.get(a, {})
        expect(set(entry) <= SCOOP_ARCH_FIELDS and "$" not in entry.get("url", "$")
               and re.fullmatch(r"https://.+/" + re.escape(zip_name), entry["url"]),
               f"scoop: {a} is {entry}")
        expect(entry.get("hash") == sha256(os.path.join(dist, zip_name)),
               f"{zip_name}: not its hash")
        with zipfile.ZipFile(os.path.join(dist, zip_name)) as z:
            packed = z.namelist()
        expect(scoop["bin"] in packed, f"scoop: bin {scoop['bin']} is not in {zip_name}")
        expect(all(s[0] in packed and s[1] for s in scoop["shortcuts"]), "scoop: shortcuts")
        url = update["architecture"].get(a, {}).get("url", "")
        expect(url.replace("$version", version) == entry["url"] and "$version" in url,
               f"scoop: autoupdate url of {a}")
        found = re.search(r"([a-fA-F0-9]{32,128})[\x20\t]+.*" + re.escape(zip_name)
                          + r"(?:\s|$)", sums)
        expect(found and found.group(1) == entry.get("hash"), f"scoop: no sum of {zip_name}")
    expect(update.get("hash") == {"url": "$baseurl/SHA256SUMS"}
           and set(update) == {"architecture", "hash"}, f"scoop: autoupdate is {update}")
    found = re.search(scoop["checkver"]["regex"], "".join(f"<a href='{f}'>" for f in zips.values()))
    expect(found and found.group(1) == version, "scoop: checkver's regex misses the version")
    # The uninstaller removes the program's start-with-Windows entry, on uninstall only, and only
    # an entry into the app's folder; the settings stay.
    script = "\n".join(scoop["uninstaller"].get("script", []))
    expect(list(scoop["uninstaller"]) == ["script"]
           and script.startswith("if ($cmd -eq 'uninstall') {")
           and "Remove-ItemProperty -Path $runKey -Name Haloquill" in script
           and "'HKCU:\\Software\\Microsoft\\Windows\\CurrentVersion\\Run'" in script
           and "(Split-Path $dir)" in script and "Corvel" not in script,
           f"scoop: uninstaller {scoop['uninstaller']}")
    if os.path.exists(os.path.join(dist, "SHA256SUMS")):
        with open(os.path.join(dist, "SHA256SUMS"), encoding="utf-8") as f:
            expect("/" not in f.read(), "SHA256SUMS lists a manifest")
    return faults


def main(work, version, *downloads):
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    for download in downloads:
        os.symlink(os.path.abspath(download), os.path.join(work, os.path.basename(download)))
    # A release at half past eleven at night UTC, made where it is already the next day: its
    # day is the one in UTC.
    release = f"https://downloads.corvel.example/haloquill/v{version}/"
    os.environ.update(SOURCE_DATE_EPOCH="1796858999", TZ="XYZ-5:45", HALOQUILL_RELEASE_URL=release)
    subprocess.run(["bash", os.path.join(ROOT, "packaging", "make_manifests.sh"), work, version,
                    "https://www.example.com/"], check=True)
    faults = check(work, version)
    # A download changed after the manifests were written no longer matches them.
    for download in downloads:
        link = os.path.join(work, os.path.basename(download))
        os.remove(link)
        shutil.copyfile(download, link)
        with open(link, "r+b") as f:
            f.seek(100)
            byte = f.read(1)
            f.seek(100)
            f.write(bytes([byte[0] ^ 1]))
        caught = [f for f in check(work, version) if os.path.basename(download) in f]
        if not caught:
            faults.append(f"a changed {os.path.basename(download)} went unnoticed")
        shutil.copyfile(download, link)
    for fault in faults:
        print("FAILED:", fault)
    print(f"{len(downloads)} downloads, {len(faults)} faults in their manifests")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
