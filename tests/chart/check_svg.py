#!/usr/bin/env python3
"""Reads every sample chart with a real XML parser and checks the structure
a screen reader relies on: the SVG root with role="img", <title> as its
first child, aria-labelledby naming it, a <desc>; fonts of 10 px or more; no
number that is not finite; every file under 300 KB.

Usage: check_svg.py SAMPLE_WRITER FOLDER [GOLDEN_FOLDER]
"""
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"


def check(path):
    faults = []
    size = os.path.getsize(path)
    if size >= 300 * 1024:
        faults.append(f"{size} bytes")
    root = ET.parse(path).getroot()
    if root.tag != SVG + "svg":
        faults.append(f"root is {root.tag}")
    if root.get("role") != "img":
        faults.append("no role=img")
    children = list(root)
    if not children or children[0].tag != SVG + "title":
        faults.append("<title> is not the first child")
    else:
        if root.get("aria-labelledby") != children[0].get("id"):
            faults.append("aria-labelledby does not name the title")
    desc = root.find(SVG + "desc")
    if desc is None or not (desc.text or "").strip():
        faults.append("no <desc>")
    elif root.get("aria-describedby") != desc.get("id"):
        faults.append("aria-describedby does not name the description")
    for element in root.iter():
        size = element.get("font-size")
        if size is not None and float(size) < 10:
            faults.append(f"font-size {size}")
        for name, value in element.attrib.items():
            if re.search(r"nan|inf", value, re.IGNORECASE) and name not in ("aria-label",):
                faults.append(f"{name}={value[:40]}")
    for group in root.iter(SVG + "g"):
        if group.find(SVG + "path") is not None and group.get("aria-hidden") != "true":
            if not group.get("aria-label") and group.find(SVG + "text") is None:
                faults.append("a drawn group without a label")
    return faults


def main():
    writer, folder = sys.argv[1], sys.argv[2]
    os.makedirs(folder, exist_ok=True)
    subprocess.run([writer, folder], check=True)
    paths = [os.path.join(folder, name) for name in sorted(os.listdir(folder))]
    if len(sys.argv) > 3:
        golden = sys.argv[3]
        paths += [os.path.join(golden, name) for name in sorted(os.listdir(golden))]
    failed = False
    for path in paths:
        if not path.endswith(".svg"):
            continue
        try:
            faults = check(path)
        except ET.ParseError as error:
            faults = [f"not well-formed: {error}"]
        for fault in faults:
            print(f"{path}: {fault}")
            failed = True
    if not paths:
        print("no SVG written")
        failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
