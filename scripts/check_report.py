#!/usr/bin/python3
"""Checks `tarnctl report` and the folder document's schema as users see them: strict HTML5,
well-formed SVG, escaped texts, the schema against exports and refused imports, and the page
rendered by a real browser to PDF and PNG."""
import copy
import json
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

import html5lib
import jsonschema
from PIL import Image

TARNCTL, MAKE_FOLDER, SCHEMA, WORK, SCREENSHOT = sys.argv[1:6]
EXAMPLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "studio-a")
failures = []


def fail(message):
    failures.append(message)
    print("FAIL:", message)


def run(*args, expect=0):
    result = subprocess.run([TARNCTL, *args], capture_output=True)
    if result.returncode != expect:
        fail(f"tarnctl {' '.join(args)}: exit {result.returncode}, expected {expect}: "
             f"{result.stderr.decode(errors='replace').strip()}")
    return result


def folder(name, source=EXAMPLE):
    path = os.path.join(WORK, name)
    shutil.copytree(source, path)
    return path


# --- folders ------------------------------------------------------------------------------

def edited_folder():
    """The example with assignments from its trees, a few invalid ones and a changed table."""
    path = folder("studio-b")
    document = json.loads(run("export", path).stdout)
    mix = document["mixers"][0]["outputs"]
    for output in range(32):
        for inp in range(64):
            slots = mix[output]["crosspoints"][inp]
            if (output + inp) % 5 == 0:
                slots[0]["pointer"] = 17 + (output % 3)
            if output < 8 and inp < 16 and inp % 2 == 0:
                slots[1]["pointer"] = 0
            if (output * 64 + inp) % 97 == 3:
                slots[2]["pointer"] = 9999
    document["compressor"]["gainTable"][200] = 120000
    with open(os.path.join(WORK, "studio-b.json"), "w") as out:
        json.dump(document, out)
    run("import", path, os.path.join(WORK, "studio-b.json"))
    return path


def maximal_folder():
    path = os.path.join(WORK, "maximal")
    subprocess.run([MAKE_FOLDER, "--maximal", path], check=True)
    with open(os.path.join(path, "aes3mix.trn"), "r+b") as mix:
        for word in (5, 1000, 4000):  # pointer 32767: no entry in a 32767-entry tree
            mix.seek(2 * word)
            mix.write(b"\xff\x7f")
    return path


EVERY_BYTE = bytes(b for b in range(256) if b not in (10, 13))


def escape_folder():
    """Names and control texts that hold every byte value."""
    path = folder("escapes")
    with open(os.path.join(path, "aes3outputs.txt"), "wb") as out:
        out.write(b"<b>&amp;\"'</b>\r\n" + EVERY_BYTE + b"\r\n")
    text = bytes(b for b in EVERY_BYTE if b not in (9, 126))  # tab and ~ are the format's own
    with open(os.path.join(path, "aes3controls.txt"), "wb") as out:
        out.write(b"<svg>&\"'~PTR=0~ACTIVE\r\n" + text + b"~PTR=73~ACTIVE\r\n")
    return path


def shown(text):
    """What the report shows for a Windows-1252 text."""
    visible = {"\n": "\\n", "\r": "\\r", "\t": "\\t"}
    result = ""
    for c in text.decode("cp1252", errors="surrogateescape"):
        if 0xDC80 <= ord(c) <= 0xDCFF:  # the five bytes cp1252 leaves undefined
            c = chr(ord(c) - 0xDC00)
        if c in visible:
            result += visible[c]
        elif ord(c) < 0x20 or 0x7F <= ord(c) <= 0x9F:
            result += "\\x%02X" % ord(c)
        else:
            result += c
    return result


# --- the page -----------------------------------------------------------------------------

def check_page(name, path, size_limit=None):
    data = open(path, "rb").read()
    if size_limit and len(data) >= size_limit:
        fail(f"{name}: {len(data)} bytes, limit {size_limit}")
    parser = html5lib.HTMLParser(strict=True, namespaceHTMLElements=False)
    try:
        tree = parser.parse(data, transport_encoding="utf-8")
    except Exception as error:  # html5lib raises its ParseError on the first fault
        fail(f"{name}: not strict HTML5: {error} {parser.errors[:1]}")
        return None
    svgs = re.findall(rb"<svg\b.*?</svg>", data, re.S)
    for svg in svgs:
        try:
            ET.fromstring(svg)
        except ET.ParseError as error:
            fail(f"{name}: an SVG is not well-formed XML: {error}")
    ids = {e.get("id") for e in tree.iter() if e.get("id")}
    for link in tree.iter("a"):
        if link.get("href", "").lstrip("#") not in ids:
            fail(f"{name}: link {link.get('href')} leads nowhere")
    for e in tree.iter():
        for attribute in ("src", "href"):
            if e.get(attribute) and not e.get(attribute).startswith("#"):
                fail(f"{name}: {e.tag} {attribute} leaves the file")
    if tree.find(".//script") is not None:
        fail(f"{name}: holds a script")
    print(f"{name}: strict HTML5, {len(svgs)} SVGs well-formed, {len(data)} bytes")
    return tree


def text_of(tree, element_id):
    for e in tree.iter():
        if e.get("id") == element_id:
            return "".join(e.itertext())
    fail(f"no element {element_id}")
    return ""


def check_escapes(tree):
    for output, raw in ((1, b"<b>&amp;\"'</b>"), (2, EVERY_BYTE)):
        expected = " %02d | " % output + shown(raw)
        if text_of(tree, "m0-o%d" % output) != expected:
            fail(f"output {output} name shown as {text_of(tree, 'm0-o%d' % output)!r}")
    row = text_of(tree, "m0-o1-i1")
    text = bytes(b for b in EVERY_BYTE if b not in (9, 126))
    for raw in (b"<svg>&\"'", text):
        if shown(raw) not in row:
            fail(f"control text {raw[:12]!r} not shown as text in {row[:80]!r}")


# --- the schema ---------------------------------------------------------------------------

def malformed(document):
    """Documents import refuses for their shape or types, each with its name."""
    def changed(edit):
        d = copy.deepcopy(document)
        edit(d)
        return d

    slot = lambda d: d["mixers"][0]["outputs"][3]["crosspoints"][5][2]
    rows = {
        "not an object": [document],
        "no format": changed(lambda d: d.pop("format")),
        "other format": changed(lambda d: d.update(format="tarnconfig")),
        "no version": changed(lambda d: d.pop("version")),
        "version 2": changed(lambda d: d.update(version=2)),
        "unknown top field": changed(lambda d: d.update(extra=1)),
        "one mixer": changed(lambda d: d["mixers"].pop()),
        "mixer not an object": changed(lambda d: d["mixers"].__setitem__(1, [])),
        "unknown mixer field": changed(lambda d: d["mixers"][0].update(gain=1)),
        "31 outputs": changed(lambda d: d["mixers"][1]["outputs"].pop()),
        "63 crosspoints": changed(lambda d: d["mixers"][0]["outputs"][0]["crosspoints"].pop()),
        "5 slots": changed(lambda d: d["mixers"][0]["outputs"][0]["crosspoints"][0].append({})),
        "pointer 32768": changed(lambda d: slot(d).update(pointer=32768)),
        "pointer -1": changed(lambda d: slot(d).update(pointer=-1)),
        "pointer 1.5": changed(lambda d: slot(d).update(pointer=1.5)),
        "pointer as text": changed(lambda d: slot(d).update(pointer="17")),
        "pointer true": changed(lambda d: slot(d).update(pointer=True)),
        "control a number": changed(lambda d: slot(d).update(control=3)),
        "unknown slot field": changed(lambda d: slot(d).update(gain=0)),
        "7 loops": changed(lambda d: d["mixers"][0]["loops"].pop()),
        "loop pointer 40000": changed(lambda d: d["mixers"][1]["loops"][2].update(pointer=40000)),
        "loop name null": changed(lambda d: d["mixers"][1]["loops"][2].update(name=None)),
        "input name a number": changed(lambda d: d["mixers"][0]["inputNames"].__setitem__(3, 4)),
        "invalid negative": changed(lambda d: d["mixers"][0].update(invalid=-1)),
        "15 meters": changed(lambda d: d["meters"].pop()),
        "meter byte 256": changed(lambda d: d["meters"][4].update(byte=256)),
        "meter source null": changed(lambda d: d["meters"][4].update(source=None)),
        "attack 8": changed(lambda d: d["compressor"].update(attack=8)),
        "decay -1": changed(lambda d: d["compressor"].update(decay=-1)),
        "gain 37": changed(lambda d: d["compressor"].update(gain=37)),
        "threshold 1": changed(lambda d: d["compressor"].update(threshold=1)),
        "hold 480480": changed(lambda d: d["compressor"].update(hold=480480)),
        "hold 1.5": changed(lambda d: d["compressor"].update(hold=1.5)),
        "gain table word 2^31": changed(lambda d: d["compressor"]["gainTable"].__setitem__(0, 2**31)),
        "255 gain table words": changed(lambda d: d["compressor"]["gainTable"].pop()),
        "60 reserved words": changed(lambda d: d["compressor"]["reserved"].append(0)),
        "compressor an array": changed(lambda d: d.update(compressor=[])),
    }
    return rows


def check_schema(exports):
    schema = json.load(open(SCHEMA))
    jsonschema.Draft202012Validator.check_schema(schema)
    validator = jsonschema.Draft202012Validator(schema)
    for name, path in exports:
        errors = list(validator.iter_errors(json.load(open(path))))
        if errors:
            fail(f"export of {name} breaks the schema: {errors[0].message}")
    target = folder("import-target")
    base = json.load(open(exports[0][1]))
    rows = malformed(base)
    for name, document in rows.items():
        path = os.path.join(WORK, "malformed.json")
        with open(path, "w") as out:
            json.dump(document, out)
        result = subprocess.run([TARNCTL, "import", target, path], capture_output=True)
        if result.returncode != 2:
            fail(f"import takes the malformed document \"{name}\"")
        if validator.is_valid(document):
            fail(f"the schema takes the malformed document \"{name}\"")
    print(f"schema: {len(exports)} exports valid, {len(rows)} malformed documents refused")


# --- the browser --------------------------------------------------------------------------

def chromium(profile, *args):
    command = ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
               "--disable-background-networking", "--disable-component-update", "--disable-sync",
               "--user-data-dir=" + profile, *args]
    result = subprocess.run(command, capture_output=True, timeout=300)
    log = result.stderr.decode(errors="replace")
    # The machine has no session bus; anything else the browser calls an error fails the run.
    errors = [line for line in log.splitlines()
              if "ERROR" in line and "dbus" not in line and "Fontconfig" not in line]
    if result.returncode != 0 or errors:
        fail(f"chromium {args[-1]}: exit {result.returncode} {errors[:3]}")


def pages(pdf):
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
    return int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))


def page_text(pdf, page):
    return subprocess.run(["pdftotext", "-layout", "-f", str(page), "-l", str(page), pdf, "-"],
                          capture_output=True, text=True).stdout


def render(name, html, screenshot=None):
    profile = os.path.join(WORK, "profile-" + name)
    pdf = os.path.join(WORK, name + ".pdf")
    png = os.path.join(WORK, name + ".png")
    url = "file://" + os.path.abspath(html)
    chromium(profile, "--no-pdf-header-footer", "--print-to-pdf=" + pdf, url)
    chromium(profile, "--hide-scrollbars", "--window-size=1400,1000", "--screenshot=" + png,
             url + "#m0")
    count = pages(pdf)
    # Each overview on a page of its own: its heading's page holds no other section.
    overview_pages = [p for p in range(1, count + 1) if "MIX: overview" in page_text(pdf, p)]
    for p in overview_pages:
        text = page_text(pdf, p)
        if "Check" in text.split("\n")[0] or "crosspoints that differ" in text:
            fail(f"{name}: the overview on page {p} shares its page")
    if len(overview_pages) != 2 or count < 5:
        fail(f"{name}: {count} pages, overviews on pages {overview_pages}")
    image = Image.open(png).convert("L")
    width, height = image.size
    # The overview's slots fill the lower part of the shot: mostly not white there.
    region = image.crop((width // 4, height // 2, 3 * width // 4, height - 20))
    inked = sum(1 for v in region.getdata() if v < 230) / (region.width * region.height)
    if inked < 0.2:
        fail(f"{name}: the overview is not in the PNG ({inked:.0%} of its region inked)")
    print(f"{name}: {count} A4 pages, overviews on pages {overview_pages}, "
          f"PNG region {inked:.0%} inked")
    if screenshot and overview_pages:
        # The first overview as printed: its own page of the browser's PDF, rasterised.
        base = os.path.join(WORK, "overview")
        subprocess.run(["pdftoppm", "-png", "-r", "130", "-singlefile", "-f",
                        str(overview_pages[0]), "-l", str(overview_pages[0]), pdf, base],
                       check=True)
        page = Image.open(base + ".png").convert("RGB")
        box = Image.eval(page.convert("L"), lambda v: 255 - v).getbbox()
        shot = page.crop((box[0] - 12, box[1] - 12, box[2] + 12, box[3] + 12))
        shot.save(screenshot, optimize=True)
        print("screenshot:", screenshot)


def main():
    os.makedirs(WORK, exist_ok=True)
    reports = []
    for name, path, extra in (("example", folder("studio-a"), []),
                              ("edited", edited_folder(), []),
                              ("maximal", maximal_folder(), []),
                              ("escapes", escape_folder(), ["--all"])):
        html = os.path.join(WORK, name + ".html")
        run("report", path, "-o", html, *extra)
        export = os.path.join(WORK, name + ".json")
        run("export", path, "-o", export)
        reports.append((name, path, html, export))
    for name, _, html, _ in reports:
        tree = check_page(name, html, 4_000_000 if name == "maximal" else None)
        if tree is not None and name == "escapes":
            check_escapes(tree)
    check_schema([(name, export) for name, _, _, export in reports])
    for name, _, html, _ in reports[1:3]:
        render(name, html, SCREENSHOT if name == "edited" and SCREENSHOT != "-" else None)
    if failures:
        print(f"{len(failures)} failures")
        sys.exit(1)
    print("report checks passed")


main()
