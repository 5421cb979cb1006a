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
    for key, low, high in [("Publisher", 2, 256), ("PackageName", 2, 256), ("License", 3, 512),
                           ("ShortDescription", 3, 256)]:
        value = m["defaultLocale"].get(key)
        expect(isinstance(value, str) and low <= len(value) <= high, f"locale: {key} is {value!r}")

    zip_name = f"Haloquill-{version}-portable.zip"
    with open(os.path.join(dist, "scoop", "haloquill.json"), encoding="utf-8") as f:
        scoop = json.load(f)
    with zipfile.ZipFile(os.path.join(dist, zip_name)) as z:
        packed = z.namelist()
    expect(scoop.get("version") == version, f"scoop: version {scoop.get('version')!r}")
    for key in ("description", "homepage", "license"):
        expect(isinstance(scoop.get(key), str) and scoop[key], f"scoop: no {key}")
    expect(re.fullmatch(r"https://.+/" + re.escape(zip_name), scoop["url"]), "scoop: url")
    expect(scoop["hash"] == sha256(os.path.join(dist, zip_name)), f"{zip_name}: not its hash")
    expect(scoop["bin"] in packed, f"scoop: bin {scoop['bin']} is not in the zip")
    expect(all(s[0] in packed and s[1] for s in scoop["shortcuts"]), "scoop: shortcuts")
    found = re.search(scoop["checkver"]["regex"], f"<a href='{zip_name}'>")
    expect(found and found.group(1) == version, "scoop: checkver's regex misses the version")
    expect(scoop["autoupdate"]["url"].replace("$version", version) == scoop["url"]
           and "$version" in scoop["autoupdate"]["url"], "scoop: autoupdate url")
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
